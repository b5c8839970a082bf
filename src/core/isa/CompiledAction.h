#pragma once
// An action text compiled once into a tree that gives exactly what the text evaluator gives:
// the same value, the same cells written in the same order, the same memory addresses
// created, the same halts. The compiler follows the evaluator's rules step by step on the
// text itself; where the evaluator writes a value back into the text, the compiler writes a
// marker that behaves like any decimal value there, and the tree evaluates the part at that
// moment into a slot. A text whose outcome could depend on the digits of such a value (a value
// written next to a letter or digit), a bracket without its match, a character outside the
// action alphabet, an empty text (its box) or names that are not plain words are not compiled:
// the text evaluator runs them.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vorn::isa {

class MachineState;

class CompiledAction {
  public:
    // The compiled form of a text (blanks removed, operands substituted) for a machine, or
    // nothing when the text evaluator must run it. The form stays valid for that machine:
    // it refers to the machine's register files and variables by position.
    static std::optional<CompiledAction> Compile(const MachineState& machine, std::string_view text);

    // What EvaluateAction gives for the text, with the same effects on the machine.
    int32_t Run(MachineState& machine) const;

    enum class Kind : uint8_t {
        Constant,    // value
        Slot,        // the slot a
        Let,         // slot a := node b, then node c
        Sequence,    // node a, then node b; 0
        Assign,      // destination a := node b, limited to a variable of length value when clamp
        ReadCell,    // the cell of destination a, 0 when none
        Conditional, // node a ? node b : node c
        Operator,    // node b (right) first, then node a (left)
        Negate,      // 0 - node a
        Halt,
        Register,         // cell b of register file a
        AssignRegister,   // cell c of register file a := node b
        Pc,               // the PC
        AssignPc,         // PC := node b
        OperatorConstant, // node a (left) with the constant value on the right
        // Operators on cells that reading does not change, fused to save dispatches:
        RegisterOperatorConstant, // cell b of file a with the constant value
        RegisterOperatorRegister, // cell b of file a with cell value of file c
        PcOperatorConstant,       // the PC with the constant value
    };
    struct Destination {
        enum class Where : uint8_t { Pc, Variable, Indexed } where = Where::Pc;
        int32_t variable = -1;    // Variable: its position
        int32_t file = -1;        // Indexed: the register file, -1 for none
        bool memory = false;      // Indexed: the prefix is "M"
        int32_t index = -1;       // Indexed: the node of the index
        bool resolveOnce = false; // the index gives the same cell every time it is resolved
    };
    struct Node;
    // Each node runs through the function of its kind: an indirect call per kind and call
    // site predicts better than one switch for every node.
    using Handler = int32_t (*)(const CompiledAction&, const Node&, MachineState&);
    struct Node {
        Kind kind = Kind::Constant;
        uint8_t op = 0; // Operator: an isa::Operator
        bool clamp = false;
        int32_t value = 0; // Constant: the value; Assign with clamp: the variable's length
        int32_t a = -1;
        int32_t b = -1;
        int32_t c = -1;
        Handler run = nullptr; // set when the compiler is done
    };

  private:
    friend class ActionCompiler;

    int32_t Evaluate(MachineState& machine, int32_t at) const {
        const Node& node = nodes_[static_cast<size_t>(at)];
        return node.run(*this, node, machine);
    }
    int32_t* Resolve(MachineState& machine, const Destination& destination) const;
    // Gives every node the function of its kind.
    void Link();
    struct Handlers;

    std::vector<Node> nodes_;
    std::vector<Destination> destinations_;
    int32_t root_ = -1;
    // One slot per value written back into the text; reused by every run.
    mutable std::vector<int32_t> slots_;
};

} // namespace vorn::isa
