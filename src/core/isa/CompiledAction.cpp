#include "isa/CompiledAction.h"

#include "isa/ActionEvaluator.h"
#include "isa/MachineState.h"

#include <array>

namespace vorn::isa {

int32_t CompiledAction::Run(MachineState& machine) const {
    return Evaluate(machine, root_);
}

int32_t* CompiledAction::Resolve(MachineState& machine, const Destination& destination) const {
    switch (destination.where) {
    case Destination::Where::Pc:
        return &machine.PC;
    case Destination::Where::Variable:
        return &machine.store()->vars[static_cast<size_t>(destination.variable)].value;
    case Destination::Where::Indexed:
        break;
    }
    const int32_t index = Evaluate(machine, destination.index);
    if (destination.file >= 0)
        if (int32_t* cell = machine.RegisterCell(destination.file, index)) return cell;
    if (destination.memory && index >= 0) return &machine.MemoryCell(index);
    return nullptr;
}

struct CompiledAction::Handlers {
    using A = CompiledAction;
    using M = MachineState;

    static isa::Operator Op(const Node& node) { return static_cast<isa::Operator>(node.op); }

    static int32_t Constant(const A&, const Node& node, M&) { return node.value; }
    static int32_t Slot(const A& action, const Node& node, M&) {
        return action.slots_[static_cast<size_t>(node.a)];
    }
    static int32_t Let(const A& action, const Node& node, M& machine) {
        action.slots_[static_cast<size_t>(node.a)] = action.Evaluate(machine, node.b);
        return action.Evaluate(machine, node.c);
    }
    static int32_t Sequence(const A& action, const Node& node, M& machine) {
        action.Evaluate(machine, node.a);
        action.Evaluate(machine, node.b);
        return 0;
    }
    // The destination is resolved before and twice after the source, as the text evaluator
    // does; once is enough when nothing can move it.
    static int32_t Assign(const A& action, const Node& node, M& machine) {
        const Destination& destination = action.destinations_[static_cast<size_t>(node.a)];
        int32_t* cell = action.Resolve(machine, destination);
        if (!cell) return -1;
        const int32_t value = action.Evaluate(machine, node.b);
        if (!destination.resolveOnce) cell = action.Resolve(machine, destination);
        if (!cell || cell == machine.RegisterCell(0, 0)) return 0;
        const int32_t limited = node.clamp ? ClampToWidth(node.value, value) : value;
        if (!destination.resolveOnce) cell = action.Resolve(machine, destination);
        if (cell) *cell = limited;
        return 0;
    }
    static int32_t ReadCell(const A& action, const Node& node, M& machine) {
        const int32_t* cell = action.Resolve(machine, action.destinations_[static_cast<size_t>(node.a)]);
        return cell ? *cell : 0;
    }
    static int32_t Conditional(const A& action, const Node& node, M& machine) {
        return action.Evaluate(machine, node.a) != 0 ? action.Evaluate(machine, node.b)
                                                     : action.Evaluate(machine, node.c);
    }
    static int32_t Binary(const A& action, const Node& node, M& machine) {
        const int32_t right = action.Evaluate(machine, node.b);
        return ApplyOperator(action.Evaluate(machine, node.a), right, Op(node));
    }
    static int32_t Negate(const A& action, const Node& node, M& machine) {
        return ApplyOperator(0, action.Evaluate(machine, node.a), isa::Operator::Minus);
    }
    static int32_t Halt(const A&, const Node&, M& machine) {
        ExecuteHalt(machine);
        return 0;
    }
    static int32_t Register(const A&, const Node& node, M& machine) {
        return *machine.RegisterCell(node.a, node.b);
    }
    static int32_t AssignRegister(const A& action, const Node& node, M& machine) {
        const int32_t value = action.Evaluate(machine, node.b);
        if (node.a != 0 || node.c != 0) *machine.RegisterCell(node.a, node.c) = value;
        return 0;
    }
    static int32_t Pc(const A&, const Node&, M& machine) { return machine.PC; }
    static int32_t AssignPc(const A& action, const Node& node, M& machine) {
        const int32_t value = action.Evaluate(machine, node.b);
        machine.PC = value;
        return 0;
    }
    static int32_t OperatorConstant(const A& action, const Node& node, M& machine) {
        return ApplyOperator(action.Evaluate(machine, node.a), node.value, Op(node));
    }
    static int32_t RegisterOperatorConstant(const A&, const Node& node, M& machine) {
        return ApplyOperator(*machine.RegisterCell(node.a, node.b), node.value, Op(node));
    }
    static int32_t RegisterOperatorRegister(const A&, const Node& node, M& machine) {
        return ApplyOperator(*machine.RegisterCell(node.a, node.b), *machine.RegisterCell(node.c, node.value),
                             Op(node));
    }
    static int32_t PcOperatorConstant(const A&, const Node& node, M& machine) {
        return ApplyOperator(machine.PC, node.value, Op(node));
    }
};

void CompiledAction::Link() {
    // In the order of Kind.
    static constexpr std::array<Handler, 18> handlers{
        Handlers::Constant,
        Handlers::Slot,
        Handlers::Let,
        Handlers::Sequence,
        Handlers::Assign,
        Handlers::ReadCell,
        Handlers::Conditional,
        Handlers::Binary,
        Handlers::Negate,
        Handlers::Halt,
        Handlers::Register,
        Handlers::AssignRegister,
        Handlers::Pc,
        Handlers::AssignPc,
        Handlers::OperatorConstant,
        Handlers::RegisterOperatorConstant,
        Handlers::RegisterOperatorRegister,
        Handlers::PcOperatorConstant,
    };
    for (Node& node : nodes_)
        node.run = handlers[static_cast<size_t>(node.kind)];
}

} // namespace vorn::isa
