// Assembling a generated source of 100,000 lines with the lab's instruction set: every pass,
// the label report and both output files. The counter lines/s is source lines per second.

#include "LabProgram.h"
#include "assembler/Compiler.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kSourceLines = 100'000;

// Blocks of ten lines: labels, register and immediate instructions, branches back and
// forwards, loads and stores, a comment or a "ds", and a dc holding a label's address.
std::vector<std::string> GeneratedSource() {
    std::vector<std::string> lines;
    lines.reserve(kSourceLines);
    const int blocks = kSourceLines / 10;
    for (int i = 0; i < blocks; ++i) {
        const std::string here = "l" + std::to_string(i);
        const std::string next = i + 1 < blocks ? "l" + std::to_string(i + 1) : here;
        lines.push_back(here + ":\taddi r1 r1 1    * count");
        lines.push_back("\tadd r2 r1 r3");
        lines.push_back("\tsub r3 r2 r1");
        lines.push_back("\tbeqz r2 " + here);
        lines.push_back("\tbnez r3 " + next);
        lines.push_back("\tlw r4 r1 0x10");
        lines.push_back("\tsw r4 r2 -4");
        lines.push_back("\tslli r5 r4 2");
        lines.push_back(i % 10 == 0 ? "\tds 2" : "* a comment line");
        lines.push_back("d" + std::to_string(i) + ":\tdc " + here);
    }
    return lines;
}

void AssembleGeneratedSource(benchmark::State& state) {
    const vorn::isa::InstructionSet& set = vorn::testing::LabInstructionSet();
    const std::vector<std::string> source = GeneratedSource();
    const auto folder = std::filesystem::temp_directory_path() / "vorn-bench-assembler";
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        vorn::assembler::Compiler compiler(set, (folder / "generated").string(),
                                           "XML file date: Wed 5/3/2014 10:7:09\n");
        if (!compiler.Compile(source)) {
            state.SkipWithError(compiler.ErrorList().front().c_str());
            break;
        }
        benchmark::DoNotOptimize(compiler.MemoryImage().data());
    }
    state.counters["lines/s"] =
        benchmark::Counter(kSourceLines, benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(AssembleGeneratedSource)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
