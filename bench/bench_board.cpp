// The board link over the whole Python road (BoardLink, embedded runtime, our xstools, the
// board emulator): word reads per second, one disconnect+connect, and the panel refresh of the
// load/store lab (a reconnect and about 90 word reads), which must stay well under 100 ms.

#include "board/BoardLink.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

// The trace and the loader's file live in the working directory: keep them out of the tree.
vorn::board::BoardLink& Link() {
    static const bool moved = [] {
        const auto directory = std::filesystem::temp_directory_path() / "vorn-bench-board";
        std::filesystem::create_directories(directory);
        std::filesystem::current_path(directory);
        return true;
    }();
    (void)moved;
    static vorn::board::BoardLink link([] {
        vorn::isa::Settings settings;
        settings.hardwareWaitCycles = 100;
        return settings;
    }());
    link.Connect();
    return link;
}

void BM_ReadWord(benchmark::State& state) {
    auto& link = Link();
    uint32_t word = 0;
    uint32_t address = 0;
    for (auto _ : state) {
        if (link.ReadWord(address++ & 0x3FFF, word) != vorn::board::NoError)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(word);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadWord);

void BM_DisconnectConnect(benchmark::State& state) {
    auto& link = Link();
    for (auto _ : state) {
        link.Disconnect();
        link.Connect();
    }
}
BENCHMARK(BM_DisconnectConnect)->Unit(benchmark::kMicrosecond);

void BM_LoadStorePanelRefresh(benchmark::State& state) {
    auto& link = Link();
    uint32_t word = 0;
    for (auto _ : state) {
        link.Disconnect();
        link.Connect();
        for (uint32_t read = 0; read < 90; ++read)
            link.ReadWord(0x8000 + read % 64, word);
        benchmark::DoNotOptimize(word);
    }
}
BENCHMARK(BM_LoadStorePanelRefresh)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
