// Every example program of the lab assembles, reads back from its .cod file and, run on the
// simulated machine, leaves the registers and memory words its "* expect" lines promise.

#include "AssemblerFixture.h"
#include "ScriptedPrompter.h"
#include "isa/MachineState.h"
#include "text/Text.h"

#include <optional>
#include <set>

using namespace vorn::assembler;
using namespace vorn::assembler::testing;

namespace {

const std::filesystem::path kExamples = std::filesystem::path(VORN_SOURCE_DIR) / "lab" / "examples";

std::vector<std::filesystem::path> ExamplePrograms() {
    std::vector<std::filesystem::path> programs;
    for (const auto& entry : std::filesystem::directory_iterator(kExamples))
        if (entry.path().extension() == ".s") programs.push_back(entry.path());
    std::sort(programs.begin(), programs.end());
    return programs;
}

struct Expectation {
    bool isRegister;
    int32_t where; // register number or word address
    uint32_t value;
};

// "* expect R<n> = <value>" or "* expect M[0x<address>] = <value>", value 0x-hex or decimal.
std::optional<Expectation> ParseExpectation(const std::string& line) {
    std::istringstream in(line);
    std::string star, expect, where, equals, value, rest;
    if (!(in >> star >> expect >> where >> equals >> value) || (in >> rest) || star != "*" ||
        expect != "expect" || equals != "=")
        return std::nullopt;
    Expectation expectation{};
    expectation.isRegister = where.size() > 1 && where[0] == 'R';
    if (expectation.isRegister)
        expectation.where = std::stoi(where.substr(1));
    else if (where.starts_with("M[0x") && where.ends_with("]"))
        expectation.where = std::stoi(where.substr(4, where.size() - 5), nullptr, 16);
    else
        return std::nullopt;
    expectation.value = value.starts_with("0x") ? static_cast<uint32_t>(std::stoul(value, nullptr, 16))
                                                : static_cast<uint32_t>(std::stol(value));
    return expectation;
}

std::vector<Expectation> Expectations(const std::filesystem::path& program) {
    std::vector<Expectation> expectations;
    std::ifstream in(program);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("* expect ")) {
            const auto expectation = ParseExpectation(line);
            if (expectation)
                expectations.push_back(*expectation);
            else
                ADD_FAILURE() << "not an expectation: " << line;
        }
    return expectations;
}

class LabExamples : public ::testing::Test {
  protected:
    // Compiles a program from its file into the scratch folder.
    std::unique_ptr<Compiler> Assemble(const std::filesystem::path& program) {
        auto compiler =
            std::make_unique<Compiler>(LabInstructionSet(), folder.file(program.stem().string()), kVersion);
        std::ifstream source(program, std::ios::binary);
        compiler->CompileStream(source);
        return compiler;
    }

    vorn::testing::TempDir folder;
};

} // namespace

TEST_F(LabExamples, AssembleAndReadBack) {
    ASSERT_FALSE(ExamplePrograms().empty());
    for (const auto& program : ExamplePrograms()) {
        SCOPED_TRACE(program.filename().string());
        const auto compiler = Assemble(program);
        ASSERT_TRUE(compiler->Succeeded()) << compiler->ErrorList().front();

        std::ifstream cod(compiler->ImagePath(), std::ios::binary);
        Compiler reader(LabInstructionSet(), "temp");
        ASSERT_TRUE(reader.LoadCod(cod));
        ASSERT_EQ(reader.MemoryImage().size(), compiler->MemoryImage().size());
        for (size_t i = 0; i < reader.MemoryImage().size(); ++i) {
            EXPECT_EQ(reader.MemoryImage()[i].address, compiler->MemoryImage()[i].address);
            EXPECT_EQ(reader.MemoryImage()[i].word, compiler->MemoryImage()[i].word);
        }
    }
}

TEST_F(LabExamples, TogetherUseEveryInstruction) {
    std::set<std::string> used;
    for (const auto& program : ExamplePrograms()) {
        const auto compiler = Assemble(program);
        for (const auto& record : compiler->MemoryImage())
            if (record.instruction)
                used.insert(
                    LabInstructionSet().commands[record.instruction->FindRow(LabInstructionSet())].name);
    }
    for (int32_t row = 0; row + 1 < LabInstructionSet().count(); ++row)
        EXPECT_TRUE(used.contains(LabInstructionSet().commands[row].name))
            << LabInstructionSet().commands[row].name;
}

TEST_F(LabExamples, LeaveWhatTheyPromise) {
    for (const auto& program : ExamplePrograms()) {
        SCOPED_TRACE(program.filename().string());
        const auto expectations = Expectations(program);
        EXPECT_FALSE(expectations.empty());
        const auto compiler = Assemble(program);
        ASSERT_TRUE(compiler->Succeeded());

        vorn::testing::ScriptedPrompter prompter;
        vorn::isa::MachineState machine(LabInstructionSet(), prompter);
        machine.LoadProgram(compiler->MemoryImage());
        for (int step = 0; step < 10000 && !machine.Halted; ++step)
            machine.Step();
        ASSERT_TRUE(machine.Halted);
        EXPECT_TRUE(prompter.boxes.empty());

        for (const Expectation& expected : expectations) {
            const auto memory = machine.DataMemory().find(expected.where);
            const uint32_t actual = static_cast<uint32_t>(
                expected.isRegister ? machine.GetRegister(expected.where)
                                    : (memory == machine.DataMemory().end() ? 0 : memory->second));
            EXPECT_EQ(vorn::text::Hex32Text(actual), vorn::text::Hex32Text(expected.value))
                << (expected.isRegister ? "R" : "M") << expected.where;
        }
    }
}
