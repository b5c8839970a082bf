#include "AssemblerFixture.h"

using namespace vorn::assembler;
using vorn::testing::LabInstructionSet;

// Lines judged alone, grouped by the code the checker gives them: instructions count and judge
// their operands, data directives take only what they can hold. The expansion's own search for
// ds lines finds exactly the lines that the checker calls ds lines.
TEST(LineHandlerVerdict, LinesJudgedAlone) {
    // clang-format off
    const std::pair<LineCheckCode, std::vector<std::string>> verdicts[] = {
        {0, {"loop: addi r1 r0 5 * set", "addi r1 r2 -32768", "addi r1 r2 0xFF", "addi r1 r2", "beqz r1 a+b",
             "jr r31", "j 0x7fff", "nop", "halt", "1abc: nop"}},
        {1, {"add R1 R2 R3", "movi2s s1 r2", "lbl:\tadd r1 r2 r3", "add r001 R07 r31"}},
        {-15, {"add r1 r2 r3 r4", "beqz r1 loop extra", "nop r1", "dc 9x 8", "ds zz 8"}},
        {-23, {"add r1 r2", "add r1 r2 r32", "addi r1 r2 0x10000", "addi r1 r2 40000", "addi r1 r2 -32769",
               "addi r1 r2 4294967301", "add r1 r2 R4294967299"}},
        {-21, {"add x1 r2 r3", "jr 5", "jr r032", "dc 1e5", "dc 0FF", "dc 99999999999", "dc 0x123456789",
               "dc 0999999999", "dc 04294967295", "ds 1048577", "ds 0xFFFFFFFF", "ds -1", "ds zzzzzzzz", "ds loop",
               "ds 1e3"}},
        {-22, {"addi r1"}},
        {-101, {"foo r1", "ADD r1 r2 r3", "lbl: pc=0x10"}},
        {-1000, {"lbl:", "lbl: * note"}},
        {6, {"* only a comment", "", " \t "}},
        {4, {"dc 0x10000", "dc 7 8", "dc", "dc 0xFF", "dc 4294967295", "dc -2147483648", "lbl: dc loop"}},
        {5, {"ds 3", "buf: ds 0x10", "ds 0xFF", "ds 0", "ds", "ds 1048576"}},
        {3, {"pc=0x10", "pc = 0x10", "pc =0x10", "pc= 0x10", "  pc=0x10 * start", "pc=0X7FFFFFFF"}},
        {-201, {"pc 0x10", "pc", "pcloop: add r1 r2 r3", "pc:0x10", "pcx: ds 3", "pc ds 3"}},
        {-202, {"pc =", "pc="}},
        {-203, {"pc=0x10 0x20"}},
        {-204, {"pc=16", "pc=0x1G", "pc=0x80000000", "pc=0xFFFFFFFF"}}};
    // clang-format on
    LineHandler handler(LabInstructionSet());
    for (const auto& [code, lines] : verdicts)
        for (const std::string& line : lines) {
            EXPECT_EQ(handler.CheckLine("", line), code) << '"' << line << '"';
            EXPECT_EQ(DsLineAmount(line).has_value(), code == line_code::kDs) << '"' << line << '"';
        }
}

TEST(LineHandlerVerdict, RowsWithMoreThanThreeOperands) {
    vorn::isa::InstructionSet set;
    set.commands = {{"R", "quad", "000000", "000001", "nop", "4", false, {1, 2, 3}},
                    {"I", "wide", "000001", "000000", "nop", "4", false, {1, 2, 4}},
                    {}};
    LineHandler handler(set);
    // An R word has room for three registers only.
    for (const auto& [line, code] :
         {std::pair{"quad r1 r2 r3 r4", -15}, {"quad", -15}, {"wide", 0}, {"wide r1", -15}})
        EXPECT_EQ(handler.CheckLine("", line), code) << line;
}
