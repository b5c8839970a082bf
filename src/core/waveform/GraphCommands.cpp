#include "waveform/GraphCommands.h"

#include <algorithm>
#include <vector>

namespace vorn::waveform {
namespace {

std::vector<int> SelectedIndices(const GraphModel& model) {
    std::vector<int> indices;
    for (int i = 0; i < static_cast<int>(model.rows().size()); ++i)
        if (model.rows()[i].selected) indices.push_back(i);
    return indices;
}

bool CanCombine(const GraphModel& model, const std::vector<int>& selected) {
    return selected.size() >= 2 && static_cast<int>(selected.size()) <= kMaxBusWidth &&
           std::none_of(selected.begin(), selected.end(), [&](int i) { return model.rows()[i].isBus(); });
}

// The one selected bus, or -1.
int SelectedBus(const GraphModel& model) {
    const std::vector<int> selected = SelectedIndices(model);
    return selected.size() == 1 && model.rows()[selected.front()].isBus() ? selected.front() : -1;
}

std::string WithoutTrailingDigits(const std::string& name) {
    const size_t end = name.find_last_not_of("0123456789");
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

} // namespace

ToolbarState UpdateToolbarState(const GraphModel& model) {
    const std::vector<int> selected = SelectedIndices(model);
    const bool oneBus = SelectedBus(model) >= 0;
    return {CanCombine(model, selected), oneBus, oneBus, selected.size() <= 1};
}

std::string BusName(const std::string& firstName, int width) {
    return "~" + WithoutTrailingDigits(firstName) + "[0:" + std::to_string(width - 1) + "]";
}

bool OnCombine(GraphModel& model) {
    const std::vector<int> selected = SelectedIndices(model);
    if (!CanCombine(model, selected)) return false;
    const std::string name = BusName(model.rows()[selected.front()].name, static_cast<int>(selected.size()));
    return model.CombineRows(selected, name);
}

bool OnSpread(GraphModel& model) {
    return model.SpreadRow(SelectedBus(model));
}

bool OnReverse(GraphModel& model) {
    return model.ReverseRow(SelectedBus(model));
}

bool OnZoomOut(GraphModel& model) {
    return model.ZoomOut();
}

bool OnZoomIn(GraphModel& model) {
    return model.ZoomIn();
}

bool OnToggleGrid(GraphModel& model) {
    model.ToggleGrid();
    return true;
}

std::optional<NameDialogRequest> BeginChangeName(const GraphModel& model) {
    const std::vector<int> selected = SelectedIndices(model);
    if (selected.size() >= 2) return std::nullopt;
    NameDialogRequest request;
    if (selected.empty()) {
        request.notes = true;
        request.prompt = "enter notes";
        return request;
    }
    const SignalRow& row = model.rows()[selected.front()];
    // The dialog offers the name the signal was captured or read with, not the row's.
    const std::string& signalName = model.rawSignals()[row.sources.front()].name;
    request.row = selected.front();
    request.prompt = "enter a name for the graph";
    if (row.isBus()) {
        request.text = BusName(signalName, row.width());
        // Selects the stem between "~" and "[", ready to be typed over.
        request.selectionEnd = 1 + static_cast<int>(WithoutTrailingDigits(signalName).size());
    } else {
        request.text = signalName;
    }
    return request;
}

bool FinishChangeName(GraphModel& model, const NameDialogRequest& request, const std::string& text) {
    if (!request.notes) return model.RenameRow(request.row, text);
    model.setNotes(text);
    return true;
}

} // namespace vorn::waveform
