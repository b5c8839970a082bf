#include "AssemblerFixture.h"
#include "assembler/LineHandler2.h"

using namespace vorn::assembler;
using vorn::testing::LabInstructionSet;

namespace {

struct Verdict {
    const char* line;
    LineCheckCode code;
};

void ExpectVerdicts(const std::vector<Verdict>& verdicts) {
    LineHandler handler(LabInstructionSet());
    for (const Verdict& verdict : verdicts)
        EXPECT_EQ(handler.CheckLine("", verdict.line), verdict.code) << '"' << verdict.line << '"';
}

} // namespace

TEST(LineHandlerVerdict, InstructionsCountAndJudgeTheirOperands) {
    ExpectVerdicts({
        {"loop: addi r1 r0 5 * set", 0},
        {"add R1 R2 R3", 1},
        {"add r1 r2 r3 r4", -15},
        {"add r1 r2", -23},
        {"add r1 r2 r32", -23},
        {"add x1 r2 r3", -21},
        {"movi2s s1 r2", 1}, // the further register file MS
        {"addi r1 r2 0x10000", -23},
        {"addi r1 r2 40000", -23},
        {"addi r1 r2 -32768", 0},
        {"addi r1 r2 -32769", -23},
        {"addi r1 r2 0xFF", 0},
        {"addi r1 r2", 0}, // a missing immediate reads as 0
        {"addi r1", -22},
        {"addi r1 r2 4294967301", -23}, // would wrap to 5
        {"beqz r1 a+b", 0},
        {"beqz r1 loop extra", -15},
        {"jr r31", 0},
        {"jr 5", -21},
        {"j 0x7fff", 0},
        {"nop", 0},
        {"nop r1", -15},
        {"halt", 0},
        {"1abc: nop", 0},
        {"lbl:\tadd r1 r2 r3", 1},
        {"foo r1", -101},
        {"ADD r1 r2 r3", -101},
        {"lbl:", -1000},
        {"lbl: * note", -1000},
        {"* only a comment", 6},
        {"", 6},
        {" \t ", 6},
    });
}

TEST(LineHandlerVerdict, DataDirectivesTakeOnlyWhatTheyCanHold) {
    ExpectVerdicts({
        {"dc 0x10000", 4}, {"dc 7 8", 4},        {"dc 9x 8", -15},        {"dc", 4},
        {"dc 0xFF", 4},    {"dc 4294967295", 4}, {"dc -2147483648", 4},   {"lbl: dc loop", 4},
        {"dc 1e5", -21},   {"dc 0FF", -21},      {"dc 99999999999", -21}, {"dc 0x123456789", -21},
        {"ds 3", 5},       {"buf: ds 0x10", 5},  {"ds 0xFF", 5},          {"ds 0", 5},
        {"ds", 5},         {"ds 1048576", 5},    {"ds 1048577", -21},     {"ds 0xFFFFFFFF", -21},
        {"ds -1", -21},    {"ds zzzzzzzz", -21}, {"ds loop", -21},        {"ds 1e3", -21},
        {"ds zz 8", -15},
    });
}

TEST(LineHandlerVerdict, PcLines) {
    ExpectVerdicts({
        {"pc=0x10", 3},
        {"pc = 0x10", 3},
        {"pc =0x10", 3},
        {"pc= 0x10", 3},
        {"  pc=0x10 * start", 3},
        {"pc=0X7FFFFFFF", 3},
        {"pc 0x10", -201},
        {"pc", -201},
        {"pcloop: add r1 r2 r3", -201},
        {"pc:0x10", -201},
        {"pc =", -202},
        {"pc=", -202},
        {"pc=0x10 0x20", -203},
        {"pc=16", -204},
        {"pc=0x1G", -204},
        {"pc=0x80000000", -204},
        {"pc=0xFFFFFFFF", -204},
        {"lbl: pc=0x10", -101},
    });
}

TEST(LineHandlerVerdict, RowsWithMoreThanThreeOperands) {
    vorn::isa::InstructionSet set;
    set.commands = {{"R", "quad", "000000", "000001", "nop", "4", false, {1, 2, 3}},
                    {"I", "wide", "000001", "000000", "nop", "4", false, {1, 2, 4}},
                    {}};
    LineHandler handler(set);
    // An R word has room for three registers only.
    EXPECT_EQ(handler.CheckLine("", "quad r1 r2 r3 r4"), -15);
    EXPECT_EQ(handler.CheckLine("", "quad"), -15);
    EXPECT_EQ(handler.CheckLine("", "wide"), 0);
    EXPECT_EQ(handler.CheckLine("", "wide r1"), -15);
}

TEST(LineHandlerFlags, DescribeTheLabelsOfTheLastLine) {
    LineHandler handler(LabInstructionSet());
    handler.CheckLine("", "loop: addi r1 r0 5 * set");
    EXPECT_TRUE(handler.DefinesLabel());
    EXPECT_TRUE(handler.LabelNameValid());
    EXPECT_EQ(handler.DefinedLabel(), "loop");
    EXPECT_FALSE(handler.ArgumentIsLabel());

    handler.CheckLine("", "LOOP2: add r1 r2 r3");
    EXPECT_EQ(handler.DefinedLabel(), "loop2");
    handler.CheckLine("", "beqz r1 LOOP2");
    EXPECT_TRUE(handler.ArgumentIsLabel());
    EXPECT_TRUE(handler.ArgumentLabelKnown()) << "instruction operands are lower-cased";
    EXPECT_EQ(handler.ReferencedLabel(), "loop2");
    EXPECT_FALSE(handler.DefinesLabel());

    handler.CheckLine("", "dc LOOP2");
    EXPECT_TRUE(handler.ArgumentIsLabel());
    EXPECT_FALSE(handler.ArgumentLabelKnown()) << "a dc operand is looked up as written";
    EXPECT_EQ(handler.ReferencedLabel(), "LOOP2");

    handler.CheckLine("", "1abc: nop");
    EXPECT_TRUE(handler.DefinesLabel());
    EXPECT_FALSE(handler.LabelNameValid());
    EXPECT_EQ(handler.FindLabel("1abc"), nullptr);

    handler.CheckLine("", "addi r1 r2 5");
    EXPECT_FALSE(handler.DefinesLabel());
    EXPECT_FALSE(handler.ArgumentIsLabel());
    EXPECT_EQ(handler.ReferencedLabel(), "");
}

TEST(LineHandlerLabels, FollowEditsOfOneLineAtATime) {
    LineHandler handler(LabInstructionSet());
    handler.CheckLine("", "b: nop");
    handler.CheckLine("", "x: nop");
    handler.CheckLine("", "X: add r1 r2 r3");
    EXPECT_EQ(handler.LabelDefinitionCount("x"), 2);

    handler.CheckLine("X: add r1 r2 r3", "X: add r1 r2 r3");
    EXPECT_EQ(handler.LabelDefinitionCount("x"), 2) << "the same line judged again";
    EXPECT_FALSE(handler.RecolourNeeded());

    handler.CheckLine("x: nop", "");
    EXPECT_EQ(handler.LabelDefinitionCount("x"), 1);
    EXPECT_TRUE(handler.RecolourNeeded());
    EXPECT_EQ(handler.LabelToRecolour(), "x");

    handler.CheckLine("X: add r1 r2 r3", "a: add r1 r2 r3");
    EXPECT_EQ(handler.FindLabel("x"), nullptr);
    EXPECT_EQ(handler.LabelDefinitionCount("x"), 0);
    std::vector<std::string> names;
    for (const LabelEntry& entry : handler.Labels())
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"b", "a"}));

    handler.CheckLine("nosuch: nop", "");
    EXPECT_FALSE(handler.RecolourNeeded()) << "a name not in the table changes nothing";
}

TEST(LineHandler2Labels, RecordDefiningLineAndEveryReference) {
    LineHandler2 handler(LabInstructionSet());
    handler.SetCurrentLine(4);
    handler.CheckLine("", "loop: addi r1 r1 -1");
    handler.SetCurrentLine(7);
    handler.CheckLine("", "bnez r1 loop");
    handler.SetCurrentLine(9);
    handler.CheckLine("", "dc loop");
    handler.SetCurrentLine(11);
    handler.CheckLine("", "loop: nop");

    const LabelEntry* entry = handler.FindLabel("loop");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->value, 4);
    EXPECT_EQ(entry->references, (std::vector<int32_t>{7, 9}));
    EXPECT_EQ(entry->definitionCount, 2);

    handler.CheckLine("loop: nop", "");
    EXPECT_NE(handler.FindLabel("loop"), nullptr) << "the assembler never takes a definition away";
}
