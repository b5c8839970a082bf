// The compiled form of an action against the text evaluator (the reference), on random operands and
// machine states, over the rows of the lab's set, of a set in another hand and awkward texts: every
// register, variable, memory word, the PC, the halted flag, every box and the value agree.
// VORN_DIFFERENTIAL_CASES sets the number of random cases per text; 3000 runs over a million.

#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "isa/ActionEvaluator.h"
#include "isa/CommandChecks.h"
#include "isa/CompiledAction.h"
#include "isa/MachineState.h"

#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

using namespace vorn::isa;
using vorn::testing::LabInstructionSet;
using vorn::testing::ScriptedPrompter;

namespace {

int CasesPerText() {
    const char* cases = std::getenv("VORN_DIFFERENTIAL_CASES");
    return cases ? std::max(1, std::atoi(cases)) : 40;
}

class Differential {
  public:
    explicit Differential(const InstructionSet& set)
        : text_(set, textBoxes_), compiled_(set, compiledBoxes_) {}

    // Mostly small values, so that indexes hit cells and branches go both ways.
    int32_t Value() {
        const auto pick = random_() % 8;
        if (pick == 0) return static_cast<int32_t>(random_());
        if (pick == 1) return random_() % 2 ? INT_MIN : INT_MAX;
        return static_cast<int32_t>(random_() % 44) - 4;
    }

    void Scramble() {
        MachineStore& store = *text_.store();
        store.PC = Value();
        store.Halted = random_() % 4 == 0;
        for (RegisterFile& file : store.registerFiles)
            for (int32_t& cell : file.cells)
                cell = Value();
        store.registerFiles[0].cells[0] = 0;
        for (VarRecord& var : store.vars)
            var.value = Value();
        store.dataMemory.clear();
        for (int i = random_() % 12; i > 0; --i)
            store.dataMemory[Value()] = Value();
        *compiled_.store() = store;
    }

    // False when the text is left to the evaluator.
    bool Agree(const std::string& text, int cases) {
        const auto compiled = CompiledAction::Compile(compiled_, text);
        if (!compiled) return false;
        for (int i = 0; i < cases && !::testing::Test::HasFailure(); ++i) {
            Scramble();
            EXPECT_EQ(EvaluateAction(text_, text), compiled->Run(compiled_)) << text;
            Expect(*text_.store(), *compiled_.store(), text);
        }
        return true;
    }

    std::mt19937 random_{20261207};
    ScriptedPrompter textBoxes_;
    ScriptedPrompter compiledBoxes_;
    MachineState text_;
    MachineState compiled_;

  private:
    void Expect(const MachineStore& a, const MachineStore& b, const std::string& text) {
        EXPECT_EQ(a.PC, b.PC) << text;
        EXPECT_EQ(a.Halted, b.Halted) << text;
        for (size_t f = 0; f < a.registerFiles.size(); ++f)
            EXPECT_EQ(a.registerFiles[f].cells, b.registerFiles[f].cells) << text;
        for (size_t v = 0; v < a.vars.size(); ++v)
            EXPECT_EQ(a.vars[v].value, b.vars[v].value) << text;
        EXPECT_EQ(a.dataMemory, b.dataMemory) << text;
        ASSERT_EQ(textBoxes_.boxes.size(), compiledBoxes_.boxes.size()) << text;
    }
};

// Every row with random operands, each prepared as the step prepares it.
void ExpectRowsAgree(const InstructionSet& set) {
    Differential differential(set);
    std::mt19937& random = differential.random_;
    for (int32_t row = 0; row + 1 < set.count(); ++row) {
        const CommandRecord& record = set.commands[row];
        for (int operands = 0; operands < CasesPerText(); ++operands) {
            std::shared_ptr<Command> command;
            if (record.type == "R") {
                auto r = std::make_shared<Rtype>();
                r->function = record.function;
                r->rs2 = static_cast<int32_t>(random() % 32);
                command = r;
            } else {
                auto i = std::make_shared<Itype>();
                i->imm = random() % 2 ? differential.Value() : static_cast<int16_t>(random());
                command = i;
            }
            command->opcode = record.opcode;
            command->rd = static_cast<int32_t>(random() % 32);
            command->rs1 = static_cast<int32_t>(random() % 32);
            const std::string action = differential.compiled_.SubstitutedAction(*command, row);
            ASSERT_TRUE(differential.Agree(action, 8)) << record.name << " is not compiled: " << action;
        }
    }
}

} // namespace

TEST(CompiledAction, AgreesWithTheTextEvaluatorOnEveryLabRow) {
    ExpectRowsAgree(LabInstructionSet());
}

TEST(CompiledAction, AgreesWithTheTextEvaluatorOnAnInstructionSetInAnotherHand) {
    auto set = LoadCommands(std::string(VORN_SOURCE_DIR) + "/tests/isa/data/stack_commands.xml");
    ASSERT_TRUE(set.ok()) << set.fault().text;
    ExpectRowsAgree(*set);
}

TEST(CompiledAction, AgreesWithTheTextEvaluatorOnAwkwardTexts) {
    InstructionSet set;
    set.registerFiles.push_back(RegisterFile{"MF", {}});
    set.vars = {{"v", 8, 0}, {"narrow", -3, 0}, {"wide", 31, 0}, {"PC", 4, 0}, {"halt", 2, 0}};
    Differential differential(set);
    // Texts whose outcome hangs on a value's digits (a value next to a digit, letter or
    // bracket), unmatched brackets, blanks and the empty text are left to the evaluator.
    // clang-format off
    const char* const compiled[] = {
        "MR[1]:=(MR[2]-(MR[3]))", "MR[MR[1]]:=MR[MR[MR[2]]]+1",
        "M[MR[1]]:=M[MR[2]]+M[MR[1]];MR[3]:=M[MR[4]-4]",
        "MR[1]:=-(MR[2]);MR[3]:=--MR[4];MR[5]:=3-(-MR[6]);MR[7]:=---(MR[8])",
        "MR[1]:=(-2+5)*-(3)-(-(MR[2]))", "PC:=MR[1]==0?PC+3:PC-2", "MR[1]>MR[2]?halt:MR[3]:=4",
        "MR[1]<3?halt:nop;MR[2]:=PC", "halt;halt;MR[1]:=PC;PC:=halt", ";;MR[1]:=1;;", "unknown+MR[1]*q",
        "v:=MR[1];wide:=v*MR[2];narrow:=5;PC:=MR[3];halt:=MR[4]", "MR[0]:=7;MR[1]:=MR[0];MR[MR[2]]:=MR[3]",
        "MF[MR[1]]:=MR[2];MR[3]:=MF[MR[1]]+MF[MR[4]]",
        "M[-1]:=halt;X[1]:=halt;(MR[1]:=5);MR[2]:=(MR[3]:=5)+1",
        "MR[1]:=1<2<=3;MR[2]:=1>2>>1;MR[3]:=MR[4]<=MR[5]<MR[6]", "MR[1]:=MR[2]-MR[3]-MR[4]/MR[5]/MR[6]",
        "MR[1]:=(1?MR[2]:3)+(MR[3]?halt:4)", "MR[1]:=(MR[2]<<33)>>(MR[3]&31)^MR[4]|MR[5]",
        "MR[(MR[1]&3)+1]:=(halt)", "MR[MR[1]]:=halt;M[MR[2]]:=(PC:=7)", "MR[1]:=M[PC]+PC;PC:=PC+1",
        "MR[1]:=(PC)+(MR[2]?halt:0)", "M[PC]:=halt", "M[MR[1]]:=M[MR[1]]+1?halt:nop",
        "MR[1]:=-2147483648-1;MR[2]:=-;MR[3]:=1+;MR[4]:=()", "MR[1]:=MR[2]==-(MR[3]);MR[4]:=!(MR[5])",
        "MR[1]:=(((((MR[2])))));MR[3]:=M[M[MR[4]]]", "nop;MR[1]:=(MR[2]?MR[3]:MR[4])?MR[5]:-MR[6]",
        "MR[1]:=MS[MR[2]:=3]+M[(MR[3])-1]+M[-1]",
        "MR[1]:=1?2;MR[2]:=5x;MR[3]:=1=2;MR[4]:=);MR[5]:=5!(MR[6])"};
    const char* const leftToTheEvaluator[] = {
        "MR[1]:=2(3)", "MR[1]:=MR[2](2)", "MR[1]:=(1)2", "MR[MR[1]+(MR[2]:=1)]:=1", "MR[1]:=)(",
        "MR[1]:=MR[2]MR[3]", "MR[1", "(1+2", "MR[1]:= 2", ""};
    // clang-format on
    for (const char* text : compiled)
        EXPECT_TRUE(differential.Agree(text, CasesPerText() * 4)) << text;
    for (const char* text : leftToTheEvaluator)
        EXPECT_FALSE(differential.Agree(text, 1)) << text;
    // The longest and deepest actions that commands.xml may hold.
    std::string longest = "MR[1]:=MR[2]";
    while (longest.size() + 6 <= MaxActionLength)
        longest += "-MR[3]";
    const std::string deepest =
        "MR[1]:=" + std::string(MaxActionDepth, '(') + "MR[2]" + std::string(MaxActionDepth, ')');
    EXPECT_TRUE(differential.Agree(longest, 4));
    EXPECT_TRUE(differential.Agree(deepest, 4));
}

TEST(CompiledAction, NamesThatAValueCouldSpellAreLeftToTheEvaluator) {
    InstructionSet set;
    set.vars = {{"2", 8, 7}}; // (2)+3 reads this variable once the 2 is written back
    ScriptedPrompter prompter;
    MachineState machine(set, prompter);
    EXPECT_FALSE(CompiledAction::Compile(machine, "MR[1]:=(2)+3"));
}
