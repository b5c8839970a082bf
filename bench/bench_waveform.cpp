// Redrawing a waveform view of 32 rows by 31 steps at zoom level 0 as the window does: the
// view's visible area repainted at once, the background erased and the whole view drawn
// through the Qt canvas. Rows of single bits and four-bit buses, one selected row and the
// marker; the window is as large as the view's extent, so every row and step is visible.
// Time is per repaint.

#include "ui/waveform/CGraphView.h"
#include "waveform/GraphModel.h"

#include <QApplication>
#include <QScrollBar>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

using namespace vorn::waveform;

constexpr int kSteps = 31;
constexpr int kBitRows = 24;
constexpr int kBuses = 8;
constexpr int kBusWidth = 4;

GraphModel BenchView() {
    std::vector<RawSignal> raw(kBitRows + kBuses * kBusWidth);
    uint32_t seed = 12345;
    for (size_t j = 0; j < raw.size(); ++j) {
        raw[j].name = "SIG" + std::to_string(j);
        for (int s = 0; s < kSteps; ++s) {
            seed = seed * 1664525u + 1013904223u;
            raw[j].value[s] = (seed >> 28) & 1u;
        }
    }
    GraphModel model;
    model.Fill(kSteps, std::move(raw));
    for (int b = 0; b < kBuses; ++b) {
        std::vector<int> bits(kBusWidth);
        for (int k = 0; k < kBusWidth; ++k)
            bits[k] = kBitRows + b + k;
        model.CombineRows(bits, "BUS" + std::to_string(b));
    }
    model.ZoomOut();
    model.SelectOnly(3);
    model.OnLButtonDown({model.tracesLeft() + 10 * model.metrics().stepWidth + 5, 5}, false, false);
    return model;
}

void RedrawWaveformView(benchmark::State& state) {
    vorn::ui::CGraphView view;
    view.model() = BenchView();
    const GraphModel& model = view.model();
    if (model.rows().size() != kBitRows + kBuses || model.zoomLevel() != 0 || model.marker() <= 0) {
        state.SkipWithError("the view is not the one meant");
        return;
    }
    const vorn::Size extent = model.scrollSizes().total;
    const int frame = 2 * view.frameWidth();
    view.resize(extent.width + frame, extent.height + frame);
    view.show();
    for (int wait = 0; wait < 100 && !view.windowHandle()->isExposed(); ++wait)
        QApplication::processEvents();
    view.Refresh();
    if (view.horizontalScrollBar()->maximum() != 0 || view.verticalScrollBar()->maximum() != 0) {
        state.SkipWithError("the window does not show the whole view");
        return;
    }
    for (auto _ : state)
        view.viewport()->repaint();
}

} // namespace

BENCHMARK(RedrawWaveformView)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
