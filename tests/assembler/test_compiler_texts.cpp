#include "AssemblerFixture.h"
#include "assembler/CompileOutput.h"

using namespace vorn::assembler;
using namespace vorn::assembler::testing;
using Texts = std::vector<std::string>;

namespace {

// The line at position n (1-based), after n-1 harmless lines.
std::vector<std::string> OnLine(int n, const std::string& line) {
    std::vector<std::string> lines(static_cast<size_t>(n - 1), "nop");
    lines.push_back(line);
    return lines;
}

class CompilerTexts : public AssemblerTest {};
class Encoding : public AssemblerTest {};

} // namespace

TEST_F(Encoding, SourcesAndTheirWords) {
    const std::pair<std::vector<std::string>, std::vector<uint32_t>> cases[] = {
        // Branches and jumps count from the next instruction: -7 and 0, then 1 and 0. beqz keeps
        // its register in RS1. Fields that a row does not name are never set and encode as 31.
        {{"pc=0x4", "back: nop", "pc=0xA", "beqz r1 back", "bnez r2 ahead", "pc=0xC", "ahead: halt"},
         {0x03FFF800u, 0x103FFFF9u, 0x145F0000u, 0xFFFF0000u}},
        {{"pc=0xA", "j there", "jal there", "pc=0xC", "there: halt"},
         {0x0BFF0001u, 0x0FFF0000u, 0xFFFF0000u}},
        // Three-operand rows and dc take the label's own address, 0x20.
        {{"lw r1 r0 table", "sw r1 r0 TABLE", "addi r2 r0 table", "pc=0x20", "table: dc table"},
         {0x8C010020u, 0xAC010020u, 0x20020020u, 0x00000020u}},
        {{"add r3 r1 r2", "jr r31", "addi r1 r0 0xFF", "addi r1 r0 -1", "subi R005 r1 32767"},
         {0x00221820u, 0x4BFF0000u, 0x200100FFu, 0x2001FFFFu, 0x28257FFFu}},
        {{"dc 0x10000", "dc 010", "dc 10", "dc", "dc -5", "dc 4294967295", "dc 0XfF", "dc 7 8",
          "dc 0000000012345678"},
         {0x10000u, 16u, 10u, 0u, 0xFFFFFFFBu, 0xFFFFFFFFu, 0xFFu, 7u, 0x12345678u}},
        // The farthest labels the immediate holds: 32767 ahead, 32768 back, address 0xFFFF.
        {{"beqz r1 far", "pc=0x8000", "far: halt"}, {0x103F7FFFu, 0xFFFF0000u}},
        {{"pc=0x7FFF", "j near", "pc=0x0", "near: halt"}, {0x0BFF8000u, 0xFFFF0000u}},
        {{"lw r1 r0 edge", "pc=0xFFFF", "edge: dc 1", "dc edge"}, {0x8C01FFFFu, 1u, 0xFFFFu}},
        {{"pc=0x7FFFFFFE", "dc 1", "last: dc 2"}, {1u, 2u}}, // the last address before the end marker
    };
    for (const auto& [source, words] : cases) {
        std::vector<uint32_t> encoded;
        for (const vorn::isa::MemoryRecord& record : Compile(source).MemoryImage())
            encoded.push_back(record.word);
        EXPECT_EQ(encoded, words) << source.front();
    }
}

// Each text follows "ERROR ON LINE: <n>. ".
TEST_F(CompilerTexts, LineErrors) {
    // clang-format off
    const std::tuple<int, const char*, const char*> cases[] = {
        {4, "add r1 r2 r3 r4", "add - too many parameters"}, {2, "loop: foo r1", "unknown command: foo"},
        {7, "loop:", "label 'loop' points to nothing"}, {3, "addi r1", "addi - second parameter illegal"},
        {3, "sub r1 r2 x", "sub - third parameter illegal"}, {1, "jr", "jr - first parameter illegal"},
        // A pc line is named by its first word as written.
        {5, "pc 0x10", "pc - missing '=' after pc"}, {5, "pc=0x1G", "pc=0x1G - illegal address"},
        {5, "pc = 0x10 0x20", "pc - too many parameters"}, {5, "pc= ", "pc= - missing address"},
        {6, "lbl: pc=0x10", "unknown command: pc=0x10"}, {1, "pc=0xFFFFFFFF", "pc=0xFFFFFFFF - illegal address"},
        // Data operands that cannot be held.
        {1, "dc 1e5", "dc - first parameter illegal"}, {2, "buf: ds zzzzzzzz", "ds - first parameter illegal"},
        {1, "ds -3", "ds - first parameter illegal"}, {3, "1abc: add r1 r2 r3", "illegal label: '1abc'"},
        {11, "beqz r1 nowhere", "label 'nowhere' not defined"},
        // Named as written, although the checker looked it up in lower case.
        {1, "x: beqz r1 NoWhere * X", "label 'NoWhere' not defined"},
        // The operand that was looked up, not the last word of the line.
        {2, "dc lbl x", "label 'lbl' not defined"}};
    // clang-format on
    for (const auto& [line, text, error] : cases)
        EXPECT_EQ(Errors(OnLine(line, text)), Texts{"ERROR ON LINE: " + std::to_string(line) + ". " + error});
}

// Every error of a source, in order; a failed compile keeps no image and writes no file.
TEST_F(CompilerTexts, SourceErrors) {
    // clang-format off
    const std::pair<Texts, Texts> cases[] = {
        {{"nop", "nop", "loop: nop", "nop", "LOOP: halt"}, {"ERROR ON LINE: 5. label redfinition: 'LOOP' originally defined in line 3"}},
        {{"dc LOOP", "loop: halt"}, {"ERROR ON LINE: 1. label 'LOOP' not defined"}},
        // One line can get a line error and then a label error.
        {{"nop", "beqz r1 nowhere extra"}, {"ERROR ON LINE: 2. beqz - too many parameters", "ERROR ON LINE: 2. label 'nowhere' not defined"}},
        {{"nop", "nop", "foo", "nop", "add r1"}, {"ERROR ON LINE: 3. unknown command: foo", "ERROR ON LINE: 5. add - second parameter illegal"}},
        // Reservations stop at a million words, addresses before the marker values; ds lines count
        // as the lines they become.
        {{"big: ds 1048575", "ds 1", "ds 1", "halt"}, {"ERROR ON LINE: 1048577. ds - first parameter illegal"}},
        {{"pc=0x7FFFFFFF", "nop", "last: halt"}, {"ERROR ON LINE: 3. halt - illegal address"}},
        {{"nop", "nop", "nop", "nop", "buf: ds 3", "foo"}, {"ERROR ON LINE: 8. unknown command: foo"}},
        // Labels that do not fit the immediate.
        {{"beqz r1 far", "pc=0x8001", "far: halt"}, {"ERROR ON LINE: 1. beqz - second parameter illegal"}},
        {{"nop", "j far", "pc=0x10000", "far: halt"}, {"ERROR ON LINE: 2. j - first parameter illegal"}},
        {{"lw r1 r0 far", "pc=0x10000", "far: dc 1"}, {"ERROR ON LINE: 1. lw - third parameter illegal"}},
        // Groups of lines on one address are listed from the last line up.
        {{"nop", "nop", "pc=0x0", "nop", "nop"}, {"ERROR: memory overlap; the following lines map to address 0x00000001: 5, 2, ",
                                                  "ERROR: memory overlap; the following lines map to address 0x00000000: 4, 1, "}},
        // Lines 3, 5 and 8 land on 0x10; the label of line 3 goes with it.
        {{"pc=0x10", "* three words", "loop: nop", "pc=0x10", "nop", "pc=0x10", "", "add r1 r2 r3", "beqz r1 loop", "pc=0x20", "nop", "j loop"},
         {"ERROR: memory overlap; the following lines map to address 0x00000010: 8, 5, 3, ",
          "ERROR ON LINE: 9, 12. label 'loop' undefined (definition lost during memory map)"}}};
    // clang-format on
    for (const auto& [source, errors] : cases) {
        EXPECT_EQ(Errors(source), errors) << source.back();
        EXPECT_TRUE(compiler_->MemoryImage().empty()) << source.back();
    }
    EXPECT_EQ(std::pair(compiler_->LineAddresses()[3], compiler_->LineAddresses()[8]), std::pair(-2, 0x10));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_EQ(CompileOutput(Compile({"foo", "add r1"}), "prog.s"),
              (Texts{"Compilation failed. Errors:", "ERROR ON LINE: 1. unknown command: foo",
                     "ERROR ON LINE: 2. add - second parameter illegal"}));
}

TEST_F(CompilerTexts, LabelReportListsDefinitionAndReferences) {
    std::vector<std::string> lines(20, "nop");
    lines[2] = "loop: addi r1 r1 -1";
    lines[6] = "bnez r1 loop";
    lines[8] = "dc loop";
    lines[11] = "beqz r1 LOOP";
    lines[19] = "done: halt";
    EXPECT_EQ(CompileOutput(Compile(lines), "/lab/prog.s"),
              (Texts{"Compilation Succeeded on /lab/prog.s - .cod,.lst files saved.", "loop: 3 D: 7, 9, 12",
                     "done: 20 D: "}));

    const Compiler& compiler = Compile({"Buf: ds 3", "ds 0", "ds 1", "ds 0xa", "end: halt"});
    EXPECT_EQ(compiler.MemoryImage().size(), 16u);
    EXPECT_EQ(compiler.MemoryImage()[0].text, "Buf"); // a record keeps the label as written
    EXPECT_EQ(compiler.LabelReport(), (Texts{"buf: 1 D: ", "end: 16 D: "}));
}

TEST_F(CompilerTexts, FilesThatCannotBeWrittenFailTheCompile) {
    Compiler nowhere(LabInstructionSet(), (folder.path() / "missing" / "prog").string(), kVersion);
    EXPECT_FALSE(nowhere.Compile({"halt"}));
    EXPECT_EQ(nowhere.ErrorList(), Texts{"ERROR: could not write the listing file " +
                                         (folder.path() / "missing" / "prog.lst").string()});
    std::filesystem::create_directory(folder.path() / "prog.cod");
    EXPECT_EQ(Errors({"halt"}), Texts{"ERROR: could not write the code file " + folder.file("prog.cod")});
    EXPECT_FALSE(compiler_->Succeeded());
}

TEST(CompileOutputList, OnlyLineErrorsNameASourceLine) {
    EXPECT_EQ(ErrorLineNumber("ERROR ON LINE: 12. unknown command: foo"), 12);
    EXPECT_EQ(ErrorLineNumber("ERROR ON LINE: 9, 12. label 'loop' undefined (definition lost"), 9);
    for (const char* other :
         {"Compilation failed. Errors:", "loop: 3 D: 7, 12", "ERROR ON LINE", "ERROR ON LINE: x. y",
          "ERROR ON LINE: 0. y",
          "ERROR: memory overlap; the following lines map to address 0x00000010: 8, 5, 3, "})
        EXPECT_EQ(ErrorLineNumber(other), std::nullopt) << other;
    // Only a final ".s" goes from the name of the output files.
    EXPECT_EQ(OutputBaseName("/lab/a.sx/prog.s"), "/lab/a.sx/prog");
    EXPECT_EQ(OutputBaseName("PROG.S"), "PROG");
    EXPECT_EQ(OutputBaseName("prog.asm"), "prog.asm");
}

// Lines judged alone, grouped by the checker's code; the expansion's own search for ds lines
// finds exactly the lines that the checker calls ds lines.
TEST(LineHandlerVerdict, LinesJudgedAlone) {
    // clang-format off
    const std::pair<LineCheckCode, std::vector<std::string>> verdicts[] = {
        {0, {"loop: addi r1 r0 5 * set", "addi r1 r2 -32768", "addi r1 r2 0xFF", "addi r1 r2", "beqz r1 a+b",
             "jr r31", "j 0x7fff", "nop", "halt", "1abc: nop"}},
        {1, {"add R1 R2 R3", "movi2s s1 r2", "lbl:\tadd r1 r2 r3", "add r001 R07 r000000000031"}},
        {-15, {"add r1 r2 r3 r4", "beqz r1 loop extra", "nop r1", "dc 9x 8", "ds zz 8"}},
        {-23, {"add r1 r2", "add r1 r2 r32", "addi r1 r2 0x10000", "addi r1 r2 40000", "addi r1 r2 -32769",
               "addi r1 r2 4294967301", "add r1 r2 R4294967299", "add r1 r2 R4294967296", "add r1 r2 R"}},
        {-21, {"add x1 r2 r3", "jr 5", "jr r032", "jr R3x", "dc 1e5", "dc 0FF", "dc 99999999999", "dc 0x123456789",
               "dc 0999999999", "dc 04294967295", "ds 1048577", "ds 0xFFFFFFFF", "ds -1", "ds zzzzzzzz",
               "ds loop", "ds 1e3"}},
        {-22, {"addi r1"}}, {-101, {"foo r1", "ADD r1 r2 r3", "lbl: pc=0x10"}}, {-1000, {"lbl:", "lbl: * note"}},
        {6, {"* only a comment", "", " \t "}}, {-202, {"pc =", "pc="}}, {-203, {"pc=0x10 0x20"}},
        {4, {"dc 0x10000", "dc 7 8", "dc", "dc 0xFF", "dc 4294967295", "dc -2147483648", "lbl: dc loop"}},
        {5, {"ds 3", "buf: ds 0x10", "ds 0xFF", "ds 0", "ds", "ds 1048576"}},
        {3, {"pc=0x10", "pc = 0x10", "pc =0x10", "pc= 0x10", "  pc=0x10 * start", "pc=0X7FFFFFFF"}},
        {-201, {"pc 0x10", "pc", "pcloop: add r1 r2 r3", "pc:0x10", "pcx: ds 3", "pc ds 3"}},
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
