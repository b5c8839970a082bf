#include "simulator/StateFile.h"

#include "text/Text.h"
#include "text/TextFile.h"
#include "text/WholeFile.h"

namespace vorn::simulator {

using text::kLineEnd;

namespace {

void AddLine(std::string& text, const std::string& line) {
    text += line;
    text += kLineEnd;
}

} // namespace

std::string StateFileText(const FormTexts& texts) {
    std::string text;
    AddLine(text, "address\t\tvalue\t\tcommand");
    for (int r = 0; r < FormTexts::kRows; ++r)
        if (texts.RowAddress(r))
            AddLine(text, texts.MarkedAddressText(r) + "\t\t" + texts.values[r] + "\t" + texts.commands[r]);
    for (const char* line : {"", "registers:", ""})
        AddLine(text, line);
    for (int i = 0; i < FormTexts::kRegisters; ++i)
        AddLine(text, "R" + text::IntToText(i) + ":\t" + texts.registers[i]);
    for (const char* line : {"", "memory:", ""})
        AddLine(text, line);
    for (int i = 0; i < FormTexts::kWatches; ++i)
        AddLine(text, texts.watchAddresses[i] + "\t\t" + texts.watchValues[i]);
    return text;
}

std::optional<Fault> WriteStateFile(const std::string& path, const FormTexts& texts) {
    if (!text::WriteWholeFile(path, StateFileText(texts)))
        return Fault{"Cannot write the state file\n" + path, "", 0};
    return std::nullopt;
}

} // namespace vorn::simulator
