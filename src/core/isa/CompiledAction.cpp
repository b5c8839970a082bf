#include "isa/CompiledAction.h"

#include "isa/ActionEvaluator.h"
#include "isa/MachineState.h"

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

int32_t CompiledAction::Evaluate(MachineState& machine, int32_t at) const {
    const Node& node = nodes_[static_cast<size_t>(at)];
    switch (node.kind) {
    case Kind::Constant:
        return node.value;
    case Kind::Slot:
        return slots_[static_cast<size_t>(node.a)];
    case Kind::Let:
        slots_[static_cast<size_t>(node.a)] = Evaluate(machine, node.b);
        return Evaluate(machine, node.c);
    case Kind::Sequence:
        Evaluate(machine, node.a);
        Evaluate(machine, node.b);
        return 0;
    case Kind::Assign: {
        // The destination is resolved before and twice after the source, as the text
        // evaluator does; once is enough when nothing can move it.
        const Destination& destination = destinations_[static_cast<size_t>(node.a)];
        int32_t* cell = Resolve(machine, destination);
        if (!cell) return -1;
        const int32_t value = Evaluate(machine, node.b);
        if (!destination.resolveOnce) cell = Resolve(machine, destination);
        if (!cell || cell == machine.RegisterCell(0, 0)) return 0;
        const int32_t limited = node.clamp ? ClampToWidth(node.value, value) : value;
        if (!destination.resolveOnce) cell = Resolve(machine, destination);
        if (cell) *cell = limited;
        return 0;
    }
    case Kind::ReadCell: {
        const int32_t* cell = Resolve(machine, destinations_[static_cast<size_t>(node.a)]);
        return cell ? *cell : 0;
    }
    case Kind::Conditional:
        return Evaluate(machine, node.a) != 0 ? Evaluate(machine, node.b) : Evaluate(machine, node.c);
    case Kind::Operator: {
        const int32_t right = Evaluate(machine, node.b);
        return ApplyOperator(Evaluate(machine, node.a), right, static_cast<Operator>(node.op));
    }
    case Kind::Negate:
        return ApplyOperator(0, Evaluate(machine, node.a), Operator::Minus);
    case Kind::Halt:
        ExecuteHalt(machine);
        return 0;
    }
    return 0;
}

} // namespace vorn::isa
