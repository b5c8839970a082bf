// Assembling a generated source of 100,000 lines with the lab's instruction set: every pass,
// the label report and both output files. The counter lines/s is source lines per second.
// And the colouring editor's bookkeeping of a paste of 5,000 such lines into the middle of a
// text of 10,000 or 50,000: time per paste.

#include "LabProgram.h"
#include "assembler/Compiler.h"
#include "assembler/EditorModel.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kSourceLines = 100'000;

// Blocks of ten lines: labels, register and immediate instructions, branches back and
// forwards, loads and stores, a comment or a "ds", and a dc holding a label's address. The
// labels of the blocks start with the given letters.
std::vector<std::string> GeneratedSource(int count = kSourceLines, const std::string& code = "l",
                                         const std::string& data = "d") {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(count));
    const int blocks = count / 10;
    for (int i = 0; i < blocks; ++i) {
        const std::string here = code + std::to_string(i);
        const std::string next = i + 1 < blocks ? code + std::to_string(i + 1) : here;
        lines.push_back(here + ":\taddi r1 r1 1    * count");
        lines.push_back("\tadd r2 r1 r3");
        lines.push_back("\tsub r3 r2 r1");
        lines.push_back("\tbeqz r2 " + here);
        lines.push_back("\tbnez r3 " + next);
        lines.push_back("\tlw r4 r1 0x10");
        lines.push_back("\tsw r4 r2 -4");
        lines.push_back("\tslli r5 r4 2");
        lines.push_back(i % 10 == 0 ? "\tds 2" : "* a comment line");
        lines.push_back(data + std::to_string(i) + ":\tdc " + here);
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

// The editor pastes 5,000 lines of new blocks at the start of the middle line: the model
// judges them and recolours the name of each label they define across the whole text. Between
// pastes the pasted lines are deleted again, untimed.
void PasteIntoLongText(benchmark::State& state) {
    using namespace vorn::assembler;
    constexpr int kPasted = 5'000;
    const int textLines = static_cast<int>(state.range(0));
    EditorModel model(vorn::testing::LabInstructionSet());
    std::vector<std::string> text = GeneratedSource(textLines);
    if (!model.ApplyEdit(EditKind::Other, 0, text, textLines)) {
        state.SkipWithError("the text was not taken");
        return;
    }
    model.RecheckAll();
    const int at = textLines / 2;
    std::vector<std::string> pasted = GeneratedSource(kPasted, "lp", "dp");
    pasted.push_back(model.LineText(at));
    for (auto _ : state) {
        if (!model.ApplyEdit(EditKind::Paste, at, pasted, textLines + kPasted)) {
            state.SkipWithError("the paste was not taken");
            break;
        }
        state.PauseTiming();
        model.ApplyEdit(EditKind::Delete, at, {pasted.back()}, textLines);
        state.ResumeTiming();
    }
    if (model.Checker().Labels().size() != static_cast<size_t>(textLines / 5))
        state.SkipWithError("the deletions left labels behind");
}

} // namespace

BENCHMARK(AssembleGeneratedSource)->Unit(benchmark::kMillisecond);
BENCHMARK(PasteIntoLongText)->Arg(10'000)->Arg(50'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
