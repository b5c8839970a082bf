#include "waveform/WaveformFile.h"

#include "text/ChosenFile.h"
#include "text/TextFile.h"
#include "text/WholeFile.h"

#include <filesystem>
#include <istream>
#include <ostream>
#include <sstream>

namespace vorn::waveform {

using text::kLineEnd;
namespace {

constexpr size_t kMaxLineLength = 99;
constexpr int kMaxSignals = 32;

// The next line without its line break (and without the CR of a CR LF); nothing at the end
// of the stream or when the line is longer than a reader of the format takes.
std::optional<std::string> ReadLine(std::istream& in) {
    std::string line;
    if (!text::ReadTextLine(in, line) || line.size() > kMaxLineLength) return std::nullopt;
    return line;
}

bool ReadKeyword(std::istream& in, const char* keyword) {
    const std::optional<std::string> line = ReadLine(in);
    return line && *line == keyword;
}

// Two digits at most, not checked to be digits: "7" and "07" give 7, "123" gives 12.
std::optional<int> ReadCount(std::istream& in, int most) {
    const std::optional<std::string> line = ReadLine(in);
    if (!line || line->empty()) return std::nullopt;
    const std::string& t = *line;
    const int count = t.size() == 1 ? t[0] - '0' : 10 * (t[0] - '0') + (t[1] - '0');
    if (count < 0 || count > most) return std::nullopt;
    return count;
}

std::optional<RawSignal> ReadSignal(std::istream& in, int steps) {
    std::string text;
    // A last line without its line break is refused.
    if (!text::ReadTextLine(in, text) || in.eof()) return std::nullopt;
    const size_t blank = text.find(' ');
    if (blank == std::string::npos || blank > kMaxLineLength) return std::nullopt;
    const std::string values = text.substr(blank + 1);
    if (values.size() > kMaxLineLength || values.size() < static_cast<size_t>(steps)) return std::nullopt;
    RawSignal signal;
    signal.name = text.substr(0, blank);
    for (int s = 0; s < steps; ++s)
        signal.value[s] = values[s] - '0';
    return signal;
}

bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

void WriteLine(std::ostream& out, const std::string& text) {
    out << text << kLineEnd;
}

} // namespace

std::optional<WaveformFile> ValidateWaveform(std::istream& in) {
    if (!ReadKeyword(in, ".NUMSIGNALS")) return std::nullopt;
    const std::optional<int> count = ReadCount(in, kMaxSignals);
    if (!count || !ReadKeyword(in, ".NUMSTEPS")) return std::nullopt;
    const std::optional<int> steps = ReadCount(in, kMaxSteps);
    if (!steps || !ReadKeyword(in, ".NOTES")) return std::nullopt;
    const std::optional<std::string> notes = ReadLine(in);
    if (!notes || !ReadKeyword(in, ".SIGNALS")) return std::nullopt;
    WaveformFile file{*steps, *notes, {}};
    for (int j = 0; j < *count; ++j) {
        std::optional<RawSignal> signal = ReadSignal(in, *steps);
        if (!signal) return std::nullopt;
        file.raw.push_back(std::move(*signal));
    }
    return file;
}

bool LoadWaveform(GraphModel& model, std::istream& in) {
    std::optional<WaveformFile> file = ValidateWaveform(in);
    if (!file) return false;
    model.Fill(file->steps, std::move(file->raw));
    model.setNotes(std::move(file->notes));
    return true;
}

std::optional<std::string> SaveRefusal(const GraphModel& model) {
    const std::string nothingSaved = " Nothing was saved.";
    const auto& signals = model.rawSignals();
    if (static_cast<int>(signals.size()) > kMaxSignals)
        return "This waveform has " + std::to_string(signals.size()) +
               " signals, but a waveform file holds at most 32." + nothingSaved;
    if (model.notes().size() > kMaxLineLength)
        return "The notes are " + std::to_string(model.notes().size()) +
               " characters long, but a waveform file holds at most 99." + nothingSaved;
    if (HoldsLineBreak(model.notes()))
        return "The notes hold a line break, which a waveform file cannot keep." + nothingSaved;
    for (const RawSignal& signal : signals) {
        if (signal.name.find(' ') != std::string::npos || HoldsLineBreak(signal.name))
            return "The signal name \"" + signal.name +
                   "\" holds a blank or a line break, which a waveform file cannot keep." + nothingSaved;
        if (signal.name.size() > kMaxLineLength)
            return "The signal name \"" + signal.name +
                   "\" is longer than 99 characters, which a waveform file cannot keep." + nothingSaved;
    }
    return std::nullopt;
}

void SaveWaveform(const GraphModel& model, std::ostream& out) {
    WriteLine(out, ".NUMSIGNALS");
    WriteLine(out, std::to_string(model.rawSignals().size()));
    WriteLine(out, ".NUMSTEPS");
    WriteLine(out, std::to_string(model.steps()));
    WriteLine(out, ".NOTES");
    WriteLine(out, model.notes());
    WriteLine(out, ".SIGNALS");
    for (const RawSignal& signal : model.rawSignals()) {
        // Only bit 0 of a value counts in the rows, and it keeps one character per step.
        std::string line = signal.name + ' ';
        for (int s = 0; s < model.steps(); ++s)
            line += (signal.value[s] & 1) != 0 ? '1' : '0';
        WriteLine(out, line);
    }
    out.flush();
}

void OnSave(const GraphModel& model, Prompter& prompter) {
    if (const std::optional<std::string> refusal = SaveRefusal(model)) {
        prompter.message(*refusal, "");
        return;
    }
    const std::optional<std::string> chosen = prompter.chooseSaveFile(kWaveformFilter);
    if (!chosen) return;
    std::filesystem::path path(*chosen);
    if (!path.has_extension()) path += ".wf";
    std::ostringstream out;
    SaveWaveform(model, out);
    if (!text::WriteWholeFile(path, out.str())) prompter.message(text::CannotWriteText(path.string()), "");
}

bool OnOpen(GraphModel& model, Prompter& prompter) {
    const std::optional<std::string> chosen = prompter.chooseOpenFile(kWaveformFilter);
    if (!chosen) return false;
    std::istringstream in;
    return text::OpenChosenFile(*chosen, in) && LoadWaveform(model, in);
}

} // namespace vorn::waveform
