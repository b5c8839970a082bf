#pragma once
// The register-transfer language of the instruction set's action texts, evaluated by
// rewriting text: a sub-expression is evaluated, written back as decimal digits, and the new
// text is evaluated again. Operators split at their first occurrence in a fixed search order,
// so an operator found earlier binds more loosely and equal operators group to the right
// (10-4-3 is 9, 2+3*4 is 20). Values are signed 32-bit and wrap modulo 2^32.
//
// Storage names: "PC", declared variables, NAME[index] of a register file, M[address] of the
// data memory. A cell that cannot be resolved and a bracket without its match read as 0.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vorn::isa {

class MachineState;

// Replaces the placeholders rd, rs1, rs2 and imm, in any letter case and also inside longer
// words, by the operand texts and the decimal text of imm.
void SubstituteOperands(std::string& action, const std::string& rdText, const std::string& rs1Text,
                        const std::string& rs2Text, int32_t imm);

// Statements and assignments give 0, an assignment to no cell -1, an expression its value.
// A wholly empty text shows "zero length" and gives 0; empty statements are skipped.
int32_t EvaluateAction(MachineState& machine, std::string_view text);

// The cell that a storage name designates, or nullptr. Index texts are evaluated.
int32_t* ResolveDestination(MachineState& machine, std::string_view text);

// The operators in the order the evaluator tries them: the two-character ones first.
enum class Operator : uint8_t {
    Equal,
    NotEqual,
    GreaterEqual,
    LessEqual,
    ShiftRight,
    ShiftLeft,
    Times,
    Divide,
    Plus,
    And,
    Or,
    Xor,
    Less,
    Greater,
    Minus,
    Unknown
};
// Shifts take the low five bits of right; division by zero gives 0; Unknown gives -1.
inline int32_t ApplyOperator(int32_t left, int32_t right, Operator op) {
    const uint32_t shift = static_cast<uint32_t>(right) & 31u;
    switch (op) {
    case Operator::Equal:
        return left == right ? 1 : 0;
    case Operator::NotEqual:
        return left != right ? 1 : 0;
    case Operator::GreaterEqual:
        return left >= right ? 1 : 0;
    case Operator::LessEqual:
        return left <= right ? 1 : 0;
    case Operator::ShiftRight:
        return left >> shift;
    case Operator::ShiftLeft:
        return static_cast<int32_t>(static_cast<uint32_t>(left) << shift);
    case Operator::Times:
        return static_cast<int32_t>(static_cast<uint32_t>(left) * static_cast<uint32_t>(right));
    case Operator::Divide:
        if (right == 0) return 0;
        if (left == std::numeric_limits<int32_t>::min() && right == -1)
            return std::numeric_limits<int32_t>::min();
        return left / right;
    case Operator::Plus:
        return static_cast<int32_t>(static_cast<uint32_t>(left) + static_cast<uint32_t>(right));
    case Operator::And:
        return left & right;
    case Operator::Or:
        return left | right;
    case Operator::Xor:
        return left ^ right;
    case Operator::Less:
        return left < right ? 1 : 0;
    case Operator::Greater:
        return left > right ? 1 : 0;
    case Operator::Minus:
        return static_cast<int32_t>(static_cast<uint32_t>(left) - static_cast<uint32_t>(right));
    case Operator::Unknown:
        break;
    }
    return -1;
}

// The operator of a text of one or two characters; Unknown for any other text.
Operator OperatorOf(std::string_view text);

// The first halt advances the PC by one and sets the halted flag; later ones change nothing.
void ExecuteHalt(MachineState& machine);

// A value stored to a declared variable is limited to 0..2^length-1 (0..2147483647 from a
// length of 31, 0..0 for a negative length); other destinations take it unchanged.
int32_t ClampToVarWidth(const MachineState& machine, std::string_view destination, int32_t value);
// The same limit for a variable of that length.
int32_t ClampToWidth(int32_t length, int32_t value);

} // namespace vorn::isa
