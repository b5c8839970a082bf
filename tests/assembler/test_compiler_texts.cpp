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

TEST_F(CompilerTexts, LineErrors) {
    const struct {
        int line;
        const char* text;
        const char* error;
    } cases[] = {
        {4, "add r1 r2 r3 r4", "ERROR ON LINE: 4. add - too many parameters"},
        {2, "loop: foo r1", "ERROR ON LINE: 2. unknown command: foo"},
        {7, "loop:", "ERROR ON LINE: 7. label 'loop' points to nothing"},
        {3, "addi r1", "ERROR ON LINE: 3. addi - second parameter illegal"},
        {3, "sub r1 r2 x", "ERROR ON LINE: 3. sub - third parameter illegal"},
        {1, "jr", "ERROR ON LINE: 1. jr - first parameter illegal"},
        // A pc line is named by its first word as written.
        {5, "pc 0x10", "ERROR ON LINE: 5. pc - missing '=' after pc"},
        {5, "pc=0x1G", "ERROR ON LINE: 5. pc=0x1G - illegal address"},
        {5, "pc = 0x10 0x20", "ERROR ON LINE: 5. pc - too many parameters"},
        {5, "pc= ", "ERROR ON LINE: 5. pc= - missing address"},
        {6, "lbl: pc=0x10", "ERROR ON LINE: 6. unknown command: pc=0x10"},
        // Data operands that cannot be held.
        {1, "dc 1e5", "ERROR ON LINE: 1. dc - first parameter illegal"},
        {2, "buf: ds zzzzzzzz", "ERROR ON LINE: 2. ds - first parameter illegal"},
        {1, "ds -3", "ERROR ON LINE: 1. ds - first parameter illegal"},
        {3, "1abc: add r1 r2 r3", "ERROR ON LINE: 3. illegal label: '1abc'"},
        {11, "beqz r1 nowhere", "ERROR ON LINE: 11. label 'nowhere' not defined"},
        // Named as written, although the checker looked it up in lower case.
        {1, "x: beqz r1 NoWhere * X", "ERROR ON LINE: 1. label 'NoWhere' not defined"},
        // The operand that was looked up, not the last word of the line.
        {2, "dc lbl x", "ERROR ON LINE: 2. label 'lbl' not defined"},
    };
    for (const auto& faulty : cases)
        EXPECT_EQ(Errors(OnLine(faulty.line, faulty.text)), Texts{faulty.error});
}

TEST_F(CompilerTexts, LabelErrors) {
    auto twice = OnLine(3, "loop: nop");
    twice.resize(8, "nop");
    twice.push_back("LOOP: halt");
    EXPECT_EQ(Errors(twice),
              Texts{"ERROR ON LINE: 9. label redfinition: 'LOOP' originally defined in line 3"});
    EXPECT_EQ(Errors({"dc LOOP", "loop: halt"}), Texts{"ERROR ON LINE: 1. label 'LOOP' not defined"});
    // One line can get a line error and then a label error.
    EXPECT_EQ(Errors({"nop", "beqz r1 nowhere extra"}),
              (Texts{"ERROR ON LINE: 2. beqz - too many parameters",
                     "ERROR ON LINE: 2. label 'nowhere' not defined"}));
}

TEST_F(CompilerTexts, EveryFaultyLineIsListedAndNoFileIsWritten) {
    auto lines = OnLine(3, "foo");
    lines.resize(8, "nop");
    lines.push_back("add r1");
    EXPECT_EQ(Errors(lines), (Texts{"ERROR ON LINE: 3. unknown command: foo",
                                    "ERROR ON LINE: 9. add - second parameter illegal"}));
    EXPECT_TRUE(compiler_->MemoryImage().empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_EQ(CompileOutput(*compiler_, "prog.s"),
              (Texts{"Compilation failed. Errors:", "ERROR ON LINE: 3. unknown command: foo",
                     "ERROR ON LINE: 9. add - second parameter illegal"}));
}

TEST_F(CompilerTexts, ReservationsStopAtAMillionWordsAndAddressesBeforeTheMarkerValues) {
    EXPECT_EQ(Errors({"big: ds 1048575", "ds 1", "ds 1", "halt"}),
              Texts{"ERROR ON LINE: 1048577. ds - first parameter illegal"});
    EXPECT_EQ(Errors({"pc=0xFFFFFFFF", "nop"}), Texts{"ERROR ON LINE: 1. pc=0xFFFFFFFF - illegal address"});
    EXPECT_EQ(Errors({"pc=0x7FFFFFFF", "nop", "last: halt"}),
              Texts{"ERROR ON LINE: 3. halt - illegal address"});

    const Compiler& fits = Compile({"pc=0x7FFFFFFE", "dc 1", "last: dc 2"});
    ASSERT_EQ(fits.MemoryImage().size(), 2u);
    EXPECT_EQ(fits.MemoryImage()[1].address, 0x7FFFFFFF);
}

TEST_F(CompilerTexts, LinesOnOneAddressAndTheLabelTheyLose) {
    // Lines 3, 5 and 8 land on 0x10; the label of line 3 goes with it.
    const Texts errors = Errors({"pc=0x10", "* three words", "loop: nop", "pc=0x10", "nop", "pc=0x10", "",
                                 "add r1 r2 r3", "beqz r1 loop", "pc=0x20", "nop", "j loop"});
    EXPECT_EQ(errors,
              (Texts{"ERROR: memory overlap; the following lines map to address 0x00000010: 8, 5, 3, ",
                     "ERROR ON LINE: 9, 12. label 'loop' undefined (definition lost during memory map)"}));
    EXPECT_EQ(compiler_->LineAddresses()[3], -2);
    EXPECT_EQ(compiler_->LineAddresses()[8], 0x10);
    // Groups are listed from the last line up.
    EXPECT_EQ(Errors({"nop", "nop", "pc=0x0", "nop", "nop"}),
              (Texts{"ERROR: memory overlap; the following lines map to address 0x00000001: 5, 2, ",
                     "ERROR: memory overlap; the following lines map to address 0x00000000: 4, 1, "}));
}

TEST_F(CompilerTexts, LabelReportListsDefinitionAndReferences) {
    std::vector<std::string> lines(20, "nop");
    lines[2] = "loop: addi r1 r1 -1";
    lines[6] = "bnez r1 loop";
    lines[8] = "dc loop";
    lines[11] = "beqz r1 LOOP";
    lines[19] = "done: halt";
    const Compiler& compiler = Compile(lines);
    ASSERT_TRUE(compiler.Succeeded()) << compiler.ErrorList().front();
    EXPECT_EQ(compiler.LabelReport(), (Texts{"loop: 3 D: 7, 9, 12", "done: 20 D: "}));
    EXPECT_EQ(CompileOutput(compiler, "/lab/prog.s"),
              (Texts{"Compilation Succeeded on /lab/prog.s - .cod,.lst files saved.", "loop: 3 D: 7, 9, 12",
                     "done: 20 D: "}));
}

TEST_F(CompilerTexts, DsLinesCountAsTheLinesTheyBecome) {
    EXPECT_EQ(Errors({"nop", "nop", "nop", "nop", "buf: ds 3", "foo"}),
              Texts{"ERROR ON LINE: 8. unknown command: foo"});

    const Compiler& compiler = Compile({"Buf: ds 3", "ds 0", "ds 1", "ds 0xa", "end: halt"});
    ASSERT_TRUE(compiler.Succeeded());
    EXPECT_EQ(compiler.MemoryImage().size(), 16u);
    EXPECT_EQ(compiler.MemoryImage()[0].text, "Buf"); // a record keeps the label as written
    EXPECT_EQ(compiler.MemoryImage()[15].address, 15);
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
}

TEST(OutputBaseName, DropsOnlyAFinalDotS) {
    EXPECT_EQ(OutputBaseName("/lab/a.sx/prog.s"), "/lab/a.sx/prog");
    EXPECT_EQ(OutputBaseName("PROG.S"), "PROG");
    EXPECT_EQ(OutputBaseName("prog.asm"), "prog.asm");
}
