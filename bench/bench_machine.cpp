// Simulated DLX instructions per second on the lab's instruction set, run through
// MachineState::Step until halt: a loop summing a 1,000-word array (lw, add, addi, subi, bnez),
// and a loop of 30 million instructions (addi, subi, bnez ten million times) timed whole.

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

std::vector<MemoryRecord> Image(const InstructionSet& set, const std::vector<Line>& lines) {
    std::vector<MemoryRecord> image;
    for (const Line& line : lines)
        image.push_back({static_cast<int32_t>(image.size()), EncodeLine(set, line), "", nullptr, false});
    return image;
}

int64_t RunToHalt(MachineState& machine) {
    int64_t steps = 0;
    machine.JumpTo(0);
    while (!machine.Halted) {
        machine.Step();
        ++steps;
    }
    return steps;
}

void CountInstructions(benchmark::State& state, int64_t steps) {
    state.counters["instructions/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
    state.counters["instructions/run"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
}

std::vector<MemoryRecord> SumProgram(const InstructionSet& set) {
    return Image(set, {
                          {"addi", {1, 0, ArrayStart}},
                          {"addi", {2, 0, ArrayLength}},
                          {"addi", {3, 0, 0}},
                          {"lw", {4, 1, 0}}, // loop
                          {"add", {3, 3, 4}},
                          {"addi", {1, 1, 1}},
                          {"subi", {2, 2, 1}},
                          {"bnez", {2, 3 - 7 - 1}},
                          {"halt", {}},
                      });
}

void SumArray(benchmark::State& state) {
    const InstructionSet& set = LabInstructionSet();
    SilentPrompter prompter;
    MachineState machine(set, prompter);
    machine.LoadProgram(SumProgram(set));
    for (int32_t i = 0; i < ArrayLength; ++i)
        machine.WriteMemory(ArrayStart + i, i);

    int64_t steps = 0;
    for (auto _ : state)
        steps += RunToHalt(machine);
    if (machine.GetRegister(3) != ArrayLength * (ArrayLength - 1) / 2) state.SkipWithError("wrong sum");
    CountInstructions(state, steps);
}

void Loop30M(benchmark::State& state) {
    const InstructionSet& set = LabInstructionSet();
    SilentPrompter prompter;
    MachineState machine(set, prompter);
    machine.LoadProgram(Image(set, {
                                       {"lhi", {2, 0x98}}, // 10,000,000 = 0x989680
                                       {"ori", {2, 2, 0x9680}},
                                       {"addi", {3, 3, 1}}, // loop
                                       {"subi", {2, 2, 1}},
                                       {"bnez", {2, 2 - 4 - 1}},
                                       {"halt", {}},
                                   }));
    int64_t steps = 0;
    for (auto _ : state)
        steps += RunToHalt(machine);
    if (machine.GetRegister(3) != 10'000'000) state.SkipWithError("wrong count");
    CountInstructions(state, steps);
}

} // namespace

BENCHMARK(SumArray)->Unit(benchmark::kMillisecond);
BENCHMARK(Loop30M)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

BENCHMARK_MAIN();
