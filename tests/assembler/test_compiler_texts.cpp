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

} // namespace

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
    EXPECT_EQ(compiler_->LineAddresses()[3], -2);
    EXPECT_EQ(compiler_->LineAddresses()[8], 0x10);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_EQ(CompileOutput(Compile({"foo", "add r1"}), "prog.s"),
              (Texts{"Compilation failed. Errors:", "ERROR ON LINE: 1. unknown command: foo",
                     "ERROR ON LINE: 2. add - second parameter illegal"}));
}

TEST_F(CompilerTexts, LabelReportListsDefinitionAndReferences) {
    std::vector<std::string> lines(20, "nop");
    for (const auto& [at, line] : {std::pair{2, "loop: addi r1 r1 -1"},
                                   {6, "bnez r1 loop"},
                                   {8, "dc loop"},
                                   {11, "beqz r1 LOOP"},
                                   {19, "done: halt"}})
        lines[at] = line;
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
    EXPECT_EQ(
        ErrorLineNumber("ERROR ON LINE: 9, 12. label 'loop' undefined (definition lost during memory map)"),
        9);
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
