#pragma once
// ".wf" waveform files: the view's one-bit signals, the step count and the notes, one item a
// line. The arrangement of the rows (order, buses, names given in the view) is not kept.
//
//   .NUMSIGNALS / count / .NUMSTEPS / steps / .NOTES / notes / .SIGNALS /
//   one line per signal: its name, one blank, one character "0" or "1" per step
//
// Lines are written with CR LF and read with CR LF or LF; a line may hold at most 99
// characters, and the last signal line must end with a line break.

#include "Prompter.h"
#include "waveform/GraphModel.h"
#include "waveform/RawSignal.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vorn::waveform {

struct WaveformFile {
    int steps = 0;
    std::string notes;
    std::vector<RawSignal> raw;
};

inline constexpr char kWaveformFilter[] = "Waveform Files(*.wf)";

// The whole file read and checked; nothing when any part of it is refused.
std::optional<WaveformFile> ValidateWaveform(std::istream& in);
// Replaces the view's signals and notes by a valid file's; false, changing nothing, otherwise.
bool LoadWaveform(GraphModel& model, std::istream& in);

// Why the file that the view would write could not be read back; nothing when it can.
std::optional<std::string> SaveRefusal(const GraphModel& model);
void SaveWaveform(const GraphModel& model, std::ostream& out);

// The toolbar's "Save" and "Open"; true from OnOpen when the view must be repainted.
void OnSave(const GraphModel& model, Prompter& prompter);
bool OnOpen(GraphModel& model, Prompter& prompter);

} // namespace vorn::waveform
