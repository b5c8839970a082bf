// Every example program of the lab assembles, reads back from its .cod file and, run on the
// simulated machine, leaves the registers and memory words its "* expect" lines promise.

#include "AssemblerFixture.h"
#include "ScriptedPrompter.h"
#include "isa/MachineState.h"
#include "text/Text.h"

#include <set>

using namespace vorn::assembler;
using namespace vorn::assembler::testing;

namespace {

// "* expect R<n> = <value>" or "* expect M[0x<address>] = <value>", value 0x-hex or decimal:
// the value the machine holds there, next to the promised one.
void ExpectPromise(const vorn::isa::MachineState& machine, const std::string& line) {
    std::istringstream in(line);
    std::string star, expect, where, equals, value, rest;
    const bool wellFormed = (in >> star >> expect >> where >> equals >> value) && !(in >> rest) &&
                            equals == "=" &&
                            (where.starts_with("R") || (where.starts_with("M[0x") && where.ends_with("]")));
    ASSERT_TRUE(wellFormed) << "not an expectation: " << line;
    const uint32_t promised = value.starts_with("0x") ? static_cast<uint32_t>(std::stoul(value, nullptr, 16))
                                                      : static_cast<uint32_t>(std::stol(value));
    int32_t actual = 0;
    if (where[0] == 'R') {
        actual = machine.GetRegister(std::stoi(where.substr(1)));
    } else {
        const auto memory =
            machine.DataMemory().find(std::stoi(where.substr(4, where.size() - 5), nullptr, 16));
        actual = memory == machine.DataMemory().end() ? 0 : memory->second;
    }
    EXPECT_EQ(vorn::text::Hex32Text(static_cast<uint32_t>(actual)), vorn::text::Hex32Text(promised)) << line;
}

class LabExamples : public ::testing::Test {
  protected:
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

TEST_F(LabExamples, AssembleReadBackAndLeaveWhatTheyPromise) {
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

        vorn::testing::ScriptedPrompter prompter;
        vorn::isa::MachineState machine(LabInstructionSet(), prompter);
        machine.LoadProgram(compiler->MemoryImage());
        for (int step = 0; step < 10000 && !machine.Halted; ++step)
            machine.Step();
        ASSERT_TRUE(machine.Halted);
        EXPECT_TRUE(prompter.boxes.empty());
        int promises = 0;
        for (const std::string& line : SourceLines(program))
            if (line.starts_with("* expect ")) {
                ExpectPromise(machine, line);
                ++promises;
            }
        EXPECT_GT(promises, 0);
    }
}

TEST_F(LabExamples, TogetherUseEveryInstruction) {
    const vorn::isa::InstructionSet& set = LabInstructionSet();
    std::set<std::string> used;
    for (const auto& program : ExamplePrograms()) {
        const auto compiler = Assemble(program);
        for (const auto& record : compiler->MemoryImage())
            if (record.instruction) used.insert(set.commands[record.instruction->FindRow(set)].name);
    }
    for (int32_t row = 0; row + 1 < set.count(); ++row)
        EXPECT_TRUE(used.contains(set.commands[row].name)) << set.commands[row].name;
}
