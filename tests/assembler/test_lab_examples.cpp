// Every example program of the lab assembles, reads back from its .cod file and, run on the
// simulated machine, leaves the registers and memory words its "* expect" lines promise; together
// the examples use every instruction of the lab's set.

#include "AssemblerFixture.h"
#include "ScriptedPrompter.h"
#include "isa/MachineState.h"
#include "text/Text.h"

#include <cstdio>
#include <set>

using namespace vorn::assembler;
using namespace vorn::assembler::testing;

namespace {

// "* expect R<n> = <value>" or "* expect M[0x<address>] = <value>", value 0x-hex or decimal:
// the value the machine holds there, next to the promised one.
void ExpectPromise(const vorn::isa::MachineState& machine, const std::string& line) {
    int number = 0;
    unsigned address = 0;
    long long promised = 0;
    char more = 0;
    int32_t actual = 0;
    if (std::sscanf(line.c_str(), "* expect R%d = %lli %c", &number, &promised, &more) == 2) {
        actual = machine.GetRegister(number);
    } else if (std::sscanf(line.c_str(), "* expect M[0x%x] = %lli %c", &address, &promised, &more) == 2) {
        const auto memory = machine.DataMemory().find(static_cast<int32_t>(address));
        actual = memory == machine.DataMemory().end() ? 0 : memory->second;
    } else {
        FAIL() << "not an expectation: " << line;
    }
    EXPECT_EQ(vorn::text::Hex32Text(static_cast<uint32_t>(actual)),
              vorn::text::Hex32Text(static_cast<uint32_t>(promised)))
        << line;
}

} // namespace

TEST(LabExamples, AssembleReadBackAndLeaveWhatTheyPromise) {
    const vorn::testing::TempDir folder;
    const vorn::isa::InstructionSet& set = LabInstructionSet();
    std::set<std::string> used;
    ASSERT_FALSE(ExamplePrograms().empty());
    for (const auto& [program, lines] : ExamplePrograms()) {
        SCOPED_TRACE(program.filename().string());
        const auto compiler = std::make_unique<Compiler>(set, folder.file(program.stem().string()), kVersion);
        std::ifstream source(program, std::ios::binary);
        ASSERT_TRUE(compiler->CompileStream(source)) << compiler->ErrorList().front();

        std::ifstream cod(compiler->ImagePath(), std::ios::binary);
        Compiler reader(set, folder.file("reader"));
        ASSERT_TRUE(reader.LoadCod(cod));
        ASSERT_EQ(reader.MemoryImage().size(), compiler->MemoryImage().size());
        for (size_t i = 0; i < reader.MemoryImage().size(); ++i) {
            const vorn::isa::MemoryRecord& written = compiler->MemoryImage()[i];
            EXPECT_EQ(std::pair(reader.MemoryImage()[i].address, reader.MemoryImage()[i].word),
                      std::pair(written.address, written.word));
            if (written.instruction) used.insert(set.commands[written.instruction->FindRow(set)].name);
        }

        vorn::testing::ScriptedPrompter prompter;
        vorn::isa::MachineState machine(set, prompter);
        machine.LoadProgram(compiler->MemoryImage());
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
