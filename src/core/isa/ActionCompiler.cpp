// The compiler of action texts: the text evaluator's rules applied in the same order to the
// text, building a tree instead of computing. Where the evaluator writes a value back into the
// text, the compiler writes a marker: the byte 1 and two bytes of the slot number, each with
// the top bit set. No rule looks into a value's text except through the character classes
// that the marker shares with it (an operand ends there; a sign before it is no digit), as
// long as no letter, digit or opening bracket touches it; the compiler gives up otherwise.
//
// Giving up ends the whole compile at once, so no part of the tree is ever built on a part that
// could not be compiled: every node number the compiler hands on names a node.

#include "isa/ActionEvaluator.h"
#include "isa/ActionText.h"
#include "isa/CompiledAction.h"
#include "isa/MachineState.h"
#include "isa/ParseNumber.h"
#include "text/Text.h"

namespace vorn::isa {

namespace {

constexpr auto npos = std::string_view::npos;
constexpr char MarkerStart = '\x01';
constexpr size_t MarkerSize = 3;
constexpr int32_t MaxSlots = 128 * 128;

constexpr uint8_t Writes = 1;  // assigns a cell or halts
constexpr uint8_t Creates = 2; // reads data memory, creating absent addresses

bool IsMarkerByte(char c) {
    return c == MarkerStart || static_cast<unsigned char>(c) >= 0x80;
}

bool IsActionChar(char c) {
    static constexpr std::string_view symbols = "[]();?:><+-*/&|^=!";
    return text::IsLetter(c) || text::IsDigit(c) || symbols.find(c) != npos;
}

// Register files and variables are found by the text of the action; a name that a value's
// digits or signs could spell, or that holds an operator or bracket, is left to the evaluator.
bool IsPlainName(const std::string& name) {
    if (name.empty() || !text::IsLetter(name[0])) return false;
    for (char c : name)
        if (!text::IsLetter(c) && !text::IsDigit(c)) return false;
    return true;
}

// Where a value may stand without merging with its neighbours.
bool MayPrecedeValue(char c) {
    return std::string_view("*/+&|^<>=!?:-([").find(c) != npos;
}
bool MayFollowValue(char c) {
    return std::string_view("*/+&|^<>=!?:-)]").find(c) != npos;
}

// A value's text ends with a digit, so a marker ends an operand too.
bool EndsOperand(char c) {
    return text::IsLetter(c) || text::IsDigit(c) || c == ')' || c == ']' || IsMarkerByte(c);
}

// Thrown where the compiler gives up; the text evaluator runs the text instead.
struct Refused {};

} // namespace

class ActionCompiler {
  public:
    using Node = CompiledAction::Node;
    using Kind = CompiledAction::Kind;
    using Destination = CompiledAction::Destination;

    ActionCompiler(const MachineState& machine, CompiledAction& out) : machine_(machine), out_(out) {}

    bool Compile(std::string_view text) {
        for (char c : text)
            if (!IsActionChar(c)) return false;
        for (const RegisterFile& file : machine_.instructionSet().registerFiles)
            if (!IsPlainName(file.name)) return false;
        for (const VarRecord& var : machine_.Vars())
            if (!IsPlainName(var.name)) return false;
        try {
            out_.root_ = Text(text);
        } catch (const Refused&) {
            return false;
        }
        out_.slots_.assign(slotLeaves_.size(), 0);
        out_.Link();
        return true;
    }

  private:
    int32_t Add(Node node, uint8_t effects) {
        out_.nodes_.push_back(node);
        effects_.push_back(effects);
        return static_cast<int32_t>(out_.nodes_.size() - 1);
    }
    int32_t Constant(int32_t value) { return Add({Kind::Constant, 0, false, value, -1, -1, -1}, 0); }
    // A destination's index node is -1 where it has none (the PC, a variable).
    uint8_t EffectsOf(int32_t node) const { return node < 0 ? 0 : effects_[static_cast<size_t>(node)]; }
    [[noreturn]] static void Refuse() { throw Refused{}; }

    // The evaluator's rules, in its order.
    int32_t Text(std::string_view text) {
        if (text.empty()) return Constant(0);
        if (const size_t semicolon = text.find(';'); semicolon != npos) {
            const int32_t first = Text(text.substr(0, semicolon));
            const int32_t second = Text(text.substr(semicolon + 1));
            return Add({Kind::Sequence, 0, false, 0, first, second, -1},
                       EffectsOf(first) | EffectsOf(second));
        }
        if (const size_t colon = text.find(':');
            colon != npos && colon + 1 < text.size() && text[colon + 1] == '=')
            return Assignment(text.substr(0, colon), text.substr(colon + 2));
        if (const size_t open = text.find('('); open != npos) return Parentheses(text, open);
        if (const size_t open = text.find('['); open != npos) return Indexing(text, open);
        if (const size_t question = text.find('?'); question != npos) {
            if (const size_t colon = text.find(':', question + 1); colon != npos) {
                const int32_t condition = Text(text.substr(0, question));
                const int32_t chosen = Text(text.substr(question + 1, colon - question - 1));
                const int32_t other = Text(text.substr(colon + 1));
                return Add({Kind::Conditional, 0, false, 0, condition, chosen, other},
                           EffectsOf(condition) | EffectsOf(chosen) | EffectsOf(other));
            }
        }
        if (const auto split = FindOperatorSplit(text, EndsOperand)) return Split(text, split->at, split->op);
        if (text == "halt") return Add({Kind::Halt, 0, false, 0, -1, -1, -1}, Writes);
        if (text == "nop") return Constant(0);
        return Value(text);
    }

    int32_t Split(std::string_view text, size_t at, std::string_view op) {
        const int32_t right = Text(text.substr(at + op.size()));
        const int32_t left = Text(text.substr(0, at));
        const auto code = static_cast<uint8_t>(OperatorOf(op));
        const Node l = out_.nodes_[static_cast<size_t>(left)];
        const Node r = out_.nodes_[static_cast<size_t>(right)];
        // Reading a register or the PC has no effect, so the order of the reads is free.
        if (l.kind == Kind::Register && r.kind == Kind::Constant)
            return Add({Kind::RegisterOperatorConstant, code, false, r.value, l.a, l.b, -1}, 0);
        if (l.kind == Kind::Register && r.kind == Kind::Register)
            return Add({Kind::RegisterOperatorRegister, code, false, r.b, l.a, l.b, r.a}, 0);
        if (l.kind == Kind::Pc && r.kind == Kind::Constant)
            return Add({Kind::PcOperatorConstant, code, false, r.value, -1, -1, -1}, 0);
        if (r.kind == Kind::Constant)
            return Add({Kind::OperatorConstant, code, false, r.value, left, -1, -1}, EffectsOf(left));
        return Add({Kind::Operator, code, false, 0, left, right, -1}, EffectsOf(left) | EffectsOf(right));
    }

    int32_t Value(std::string_view text) {
        // Every '[' has gone by the indexing rule before a text is read as a value.
        if (text.find('[') != npos) Refuse();
        if (const auto destination = DestinationOf(text, false)) return ReadCell(*destination);
        if (text[0] == '-' && (text.size() == 1 || !text::IsDigit(text[1]))) {
            const int32_t operand = Text(text.substr(1));
            return Add({Kind::Negate, 0, false, 0, operand, -1, -1}, EffectsOf(operand));
        }
        // The number is read up to the first character that is no sign or digit; a value
        // written in after that point changes nothing.
        size_t end = text[0] == '-' || text[0] == '+' ? 1 : 0;
        while (end < text.size() && text::IsDigit(text[end]))
            ++end;
        if (end == text.size() || text[end] != MarkerStart) return Constant(ParseLeadingDecimal(text));
        if (text.size() != MarkerSize || end != 0) Refuse();
        const int32_t slot = ((text[1] & 0x7F) << 7) | (text[2] & 0x7F);
        const int32_t leaf = Add({Kind::Slot, 0, false, 0, slot, -1, -1}, 0);
        slotLeaves_[static_cast<size_t>(slot)] = leaf;
        return leaf;
    }

    // The register cell that a destination always designates, when its index is a constant.
    std::optional<int32_t> ConstantRegister(const Destination& where) const {
        if (where.where != Destination::Where::Indexed) return std::nullopt;
        const Node& index = out_.nodes_[static_cast<size_t>(where.index)];
        if (index.kind != Kind::Constant || !machine_.IsRegisterCell(where.file, index.value))
            return std::nullopt;
        return index.value;
    }

    int32_t ReadCell(int32_t destination) {
        const Destination& where = out_.destinations_[static_cast<size_t>(destination)];
        if (const auto cell = ConstantRegister(where))
            return Add({Kind::Register, 0, false, 0, where.file, *cell, -1}, 0);
        if (where.where == Destination::Where::Pc) return Add({Kind::Pc, 0, false, 0, -1, -1, -1}, 0);
        const uint8_t effects = EffectsOf(where.index) | (where.memory ? Creates : 0);
        return Add({Kind::ReadCell, 0, false, 0, destination, -1, -1}, effects);
    }

    // The cell a text designates, as ResolveDestination finds it; nothing when the text can
    // designate none. With indexOnly, only NAME[index] texts are looked at.
    std::optional<int32_t> DestinationOf(std::string_view text, bool indexOnly) {
        Destination destination;
        if (!indexOnly && text == "PC") return AddDestination(destination);
        if (!indexOnly)
            if (const VarRecord* var = machine_.FindVariable(text)) {
                destination.where = Destination::Where::Variable;
                destination.variable = static_cast<int32_t>(var - machine_.Vars().data());
                return AddDestination(destination);
            }
        const size_t open = text.find('[');
        if (open == npos) return std::nullopt;
        const std::string_view prefix = text.substr(0, open);
        const std::string_view index =
            text.size() >= open + 2 ? text.substr(open + 1, text.size() - open - 2) : std::string_view{};
        destination.where = Destination::Where::Indexed;
        destination.file = machine_.instructionSet().FindRegisterFile(std::string(prefix));
        destination.memory = prefix == "M";
        if (destination.file < 0 && !destination.memory) return std::nullopt;
        destination.index = Text(index);
        return AddDestination(destination);
    }

    int32_t AddDestination(const Destination& destination) {
        out_.destinations_.push_back(destination);
        return static_cast<int32_t>(out_.destinations_.size() - 1);
    }

    int32_t Assignment(std::string_view target, std::string_view source) {
        const auto destination = DestinationOf(target, false);
        if (!destination) return Constant(-1);
        const int32_t value = Text(source);
        Destination& where = out_.destinations_[static_cast<size_t>(*destination)];
        where.resolveOnce = !((EffectsOf(where.index) | EffectsOf(value)) & Writes);
        const VarRecord* var = machine_.FindVariable(target);
        if (where.where == Destination::Where::Pc && !var)
            return Add({Kind::AssignPc, 0, false, 0, -1, value, -1}, Writes | EffectsOf(value));
        if (const auto cell = ConstantRegister(where); cell && !var)
            return Add({Kind::AssignRegister, 0, false, 0, where.file, value, *cell},
                       Writes | EffectsOf(value));
        Node node{Kind::Assign, 0, false, 0, *destination, value, -1};
        if (var) {
            node.clamp = true;
            node.value = var->length;
        }
        return Add(node, Writes | EffectsOf(where.index) | EffectsOf(value));
    }

    int32_t Parentheses(std::string_view text, size_t open) {
        const size_t close = MatchingClose(text, open, '(', ')');
        if (close == npos) Refuse();
        const int32_t inner = Text(text.substr(open + 1, close - open - 1));
        return Rewrite(text, open, close, inner);
    }

    int32_t Indexing(std::string_view text, size_t open) {
        size_t nameStart = open;
        while (nameStart > 0 && text::IsLetter(text[nameStart - 1]))
            --nameStart;
        const size_t close = MatchingClose(text, open, '[', ']');
        if (close == npos) Refuse();
        const auto destination = DestinationOf(text.substr(nameStart, close - nameStart + 1), true);
        const int32_t value = destination ? ReadCell(*destination) : Constant(0);
        return Rewrite(text, nameStart, close, value);
    }

    // The evaluator evaluates text[from, to] and evaluates the text with its value written in.
    // The value goes to a slot first, unless it can be computed where it is used: nothing it
    // reads is written before, and nothing is lost when it is not used.
    int32_t Rewrite(std::string_view text, size_t from, size_t to, int32_t value) {
        if ((from > 0 && !MayPrecedeValue(text[from - 1])) ||
            (to + 1 < text.size() && !MayFollowValue(text[to + 1])))
            Refuse();
        const auto slot = static_cast<int32_t>(slotLeaves_.size());
        if (slot >= MaxSlots) Refuse();
        slotLeaves_.push_back(-1);
        std::string rewritten(text.substr(0, from));
        rewritten += MarkerStart;
        rewritten += static_cast<char>(0x80 | (slot >> 7));
        rewritten += static_cast<char>(0x80 | (slot & 0x7F));
        rewritten += text.substr(to + 1);
        const int32_t body = Text(rewritten);
        const int32_t leaf = slotLeaves_[static_cast<size_t>(slot)];
        if (body == leaf) return value; // the text was the value alone
        if (leaf >= 0 && EffectsOf(value) == 0 && !(EffectsOf(body) & Writes)) {
            out_.nodes_[static_cast<size_t>(leaf)] = out_.nodes_[static_cast<size_t>(value)];
            return body;
        }
        return Add({Kind::Let, 0, false, 0, slot, value, body}, EffectsOf(value) | EffectsOf(body));
    }

    const MachineState& machine_;
    CompiledAction& out_;
    std::vector<uint8_t> effects_;
    std::vector<int32_t> slotLeaves_; // the leaf that reads each slot, -1 while none
};

std::optional<CompiledAction> CompiledAction::Compile(const MachineState& machine, std::string_view text) {
    if (text.empty()) return std::nullopt; // the evaluator's "zero length" box
    CompiledAction action;
    ActionCompiler compiler(machine, action);
    if (!compiler.Compile(text)) return std::nullopt;
    return action;
}

} // namespace vorn::isa
