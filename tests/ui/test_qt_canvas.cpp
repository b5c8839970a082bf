// The Qt canvas: the waveform view at the smallest zoom pixel for pixel as the kept reference
// (screen pixels, thin lines, texts and their opaque cells, the small font, the marker), and
// what the view does not reach: hundredths of an inch with y up, wide pens, the average
// character width and filled rectangles.

#include "ui/framework/QtCanvas.h"
#include "ui/waveform/RenderWaveformPng.h"
#include "waveform/GraphModel.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>

using namespace vorn;
using namespace vorn::waveform;

namespace {

QImage WhiteImage(int width, int height, int dotsPerInch) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

int DarkPixelsIn(const QImage& image, const QRect& area) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++found;
    return found;
}

// At the smallest zoom: bit rows, a 24-bit bus whose values take the smaller font, a selected
// bit row and a selected bus in inverse video, the notes and the marker.
GraphModel SmallView() {
    std::vector<RawSignal> raw(30);
    uint32_t seed = 7;
    for (size_t j = 0; j < raw.size(); ++j) {
        raw[j].name = "S" + std::to_string(j);
        for (int s = 0; s < 8; ++s) {
            seed = seed * 1664525u + 1013904223u;
            raw[j].value[s] = seed >> 31;
        }
    }
    GraphModel model;
    model.Fill(8, raw);
    std::vector<int> wide(24);
    std::iota(wide.begin(), wide.end(), 2);
    model.CombineRows(wide, "WIDE");
    model.CombineRows({3, 4, 5, 6}, "NIB");
    model.SelectOnly(1);
    model.ToggleSelection(3);
    model.setNotes("notes");
    while (model.ZoomOut()) {
    }
    model.OnLButtonDown({model.tracesLeft() + 80, 5}, false, false);
    return model;
}

} // namespace

TEST(QtCanvas, DrawsTheWaveformViewPixelForPixelAsTheReference) {
    const QImage reference(QStringLiteral(VORN_SOURCE_DIR "/tests/ui/data/waveform_reference.png"));
    ASSERT_FALSE(reference.isNull());
    EXPECT_TRUE(ui::RenderWaveform(SmallView()) == reference.convertToFormat(QImage::Format_RGB32));
}

// Hundredths of an inch with y up, wide pens, upright text, the average character width and
// rectangles without their far edges.
TEST(QtCanvas, MapsHundredthsOfAnInchWithYUpAndMeasuresAndFillsAsWindowsDoes) {
    QImage image = WhiteImage(200, 200, 100); // one unit is one pixel
    {
        QPainter painter(&image);
        ui::QtCanvas canvas(painter);
        canvas.selectFont({"Arial", 40, 0});
        EXPECT_EQ(canvas.averageCharWidth(), 16); // as Windows gives Arial in a 40-pixel cell
        canvas.fillRect({10, 10, 20, 30}, kBlack);
        canvas.setMappingMode(MappingMode::LoEnglish);
        EXPECT_EQ(canvas.physicalSizeMm(), (Size{51, 51}));
        canvas.line({10, -120}, {60, -120});
        canvas.selectPen({kBlack, 3});
        canvas.line({10, -150}, {60, -150});
        canvas.selectFont({"Arial", 60, 700});
        canvas.setBackgroundMode(BackgroundMode::Transparent);
        canvas.text({100, -40}, "L");
    }
    EXPECT_TRUE(IsBlack(image, 10, 10) && IsBlack(image, 19, 29));
    EXPECT_FALSE(IsBlack(image, 20, 29) || IsBlack(image, 19, 30));
    EXPECT_TRUE(IsBlack(image, 10, 120) && IsBlack(image, 60, 120) && !IsBlack(image, 35, 119));
    EXPECT_TRUE(IsBlack(image, 35, 149) && IsBlack(image, 35, 151));
    // The cell runs from y 40 down to 100; an upright L has its foot at the bottom left.
    EXPECT_EQ(DarkPixelsIn(image, QRect(100, 0, 100, 39)), 0);
    EXPECT_GT(DarkPixelsIn(image, QRect(100, 70, 20, 30)), DarkPixelsIn(image, QRect(120, 40, 20, 30)));
}
