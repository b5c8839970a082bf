#include "isa/ActionEvaluator.h"

#include "isa/ActionText.h"
#include "isa/MachineState.h"
#include "isa/ParseNumber.h"
#include "text/Text.h"

#include <array>
#include <climits>
#include <optional>

namespace vorn::isa {

namespace {

constexpr std::string_view::size_type npos = std::string_view::npos;

// Every call works on a strictly shorter part of its text or on a rewritten text with one
// bracket less, so evaluation always ends.
int32_t Evaluate(MachineState& machine, std::string_view text);

bool LowerCaseMatches(const std::string& text, size_t position, std::string_view word) {
    if (position + word.size() > text.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        const char c = text[position + i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != word[i]) return false;
    }
    return true;
}

void ReplaceIfMatches(std::string& text, size_t position, std::string_view word, const std::string& by) {
    if (LowerCaseMatches(text, position, word)) text.replace(position, word.size(), by);
}

// Replaces text[from, to] (inclusive; to npos for the rest of the text) by a value and
// evaluates the result.
int32_t EvaluateRewritten(MachineState& machine, std::string_view text, size_t from, size_t to,
                          int32_t value) {
    std::string rewritten(text.substr(0, from));
    rewritten += text::IntToText(value);
    if (to != npos) rewritten += text.substr(to + 1);
    return Evaluate(machine, rewritten);
}

int32_t ReadCell(MachineState& machine, std::string_view name) {
    const int32_t* cell = ResolveDestination(machine, name);
    return cell ? *cell : 0;
}

int32_t EvaluateStatements(MachineState& machine, std::string_view text, size_t semicolon) {
    Evaluate(machine, text.substr(0, semicolon));
    Evaluate(machine, text.substr(semicolon + 1));
    return 0;
}

int32_t EvaluateAssignment(MachineState& machine, std::string_view destination, std::string_view source) {
    if (!ResolveDestination(machine, destination)) return -1;
    const int32_t value = Evaluate(machine, source);
    // The index is evaluated anew for every resolution; the source may have changed it.
    int32_t* cell = ResolveDestination(machine, destination);
    if (!cell || cell == machine.RegisterCell(0, 0)) return 0;
    const int32_t limited = ClampToVarWidth(machine, destination, value);
    if (int32_t* target = ResolveDestination(machine, destination)) *target = limited;
    return 0;
}

// A group without its ')' runs to the end of the text and reads as 0.
int32_t EvaluateParentheses(MachineState& machine, std::string_view text, size_t open) {
    const size_t close = MatchingClose(text, open, '(', ')');
    const int32_t value = close == npos ? 0 : Evaluate(machine, text.substr(open + 1, close - open - 1));
    return EvaluateRewritten(machine, text, open, close, value);
}

// The name is the run of letters before the '['; a '[' without its ']' reads as 0 to the end.
int32_t EvaluateIndexing(MachineState& machine, std::string_view text, size_t open) {
    size_t nameStart = open;
    while (nameStart > 0 && text::IsLetter(text[nameStart - 1]))
        --nameStart;
    const size_t close = MatchingClose(text, open, '[', ']');
    const int32_t value =
        close == npos ? 0 : ReadCell(machine, text.substr(nameStart, close - nameStart + 1));
    return EvaluateRewritten(machine, text, nameStart, close, value);
}

int32_t EvaluateConditional(MachineState& machine, std::string_view text, size_t question, size_t colon) {
    if (Evaluate(machine, text.substr(0, question)) != 0)
        return Evaluate(machine, text.substr(question + 1, colon - question - 1));
    return Evaluate(machine, text.substr(colon + 1));
}

// The right operand is evaluated before the left one.
template <class Apply>
int32_t EvaluateSplit(MachineState& machine, std::string_view text, size_t at, size_t width, Apply apply) {
    const int32_t right = Evaluate(machine, text.substr(at + width));
    const int32_t left = Evaluate(machine, text.substr(0, at));
    return apply(left, right);
}

// A '-' after these is a subtraction; elsewhere it is a sign.
bool EndsOperand(char c) {
    return text::IsLetter(c) || text::IsDigit(c) || c == ')' || c == ']';
}

int32_t EvaluateValue(MachineState& machine, std::string_view text) {
    if (const int32_t* cell = ResolveDestination(machine, text)) return *cell;
    // A sign before anything but digits negates the value after it: --5 is 5, -PC is minus PC.
    if (!text.empty() && text[0] == '-' && (text.size() == 1 || !text::IsDigit(text[1])))
        return ApplyOperator(0, Evaluate(machine, text.substr(1)), Operator::Minus);
    return ParseLeadingDecimal(text);
}

int32_t Evaluate(MachineState& machine, std::string_view text) {
    if (text.empty()) return 0;
    if (const size_t semicolon = text.find(';'); semicolon != npos)
        return EvaluateStatements(machine, text, semicolon);
    if (const size_t colon = text.find(':');
        colon != npos && colon + 1 < text.size() && text[colon + 1] == '=')
        return EvaluateAssignment(machine, text.substr(0, colon), text.substr(colon + 2));
    if (const size_t open = text.find('('); open != npos) return EvaluateParentheses(machine, text, open);
    if (const size_t open = text.find('['); open != npos) return EvaluateIndexing(machine, text, open);
    if (const size_t question = text.find('?'); question != npos) {
        if (const size_t colon = text.find(':', question + 1); colon != npos)
            return EvaluateConditional(machine, text, question, colon);
    }
    if (const auto split = FindOperatorSplit(text, EndsOperand))
        return EvaluateSplit(
            machine, text, split->at, split->op.size(),
            [code = OperatorOf(split->op)](int32_t l, int32_t r) { return ApplyOperator(l, r, code); });
    if (text == "halt") {
        ExecuteHalt(machine);
        return 0;
    }
    if (text == "nop") return 0;
    return EvaluateValue(machine, text);
}

} // namespace

void SubstituteOperands(std::string& action, const std::string& rdText, const std::string& rs1Text,
                        const std::string& rs2Text, int32_t imm) {
    const std::string immText = text::IntToText(imm);
    // A replacement may shorten the text, so every comparison checks the length anew.
    for (size_t position = 0; position + 2 <= action.size(); ++position) {
        const char first = action[position];
        if (first != 'r' && first != 'R' && first != 'i' && first != 'I')
            continue; // no placeholder starts here
        ReplaceIfMatches(action, position, "rd", rdText);
        ReplaceIfMatches(action, position, "rs1", rs1Text);
        ReplaceIfMatches(action, position, "rs2", rs2Text);
        ReplaceIfMatches(action, position, "imm", immText);
    }
}

int32_t EvaluateAction(MachineState& machine, std::string_view text) {
    if (text.empty()) {
        machine.prompter().message("zero length", "");
        return 0;
    }
    return Evaluate(machine, text);
}

int32_t* ResolveDestination(MachineState& machine, std::string_view text) {
    if (text == "PC") return &machine.PC;
    if (int32_t* variable = machine.VariableCell(text)) return variable;
    const size_t open = text.find('[');
    if (open == npos) return nullptr;
    const std::string_view prefix = text.substr(0, open);
    // The index runs to the character before the last: the text is expected to end with ']'.
    const std::string_view index =
        text.size() >= open + 2 ? text.substr(open + 1, text.size() - open - 2) : std::string_view{};
    const int32_t file = machine.instructionSet().FindRegisterFile(std::string(prefix));
    if (file < 0 && prefix != "M") return nullptr;
    const int32_t value = Evaluate(machine, index);
    if (file >= 0)
        if (int32_t* cell = machine.RegisterCell(file, value)) return cell;
    if (prefix == "M" && value >= 0) return &machine.MemoryCell(value);
    return nullptr;
}

Operator OperatorOf(std::string_view text) {
    static constexpr std::array<std::string_view, 15> texts{"==", "!=", ">=", "<=", ">>", "<<", "*", "/",
                                                            "+",  "&",  "|",  "^",  "<",  ">",  "-"};
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text) return static_cast<Operator>(i);
    return Operator::Unknown;
}

void ExecuteHalt(MachineState& machine) {
    if (machine.Halted) return;
    machine.PC = ApplyOperator(machine.PC, 1, Operator::Plus);
    machine.Halted = true;
}

int32_t ClampToVarWidth(const MachineState& machine, std::string_view destination, int32_t value) {
    const VarRecord* var = machine.FindVariable(destination);
    return var ? ClampToWidth(var->length, value) : value;
}

int32_t ClampToWidth(int32_t length, int32_t value) {
    int32_t max = INT32_MAX;
    if (length < 0)
        max = 0;
    else if (length < 31)
        max = static_cast<int32_t>(text::IntPower(2.0f, length)) - 1;
    if (value > max) return max;
    return value < 0 ? 0 : value;
}

} // namespace vorn::isa
