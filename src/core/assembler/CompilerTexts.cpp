// The error texts and the label report of the Compiler, and the memory-map check that makes
// the overlap texts.

#include "assembler/Compiler.h"
#include "text/Text.h"

#include <algorithm>
#include <iostream>
#include <unordered_map>
#include <utility>

namespace vorn::assembler {

using namespace vorn::text;
using namespace line_code;

namespace {

std::string LinePrefix(int32_t lineNumber) {
    return "ERROR ON LINE: " + IntToText(lineNumber) + ". ";
}

const char* ProblemText(LineCheckCode code) {
    switch (code) {
    case kTooManyParameters:
    case kPcTooManyParameters:
        return "too many parameters";
    case kFirstParameterIllegal:
        return "first parameter illegal";
    case kSecondParameterIllegal:
        return "second parameter illegal";
    case kThirdParameterIllegal:
        return "third parameter illegal";
    case kPcWithoutEquals:
        return "missing '=' after pc";
    case kPcWithoutAddress:
        return "missing address";
    case kPcIllegalAddress:
    case kAddressOutOfRange:
        return "illegal address";
    default:
        return "illegal line";
    }
}

// The checker lower-cases the operands of instructions before it looks them up; the message
// names the operand as the line writes it.
std::string OperandAsWritten(const std::string& line, const std::string& operand) {
    const std::string lowered = ToLower(operand);
    std::string written = operand;
    int position = 0;
    for (std::string word = NextWord(line, position); !word.empty(); word = NextWord(line, position))
        if (ToLower(word) == lowered) written = word;
    return written;
}

std::string JoinLineNumbers(const std::vector<int32_t>& numbers) {
    std::string text;
    for (size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0 ? "" : ", ") + IntToText(numbers[i]);
    return text;
}

} // namespace

std::string LineErrorText(int32_t lineNumber, LineCheckCode code, const std::string& word,
                          const std::string& label) {
    if (code == kUnknownCommand) return LinePrefix(lineNumber) + "unknown command: " + word;
    if (code == kLabelPointsToNothing)
        return LinePrefix(lineNumber) + "label '" + label + "' points to nothing";
    return LinePrefix(lineNumber) + word + " - " + ProblemText(code);
}

void Compiler::ReportLineError(const std::string& line, LineCheckCode code, int32_t lineNumber) {
    int position = 0;
    const std::string first = NextWord(line, position);
    if (handler_.DefinesLabel())
        AddError(
            LineErrorText(lineNumber, code, NextWord(line, position), first.substr(0, first.size() - 1)));
    else
        AddError(LineErrorText(lineNumber, code, first, {}));
}

bool Compiler::CheckLabels(const std::string& line, int32_t lineNumber) {
    std::vector<std::string> messages;
    if (handler_.DefinesLabel()) {
        int position = 0;
        const std::string first = NextWord(line, position);
        const std::string name = first.substr(0, first.size() - 1);
        const LabelEntry* entry = handler_.FindLabel(ToLower(name));
        if (!handler_.LabelNameValid())
            messages.push_back(LinePrefix(lineNumber) + "illegal label: '" + name + "'");
        else if (entry && entry->value != lineNumber)
            messages.push_back(LinePrefix(lineNumber) + "label redfinition: '" + name +
                               "' originally defined in line " + IntToText(entry->value));
    }
    // The operand that was looked up and not found.
    if (handler_.ArgumentIsLabel() && !handler_.ArgumentLabelKnown())
        messages.push_back(LinePrefix(lineNumber) + "label '" +
                           OperandAsWritten(line, handler_.ReferencedLabel()) + "' not defined");
    for (std::string& message : messages) {
        std::cout << message << '\n';
        AddError(std::move(message));
    }
    return !messages.empty();
}

void Compiler::BuildLabelReport() {
    for (const LabelEntry& entry : handler_.Labels())
        labelReport_.push_back(entry.name + ": " + IntToText(entry.value) +
                               " D: " + JoinLineNumbers(entry.references));
}

// Lines on one address overlap and the last of them keeps it; each group of such lines gives
// one text, from its last line upwards, groups in the order of their last lines from the end.
void Compiler::CheckMemoryMap() {
    const auto lineCount = static_cast<int32_t>(lineAddress_.size()) - 1;
    // Addresses that only ever rise, as in a source without a pc line that goes back, cannot meet.
    int64_t previous = -1;
    const bool rising = std::all_of(lineAddress_.begin() + 1, lineAddress_.end(), [&](int32_t address) {
        if (address < 0) return true;
        return std::exchange(previous, address) < address;
    });
    if (rising) return;
    std::unordered_map<int32_t, std::vector<int32_t>> linesAt;
    for (int32_t n = 1; n <= lineCount; ++n)
        if (lineAddress_[n] >= 0) linesAt[lineAddress_[n]].push_back(n);

    for (int32_t n = lineCount; n >= 2; --n) {
        const int32_t address = lineAddress_[n];
        if (address < 0) continue;
        const std::vector<int32_t>& group = linesAt[address];
        if (group.size() < 2 || group.back() != n) continue;
        std::string text = "ERROR: memory overlap; the following lines map to address " +
                           Hex32Text(static_cast<uint32_t>(address)) + ": " + IntToText(n) + ", ";
        for (auto earlier = group.rbegin() + 1; earlier != group.rend(); ++earlier) {
            text += IntToText(*earlier) + ", ";
            lineAddress_[*earlier] = -2;
        }
        AddError(std::move(text));
    }

    for (const LabelEntry& entry : handler_.Labels())
        if (lineAddress_[entry.value] == -2 && !entry.references.empty())
            AddError("ERROR ON LINE: " + JoinLineNumbers(entry.references) + ". label '" + entry.name +
                     "' undefined (definition lost during memory map)");
}

} // namespace vorn::assembler
