// Thousands of random and mutated source lines: the assembler never crashes or hangs, and a
// compile either succeeds with an image that matches its line addresses or lists at least one
// error.

#include "AssemblerFixture.h"

#include <random>

using namespace vorn::assembler;
using namespace vorn::assembler::testing;

namespace {

const std::vector<std::string> kLabels = {
    "", "", "", "loop:", "a:", "Data:", "1x:", "pcx:", "verylong9:", ":", "b:"};
const std::vector<std::string> kOperands = {
    "r0",   "r1",  "R31",  "r32", "s3", "0x10", "0XFF", "0xffff",     "-5",          "0", "40000", "loop",
    "LOOP", "a+b", "Data", "b",   "",   "*",    "=",    "0x7fffffff", "99999999999", "-", "0x",    "r1*c"};
const std::vector<std::string> kExtraWords = {"dc", "ds", "pc", "pc=", "pc=0x10", "foo", "DC", "* note"};

class Fuzz : public AssemblerTest {
  protected:
    template <class T> const T& Pick(const std::vector<T>& choices) {
        return choices[std::uniform_int_distribution<size_t>(0, choices.size() - 1)(random)];
    }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    std::string RandomLine() {
        std::string line = Pick(kLabels);
        std::vector<std::string> mnemonics = kExtraWords;
        for (int32_t row = 0; row + 1 < LabInstructionSet().count(); ++row)
            mnemonics.push_back(LabInstructionSet().commands[row].name);
        const std::string& mnemonic = Pick(mnemonics);
        line += (line.empty() ? "" : Pick(std::vector<std::string>{" ", "\t", "  "})) + mnemonic;
        if (mnemonic == "ds") return line + " " + std::to_string(Between(0, 5));
        if (mnemonic.starts_with("pc"))
            return Pick(std::vector<std::string>{"", "  "}) + mnemonic +
                   Pick(std::vector<std::string>{"", " = 0x20", " 0x3", "=0x100", " =0x8"});
        for (int k = Between(0, 4); k > 0; --k)
            line += " " + Pick(kOperands);
        return line;
    }

    std::string Mutated(std::string line) {
        static const std::string alphabet = "  \t\r*:=-x0123456789abcdefXYZ\x80\xff";
        for (int k = Between(1, 3); k > 0; --k) {
            const size_t at =
                line.empty() ? 0 : static_cast<size_t>(Between(0, static_cast<int>(line.size())));
            switch (Between(0, 2)) {
            case 0:
                line.insert(at, 1,
                            alphabet[static_cast<size_t>(Between(0, static_cast<int>(alphabet.size()) - 1))]);
                break;
            case 1:
                if (at < line.size()) line.erase(at, 1);
                break;
            default:
                line.insert(at, line.substr(at, static_cast<size_t>(Between(0, 6))));
                break;
            }
        }
        return line;
    }

    // A whole example with a line or two mutated, or a pile of random, mutated and example lines.
    std::vector<std::string> RandomSource(const std::vector<std::vector<std::string>>& programs) {
        if (Between(0, 2) == 0) {
            std::vector<std::string> source = Pick(programs);
            for (int k = Between(0, 2); k > 0; --k) {
                std::string& line =
                    source[static_cast<size_t>(Between(0, static_cast<int>(source.size()) - 1))];
                line = Mutated(line);
            }
            return source;
        }
        std::vector<std::string> source;
        for (int k = Between(1, 25); k > 0; --k) {
            switch (Between(0, 3)) {
            case 0:
                source.push_back(RandomLine());
                break;
            case 1:
                source.push_back(Mutated(RandomLine()));
                break;
            case 2:
                source.push_back(Mutated(Pick(Pick(programs))));
                break;
            default:
                source.push_back(Pick(Pick(programs)));
                break;
            }
        }
        return source;
    }

    std::mt19937 random{20240531};
};

} // namespace

TEST_F(Fuzz, RandomAndMutatedSourcesCompileOrListErrors) {
    std::vector<std::vector<std::string>> programs;
    for (const auto& program : ExamplePrograms())
        programs.push_back(SourceLines(program));
    ASSERT_FALSE(programs.empty());
    int succeeded = 0;
    // The expansion finds "ds" lines on a road of its own; the checker must agree with it.
    LineHandler judge(LabInstructionSet());
    for (int round = 0; round < 6000; ++round) {
        const std::vector<std::string> source = RandomSource(programs);
        const Compiler& compiler = Compile(source);
        std::string described;
        for (const auto& line : source) {
            described += "[" + line + "]\n";
            ASSERT_EQ(DsLineAmount(line).has_value(), judge.CheckLine("", line) == line_code::kDs) << line;
        }
        if (!compiler.Succeeded()) {
            ASSERT_FALSE(compiler.ErrorList().empty()) << described;
            ASSERT_TRUE(compiler.MemoryImage().empty()) << described;
        } else {
            ASSERT_TRUE(compiler.ErrorList().empty()) << described;
            const auto words =
                std::ranges::count_if(compiler.LineAddresses(), [](int32_t at) { return at >= 0; });
            ASSERT_EQ(compiler.MemoryImage().size(), static_cast<size_t>(words)) << described;
            ++succeeded;
            // What was written reads back as the same words.
            std::ifstream cod(folder.file("prog.cod"), std::ios::binary);
            Compiler reader(LabInstructionSet(), "temp");
            ASSERT_TRUE(reader.LoadCod(cod));
            ASSERT_EQ(reader.MemoryImage().size(), compiler.MemoryImage().size());
            // Rewriting a file emptied in place makes some file systems flush it at every close.
            std::filesystem::remove(folder.path() / "prog.cod");
            std::filesystem::remove(folder.path() / "prog.lst");
        }
    }
    EXPECT_GT(succeeded, 500) << "enough sources should reach the encoding and the files";
}

TEST_F(Fuzz, ArbitraryBytesNeverUpsetTheChecker) {
    LineHandler handler(LabInstructionSet());
    for (int round = 0; round < 20000; ++round) {
        std::string line(static_cast<size_t>(Between(0, 40)), ' ');
        for (char& c : line)
            c = static_cast<char>(Between(1, 255));
        const LineCheckCode code = handler.CheckLine(Mutated(line), line);
        EXPECT_TRUE(code >= 0 ? code <= 6 : code >= -1000) << code;
    }
    for (const LabelEntry& entry : handler.Labels())
        EXPECT_GE(entry.definitionCount, 1);
}
