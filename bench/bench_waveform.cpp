// Redrawing a waveform view of 32 rows by 31 steps at zoom level 0 onto a QImage through the
// Qt canvas, as a repaint does: the background erased, then the whole view drawn. Rows of
// single bits and four-bit buses, one selected row and the marker. Time is per redraw.

#include "ui/framework/QtCanvas.h"
#include "waveform/GraphDrawing.h"
#include "waveform/GraphModel.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
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
    const GraphModel model = BenchView();
    if (model.rows().size() != kBitRows + kBuses || model.zoomLevel() != 0 || model.marker() <= 0) {
        state.SkipWithError("the view is not the one meant");
        return;
    }
    const vorn::Size extent = model.scrollSizes().total;
    QImage image(extent.width, extent.height, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        vorn::ui::QtCanvas canvas(painter);
        OnDraw(model, canvas);
    }
    benchmark::DoNotOptimize(image.constBits());
}

} // namespace

BENCHMARK(RedrawWaveformView)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
