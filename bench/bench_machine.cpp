// Simulated DLX instructions per second: a loop summing a 1,000-word array (lw, add, addi,
// subi, bnez) on the lab's instruction set, run through MachineState::Step until halt.

#include "LabProgram.h"
#include "SilentPrompter.h"
#include "isa/MachineState.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

using namespace vorn::isa;
using vorn::SilentPrompter;
using vorn::testing::EncodeLine;
using vorn::testing::LabInstructionSet;
using vorn::testing::Line;

namespace {

constexpr int32_t ArrayStart = 100;
constexpr int32_t ArrayLength = 1000;

std::vector<MemoryRecord> SumProgram(const InstructionSet& set) {
    const std::vector<Line> lines{
        {"addi", {1, 0, ArrayStart}},
        {"addi", {2, 0, ArrayLength}},
        {"addi", {3, 0, 0}},
        {"lw", {4, 1, 0}}, // loop
        {"add", {3, 3, 4}},
        {"addi", {1, 1, 1}},
        {"subi", {2, 2, 1}},
        {"bnez", {2, 3 - 7 - 1}},
        {"halt", {}},
    };
    std::vector<MemoryRecord> image;
    for (const Line& line : lines)
        image.push_back({static_cast<int32_t>(image.size()), EncodeLine(set, line), "", nullptr, false});
    return image;
}

void SumArray(benchmark::State& state) {
    const InstructionSet& set = LabInstructionSet();
    SilentPrompter prompter;
    MachineState machine(set, prompter);
    machine.LoadProgram(SumProgram(set));
    for (int32_t i = 0; i < ArrayLength; ++i)
        machine.WriteMemory(ArrayStart + i, i);

    int64_t steps = 0;
    for (auto _ : state) {
        machine.JumpTo(0);
        while (!machine.Halted) {
            machine.Step();
            ++steps;
        }
    }
    if (machine.GetRegister(3) != ArrayLength * (ArrayLength - 1) / 2) state.SkipWithError("wrong sum");
    state.SetItemsProcessed(steps);
    state.counters["instructions/run"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK(SumArray)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
