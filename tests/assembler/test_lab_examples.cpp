// The lab's example programs: each assembles, reads back from its .cod file and, run, leaves what
// its "* expect" lines promise; together they use every instruction. Mutated, they never make the
// assembler crash or hang, and the editor's checker keeps a sound label table.

#include "AssemblerFixture.h"
#include "ScriptedPrompter.h"
#include "isa/MachineState.h"
#include "text/Text.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>

using namespace vorn::assembler;
using namespace vorn::assembler::testing;

namespace {

// The lab's example programs, in name order, each as its lines.
using Programs = std::vector<std::pair<std::filesystem::path, std::vector<std::string>>>;

Programs ExamplePrograms() {
    Programs programs;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(VORN_SOURCE_DIR) / "lab" / "examples")) {
        if (entry.path().extension() != ".s") continue;
        std::ifstream in(entry.path());
        programs.push_back({entry.path(), {}});
        for (std::string line; std::getline(in, line);)
            programs.back().second.push_back(line);
    }
    std::sort(programs.begin(), programs.end());
    return programs;
}

// "* expect R<n> = <value>" or "* expect M[0x<address>] = <value>", value 0x-hex or decimal.
void ExpectPromise(vorn::isa::MachineState& machine, const std::string& line) {
    int number = 0;
    unsigned address = 0;
    long long promised = 0;
    char more = 0;
    int32_t actual = 0;
    if (std::sscanf(line.c_str(), "* expect R%d = %lli %c", &number, &promised, &more) == 2)
        actual = machine.GetRegister(number);
    else if (std::sscanf(line.c_str(), "* expect M[0x%x] = %lli %c", &address, &promised, &more) == 2)
        actual = machine.ReadMemory(static_cast<int32_t>(address));
    else
        FAIL() << "not an expectation: " << line;
    using vorn::text::Hex32Text;
    EXPECT_EQ(Hex32Text(static_cast<uint32_t>(actual)), Hex32Text(static_cast<uint32_t>(promised))) << line;
}

class Fuzz : public AssemblerTest {
  protected:
    size_t Below(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); }

    // One to three characters inserted (now and then any byte), dropped or repeated.
    std::string Mutated(std::string line) {
        static const std::string alphabet = "  \t\r*:=-x0123456789abcdefXYZpcsr";
        for (size_t k = 1 + Below(3); k > 0; --k) {
            const size_t at = Below(line.size() + 1), how = Below(3);
            if (how == 0)
                line.insert(at, 1,
                            Below(4) == 0 ? static_cast<char>(1 + Below(255))
                                          : alphabet[Below(alphabet.size())]);
            else if (how == 1 && at < line.size())
                line.erase(at, 1);
            else if (how == 2)
                line.insert(at, line.substr(at, Below(7)));
        }
        return line;
    }

    // A whole example with a few lines mutated, or a pile of example lines, some mutated.
    std::vector<std::string> RandomSource(const Programs& programs) {
        std::vector<std::string> source;
        if (Below(3) == 0) {
            source = programs[Below(programs.size())].second;
            for (size_t k = Below(3); k > 0; --k) {
                std::string& line = source[Below(source.size())];
                line = Mutated(line);
            }
            return source;
        }
        for (size_t k = 1 + Below(25); k > 0; --k) {
            const std::vector<std::string>& program = programs[Below(programs.size())].second;
            const std::string& line = program[Below(program.size())];
            source.push_back(Below(2) == 0 ? line : Mutated(Below(2) == 0 ? line : Mutated(line)));
        }
        return source;
    }

    std::mt19937 random{20240531};
};

} // namespace

TEST(LabExamples, AssembleReadBackAndLeaveWhatTheyPromise) {
    const vorn::testing::TempDir folder;
    const vorn::isa::InstructionSet& set = LabInstructionSet();
    std::set<std::string> used;
    for (const auto& [program, lines] : ExamplePrograms()) {
        SCOPED_TRACE(program.filename().string());
        const auto compiler = std::make_unique<Compiler>(set, folder.file(program.stem().string()), kVersion);
        std::ifstream source(program, std::ios::binary);
        ASSERT_TRUE(compiler->CompileStream(source)) << ::testing::PrintToString(compiler->ErrorList());

        std::ifstream cod(compiler->ImagePath(), std::ios::binary);
        Compiler reader(set, folder.file("reader"));
        ASSERT_TRUE(reader.LoadCod(cod));
        ASSERT_EQ(reader.MemoryImage().size(), compiler->MemoryImage().size());
        for (const vorn::isa::MemoryRecord& record : reader.MemoryImage())
            if (record.instruction) used.insert(set.commands[record.instruction->FindRow(set)].name);
        // The program runs as read back, so every word and address must have come through.
        vorn::testing::ScriptedPrompter prompter;
        vorn::isa::MachineState machine(set, prompter);
        machine.LoadProgram(reader.MemoryImage());
        for (int step = 0; step < 10000 && !machine.Halted; ++step)
            machine.Step();
        ASSERT_TRUE(machine.Halted);
        EXPECT_TRUE(prompter.boxes.empty());
        int promises = 0;
        for (const std::string& line : lines)
            if (line.starts_with("* expect ")) {
                ExpectPromise(machine, line);
                ++promises;
            }
        EXPECT_GT(promises, 0);
    }
    for (int32_t row = 0; row + 1 < set.count(); ++row)
        EXPECT_TRUE(used.contains(set.commands[row].name)) << set.commands[row].name;
}

TEST_F(Fuzz, MutatedSourcesCompileOrListErrors) {
    const Programs programs = ExamplePrograms();
    ASSERT_FALSE(programs.empty());
    int succeeded = 0;
    // The expansion finds "ds" lines on a road of its own; the checker must agree with it.
    LineHandler judge(LabInstructionSet());
    for (int round = 0; round < 6000; ++round) {
        const std::vector<std::string> source = RandomSource(programs);
        const Compiler& compiler = Compile(source);
        const std::string described = ::testing::PrintToString(source);
        std::string before;
        for (const auto& line : source) {
            const LineCheckCode code = judge.CheckLine(std::exchange(before, line), line);
            ASSERT_TRUE(code >= 0 ? code <= 6 : code >= -1000) << code;
            ASSERT_EQ(DsLineAmount(line).has_value(), code == line_code::kDs) << line;
        }
        if (!compiler.Succeeded()) {
            ASSERT_FALSE(compiler.ErrorList().empty()) << described;
            ASSERT_TRUE(compiler.MemoryImage().empty()) << described;
            continue;
        }
        const auto words =
            std::ranges::count_if(compiler.LineAddresses(), [](int32_t at) { return at >= 0; });
        ASSERT_EQ(compiler.MemoryImage().size(), static_cast<size_t>(words)) << described;
        ++succeeded;
        std::ifstream cod(folder.file("prog.cod"), std::ios::binary);
        Compiler reader(LabInstructionSet(), folder.file("reader"));
        ASSERT_TRUE(reader.LoadCod(cod));
        ASSERT_EQ(reader.MemoryImage().size(), compiler.MemoryImage().size());
        // Rewriting a file emptied in place makes some file systems flush it at every close.
        std::filesystem::remove(folder.path() / "prog.cod");
        std::filesystem::remove(folder.path() / "prog.lst");
    }
    EXPECT_GT(succeeded, 500) << "enough sources should reach the encoding and the files";
    for (const LabelEntry& entry : judge.Labels())
        EXPECT_GE(entry.definitionCount, 1);
}
