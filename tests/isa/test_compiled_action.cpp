// The compiled form of an action against the text evaluator (the reference): whole random programs
// of the lab's set and of a set in another hand, stepped by the machine (prepared records and
// compiled forms) against decode, substitute and evaluate, and awkward texts on random machine
// states. Every register, variable, memory word, the PC, the halted flag, every box and the value
// agree. VORN_DIFFERENTIAL_CASES (default 40) sets the random cases per text and a quarter of the
// programs per set; 3000 runs over a million steps.

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

    // Random programs of the set's rows and stray words, run by MachineState::Step on one machine
    // and by ReferenceStep on the other. Programs load over each other, a running record is now
    // and then replaced, and a halted machine or one outside the program is often sent back into
    // it. Every row that ran is compiled, but for the one named refused.
    void StepProgramsAlike(const std::string& refused = "") {
        const InstructionSet& set = compiled_.instructionSet();
        for (int program = 0; program < 4 * CasesPerText() && !::testing::Test::HasFailure(); ++program) {
            Scramble();
            const auto start = static_cast<int32_t>(random_() % 8);
            Load(start, 8 + static_cast<int32_t>(random_() % 24));
            for (int step = 0; step < 64 && !::testing::Test::HasFailure(); ++step) {
                if ((compiled_.Halted || !compiled_.FindInstruction(compiled_.PC)) && random_() % 2) {
                    compiled_.JumpTo(static_cast<int32_t>(random_() % 32));
                    text_.JumpTo(compiled_.PC);
                }
                if (random_() % 16 == 0 && compiled_.FindInstruction(compiled_.PC)) Load(compiled_.PC, 1);
                const std::string where =
                    "program " + std::to_string(program) + " step " + std::to_string(step);
                compiled_.Step();
                ReferenceStep();
                Expect(*text_.store(), *compiled_.store(), where);
            }
            for (const auto& [address, record] : compiled_.Program()) {
                const int32_t row = record.prepared.row; // -1 while the record has not run
                ASSERT_TRUE(row < 0 ||
                            record.prepared.compiled.has_value() == (set.commands[row].name != refused))
                    << "row " << row;
            }
        }
    }

    std::mt19937 random_{20261207};
    ScriptedPrompter textBoxes_;
    ScriptedPrompter compiledBoxes_;
    MachineState text_;
    MachineState compiled_;

  private:
    // Words of random rows with random fields, now and then any word at all, at count addresses
    // from start, into both machines.
    void Load(int32_t start, int32_t count) {
        const InstructionSet& set = compiled_.instructionSet();
        std::vector<MemoryRecord> image;
        for (int32_t address = start; address < start + count; ++address) {
            const CommandRecord& row = set.commands[random_() % static_cast<uint32_t>(set.count() - 1)];
            const uint32_t fields = random_() & 0x03FF0000u; // RS1 and RS2 or RD
            uint32_t word = BitsValue(row.opcode) << 26 | fields | (static_cast<uint32_t>(Value()) & 0xFFFF);
            if (row.type == "R") word = fields | (random_() % 32) << 11 | BitsValue(row.function);
            if (random_() % 8 == 0) word = random_();
            image.push_back({address, words_[address] = word, "", nullptr, false});
        }
        compiled_.LoadProgram(image);
        text_.LoadProgram(image);
    }

    // A step as the machine is described: the word at the PC decoded, its operands put into its
    // row's action and the text evaluated; then the PC advances, unless an instruction ran and
    // the machine is halted.
    void ReferenceStep() {
        const auto word = words_.find(text_.PC);
        if (word != words_.end())
            if (const auto instruction = DecodeInstruction(text_.instructionSet(), word->second))
                EvaluateAction(text_, text_.SubstitutedAction(*instruction,
                                                              instruction->FindRow(text_.instructionSet())));
        if (word == words_.end() || !text_.Halted)
            text_.PC = static_cast<int32_t>(static_cast<uint32_t>(text_.PC) + 1);
    }

    std::map<int32_t, uint32_t> words_; // the words of the programs loaded so far

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

} // namespace

TEST(CompiledAction, StepsOfRandomLabProgramsAgreeWithDecodeSubstituteAndEvaluate) {
    Differential(LabInstructionSet()).StepProgramsAlike();
}

TEST(CompiledAction, StepsOfRandomProgramsInAnotherHandAgreeWithDecodeSubstituteAndEvaluate) {
    auto set = LoadCommands(std::string(VORN_SOURCE_DIR) + "/tests/isa/data/stack_commands.xml");
    ASSERT_TRUE(set.ok()) << set.fault().text;
    Differential(*set).StepProgramsAlike("glue");
}

TEST(CompiledAction, AgreesWithTheTextEvaluatorOnAwkwardTexts) {
    InstructionSet set;
    set.registerFiles.push_back(RegisterFile{"MF", {}});
    set.vars = {{"v", 8, 0}, {"narrow", -3, 0}, {"wide", 31, 0}, {"PC", 4, 0}, {"halt", 2, 0}};
    Differential differential(set);
    // Texts whose outcome hangs on a value's digits (a value next to a digit, letter or
    // bracket, also inside an index, or a name that a value could spell), unmatched brackets,
    // blanks and the empty text are left to the evaluator.
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
        "MR[1]:=MS[MR[2]:=3]+M[(MR[3])-1]+M[-1]", "MR[1]:=MR[32]+MF[-1];MR[32]:=1", "MR[PC&1]:=halt",
        "MR[1]:=1?2;MR[2]:=5x;MR[3]:=1=2;MR[4]:=);MR[5]:=5!(MR[6])"};
    const char* const leftToTheEvaluator[] = {
        "MR[1]:=2(3)", "MR[1]:=MR[2](2)", "MR[1]:=(1)2", "MR[MR[1]+(MR[2]:=1)]:=1", "MR[1]:=)(",
        "MR[1]:=MR[2]MR[3]", "MR[1", "(1+2", "MR[1]:= 2", "", "MR[M[1]2]", "MR[1]:=MR[MR[2]1]",
        "PC:=MF[M[1]2]?1:2", "MR[1]:=1;MR[2]:=-MR[(MR[3])4]", "M[MR[1]MR[2]]:=1"};
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
    set.vars.push_back({"2", 8, 7}); // (2)+3 would read this variable once the 2 is written back
    EXPECT_FALSE(Differential(set).Agree("MR[1]:=(2)+3", 1));
}
