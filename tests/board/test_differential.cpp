// The emulated board's DLX against the software machine: each lab example, assembled once,
// goes into both; after every one of 300 steps the PC and all 32 registers agree, and so they
// do after free runs started on the halted machine.

#include "BoardRoad.h"
#include "ScriptedPrompter.h"
#include "assembler/Compiler.h"
#include "isa/MachineState.h"

#include <algorithm>
#include <fstream>

namespace vorn::board {
namespace {

std::vector<std::string> LabExamples() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(VORN_SOURCE_DIR "/lab/examples"))
        if (entry.path().extension() == ".s") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Differential : public testing::BoardRoad, public ::testing::WithParamInterface<std::string> {};

TEST_P(Differential, BoardAndSimulatorAgreeAfterEveryStep) {
    std::ifstream source(VORN_SOURCE_DIR "/lab/examples/" + GetParam());
    assembler::Compiler compiler(dlx.set(), directory.file("program"));
    ASSERT_TRUE(compiler.CompileStream(source)) << ::testing::PrintToString(compiler.ErrorList());
    const std::vector<isa::MemoryRecord>& image = compiler.MemoryImage();
    for (const isa::MemoryRecord& record : image)
        Write(static_cast<uint32_t>(record.address), record.word);

    testing::ScriptedPrompter prompter;
    isa::MachineState machine(dlx.set(), prompter);
    machine.LoadProgram(image);
    const auto expectSameState = [&](const std::string& when) {
        ASSERT_EQ(static_cast<int32_t>(Read(PcRegister)), machine.PC) << when;
        for (uint32_t n = 0; n < 32; ++n)
            ASSERT_EQ(static_cast<int32_t>(Read(CpuRam + n)), machine.GetRegister(static_cast<int32_t>(n)))
                << "R" << n << " " << when;
    };
    for (int step = 1; step <= 300; ++step) {
        ASSERT_EQ(link->Step(), NoError);
        machine.Step();
        ASSERT_NO_FATAL_FAILURE(expectSameState("after step " + std::to_string(step)));
    }
    EXPECT_TRUE(machine.Halted) << "every example ends in a halt";
    EXPECT_TRUE(prompter.boxes.empty());

    // The simulator's runs execute nothing on a halted machine; nor does the board's free run.
    for (int run = 1; run <= 2; ++run) {
        ASSERT_EQ(link->RunStart(), NoError);
        for (int poll = 0; poll < 1000 && !link->PollHalt(); ++poll) {
        }
        ASSERT_EQ(link->Stop(), NoError);
        ASSERT_NO_FATAL_FAILURE(expectSameState("after run " + std::to_string(run)));
    }
}

INSTANTIATE_TEST_SUITE_P(LabExamples, Differential, ::testing::ValuesIn(LabExamples()),
                         [](const auto& info) { return info.param.substr(0, info.param.find('.')); });

} // namespace
} // namespace vorn::board
