// The lab's examples with mutated lines, and piles of mutated example lines: the assembler never
// crashes or hangs, finds ds lines as the line check does, and a compile either succeeds with an
// image that matches its line addresses and reads back from its .cod file or lists an error. The
// editor's checker, given each line in place of the one before it, keeps a sound label table.

#include "AssemblerFixture.h"

#include <random>

using namespace vorn::assembler;
using namespace vorn::assembler::testing;

namespace {

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
    std::vector<std::string> RandomSource(const std::vector<std::vector<std::string>>& programs) {
        std::vector<std::string> source;
        if (Below(3) == 0) {
            source = programs[Below(programs.size())];
            for (size_t k = Below(3); k > 0; --k) {
                std::string& line = source[Below(source.size())];
                line = Mutated(line);
            }
            return source;
        }
        for (size_t k = 1 + Below(25); k > 0; --k) {
            const std::vector<std::string>& program = programs[Below(programs.size())];
            const std::string& line = program[Below(program.size())];
            source.push_back(Below(2) == 0 ? line : Mutated(Below(2) == 0 ? line : Mutated(line)));
        }
        return source;
    }

    std::mt19937 random{20240531};
};

} // namespace

TEST_F(Fuzz, MutatedSourcesCompileOrListErrors) {
    std::vector<std::vector<std::string>> programs;
    for (const auto& [path, lines] : ExamplePrograms())
        programs.push_back(lines);
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
