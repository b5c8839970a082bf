#pragma once
// The toolbar commands of a waveform window, working on its view's state. Each returns true
// when the view must be repainted; a command whose condition does not hold does nothing.

#include "waveform/GraphModel.h"

#include <optional>
#include <string>

namespace vorn::waveform {

// The buttons that depend on the selection; the others are always enabled.
struct ToolbarState {
    bool combine = false;
    bool reverse = false;
    bool spread = false;
    bool changeName = false;

    bool operator==(const ToolbarState&) const = default;
};

ToolbarState UpdateToolbarState(const GraphModel& model);

// "~", the name without its trailing digits, "[0:width-1]": D0..D3 give ~D[0:3].
std::string BusName(const std::string& firstName, int width);

bool OnCombine(GraphModel& model);
bool OnSpread(GraphModel& model);
bool OnReverse(GraphModel& model);
bool OnZoomOut(GraphModel& model);
bool OnZoomIn(GraphModel& model);
bool OnToggleGrid(GraphModel& model);

// "Change name or add notes": what the name dialog shows, and what its OK does.
struct NameDialogRequest {
    bool notes = false; // true: the text becomes the notes; false: the name of row
    int row = -1;
    std::string text;      // the edit box's initial text
    int selectionEnd = -1; // -1: the whole text is selected; else characters 1 to selectionEnd
    std::string prompt;    // the static text above the edit box
};

// Nothing when two or more rows are selected.
std::optional<NameDialogRequest> BeginChangeName(const GraphModel& model);
bool FinishChangeName(GraphModel& model, const NameDialogRequest& request, const std::string& text);

} // namespace vorn::waveform
