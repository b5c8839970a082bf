#include "isa/CommandChecks.h"

#include "text/Text.h"

#include <string_view>

namespace vorn::isa {

namespace {

Fault LoadFault(std::string text) {
    return {std::move(text), "", 1};
}

bool IsActionChar(char c) {
    static constexpr std::string_view symbols = "[]();?:><+-*/&|^=!\n\t\r ";
    return text::IsLetter(c) || text::IsDigit(c) || symbols.find(c) != std::string_view::npos;
}

bool IsDestination(const InstructionSet& set, const std::string& part) {
    const std::string target = part.substr(0, part.find(":="));
    if (target == "PC" || set.FindVar(target) >= 0) return true;
    const std::string array = part.substr(0, part.find('['));
    return array == "M" || set.FindRegisterFile(array) >= 0;
}

std::optional<Fault> CheckStatement(const InstructionSet& set, const std::string& part) {
    int round = 0;
    int square = 0;
    for (char c : part) {
        if (c == '(')
            ++round;
        else if (c == ')')
            --round;
        else if (c == '[')
            ++square;
        else if (c == ']')
            --square;
        else if (!IsActionChar(c))
            return LoadFault(std::string("illegal char in action field: char(' ") + c + " ')");
    }
    if (round != 0 || square != 0) return LoadFault("unbalanced parenthesis");
    if (part.find(":=") != std::string::npos && !IsDestination(set, part))
        return LoadFault(part + " has assignment to bad destination");
    return std::nullopt;
}

} // namespace

std::optional<Fault> CheckIdentifier(const std::string& name, const std::string& bits) {
    if (bits.size() != 6) return LoadFault("Bad indentifier length at command " + name);
    for (char c : bits)
        if (c != '0' && c != '1')
            return LoadFault("Not a binary value indentifier length at command " + name);
    return std::nullopt;
}

bool CheckArgsField(const std::string& args) {
    std::string copy = args;
    for (char& c : copy)
        if (c == ',') c = ' ';
    if (copy == "none") return true;
    int position = 0;
    for (std::string word = text::NextWord(copy, position); !word.empty();
         word = text::NextWord(copy, position))
        if (word != "RD" && word != "RS1" && word != "RS2" && word != "imm") return false;
    return true;
}

// Statements separated by ';' are checked one after another; empty ones pass.
std::optional<Fault> CheckAction(const InstructionSet& set, const std::string& action) {
    size_t start = 0;
    while (start <= action.size()) {
        const size_t end = std::min(action.find(';', start), action.size());
        if (auto fault = CheckStatement(set, action.substr(start, end - start))) return fault;
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<Fault> CheckActionSize(const std::string& name, const std::string& action) {
    if (action.size() > MaxActionLength) return LoadFault("action field too long at command " + name);
    int depth = 0;
    for (char c : action) {
        if (c == '(' || c == '[')
            ++depth;
        else if (c == ')' || c == ']')
            --depth;
        if (depth > MaxActionDepth) return LoadFault("parenthesis nested too deep at command " + name);
    }
    return std::nullopt;
}

std::optional<Fault> ReportDuplicateIdentifier(const InstructionSet& set,
                                               const std::set<std::string>& usedKeys, const std::string& key,
                                               int32_t row) {
    if (!usedKeys.contains(key)) return std::nullopt;
    const CommandRecord& duplicate = set.commands[row];
    int32_t first = 0;
    while (first < row && (set.commands[first].opcode != duplicate.opcode ||
                           set.commands[first].function != duplicate.function))
        ++first;
    return LoadFault("Duplicated Identifier in Commands\n\"" + set.commands[first].name + "\" and \"" +
                     duplicate.name + "\"\n Opcode:  " + duplicate.opcode +
                     "\n Function: " + duplicate.function);
}

} // namespace vorn::isa
