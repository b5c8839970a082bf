#include "ui/framework/QtCanvas.h"
#include "ui/waveform/RenderWaveformPng.h"
#include "waveform/GraphModel.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>

using namespace vorn;
using namespace vorn::waveform;

namespace {

QImage WhiteImage(int width, int height, int dotsPerInch = 96) {
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
bool IsWhite(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

int InkIn(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& counts) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (counts(image.pixel(x, y))) ++found;
    return found;
}

bool Dark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// A bit row 0110, a bus that reads 5 5 7 and a marker over step 1.
GraphModel Sample() {
    std::vector<RawSignal> raw(4);
    const char* names[] = {"CLK", "A", "B", "C"};
    const char* values[] = {"0110", "1111", "0011", "1111"};
    for (int j = 0; j < 4; ++j) {
        raw[j].name = names[j];
        for (int s = 0; s < 4; ++s)
            raw[j].value[s] = values[j][s] - '0';
    }
    GraphModel model;
    model.Fill(4, raw);
    model.CombineRows({1, 2, 3}, "~A[0:2]");
    model.ClearSelection();
    model.OnLButtonDown({model.tracesLeft() + 60, 10}, false, false);
    return model;
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

TEST(QtCanvas, RendersAWaveformViewWithTracesBusCellsAndMarker) {
    const GraphModel model = Sample();
    const QImage image = ui::RenderWaveform(model);
    ASSERT_EQ(image.size(), QSize(model.scrollSizes().total.width, model.scrollSizes().total.height));
    // Zoom level 1: x0 250, row 0 low line 80 and high line 60, row 1 from 90 to 130.
    EXPECT_TRUE(IsBlack(image, 275, 80)); // step 0 low
    EXPECT_TRUE(IsWhite(image, 275, 60));
    EXPECT_TRUE(IsBlack(image, 340, 60)); // step 1 high
    EXPECT_TRUE(IsWhite(image, 340, 80));
    EXPECT_TRUE(IsBlack(image, 300, 70)); // the rising edge
    EXPECT_TRUE(IsBlack(image, 449, 80)); // both end points of a piece are painted
    // The three-pixel frame around the top border.
    EXPECT_TRUE(IsBlack(image, 200, 49));
    EXPECT_TRUE(IsBlack(image, 200, 51));
    EXPECT_TRUE(IsWhite(image, 200, 53));
    // The grid between the rows, in grey.
    EXPECT_EQ(image.pixel(430, 90), qRgb(220, 220, 220));
    // The bus: a cross between cells 2 and 3 (values 5 and 7) and a join between cells 1 and 2.
    EXPECT_TRUE(IsBlack(image, 350, 110));
    EXPECT_TRUE(IsBlack(image, 300, 120));
    EXPECT_TRUE(IsBlack(image, 300, 100));
    EXPECT_GT(InkIn(image, QRect(256, 104, 38, 14), Dark), 10); // 0x5 in cell 1
    EXPECT_EQ(InkIn(image, QRect(312, 104, 32, 14), Dark), 0);  // the repeated 5 is not written
    // The marker line and the green 1 of CLK in the value column.
    const int marker = model.marker();
    EXPECT_TRUE(IsBlack(image, marker, 40));
    EXPECT_TRUE(IsBlack(image, marker, 100));
    EXPECT_GT(InkIn(image, QRect(150, 55, 100, 30),
                    [](QRgb p) { return qGreen(p) > 100 && qRed(p) < 100 && qBlue(p) < 100; }),
              5);
    // Row names in the name column.
    EXPECT_GT(InkIn(image, QRect(55, 60, 90, 25), Dark), 20);
}

TEST(QtCanvas, MapsHundredthsOfAnInchWithYUpAndKeepsTextUpright) {
    QImage image = WhiteImage(200, 200, 100); // one unit is one pixel
    {
        QPainter painter(&image);
        ui::QtCanvas canvas(painter);
        canvas.setMappingMode(MappingMode::LoEnglish);
        EXPECT_EQ(canvas.physicalSizeMm(), (Size{51, 51}));
        canvas.line({10, -20}, {60, -20});
        canvas.selectPen({kBlack, 3});
        canvas.line({10, -150}, {60, -150});
        canvas.selectFont({"Arial", 60, 700});
        canvas.setBackgroundMode(BackgroundMode::Transparent);
        canvas.text({100, -100}, "L");
    }
    EXPECT_TRUE(IsBlack(image, 10, 20));
    EXPECT_TRUE(IsBlack(image, 60, 20));
    EXPECT_TRUE(IsWhite(image, 35, 19));
    EXPECT_TRUE(IsBlack(image, 35, 149));
    EXPECT_TRUE(IsBlack(image, 35, 151));
    // The cell runs from y 100 down to 160; an upright L has its foot at the bottom left.
    EXPECT_EQ(InkIn(image, QRect(70, 0, 130, 99), Dark), 0);
    const int bottomLeft = InkIn(image, QRect(100, 130, 20, 30), Dark);
    const int topRight = InkIn(image, QRect(120, 100, 20, 30), Dark);
    EXPECT_GT(bottomLeft, topRight);
}

TEST(QtCanvas, FontHeightsAreCellHeightsAndOpaqueTextFillsTheCell) {
    QImage image = WhiteImage(300, 100);
    int averageWidth = 0;
    {
        QPainter painter(&image);
        ui::QtCanvas canvas(painter);
        canvas.selectFont({"Arial", 40, 0});
        canvas.setBackgroundColor({255, 0, 0});
        canvas.text({0, 0}, "    ");
        averageWidth = canvas.averageCharWidth();
        canvas.selectFont({"Arial", 0, 0});
        EXPECT_GE(canvas.averageCharWidth(), 0);
        canvas.text({200, 50}, "tiny");
    }
    EXPECT_EQ(image.pixel(2, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 39), qRgb(255, 0, 0));
    EXPECT_TRUE(IsWhite(image, 2, 41));
    // Arial's average character width is a little under half of its cell height.
    EXPECT_GE(averageWidth, 14);
    EXPECT_LE(averageWidth, 20);
}

TEST(QtCanvas, FillsRectanglesWithoutTheirFarEdges) {
    QImage image = WhiteImage(50, 50);
    {
        QPainter painter(&image);
        ui::QtCanvas canvas(painter);
        canvas.fillRect({10, 10, 20, 30}, kBlack);
    }
    EXPECT_TRUE(IsBlack(image, 10, 10));
    EXPECT_TRUE(IsBlack(image, 19, 29));
    EXPECT_TRUE(IsWhite(image, 20, 29));
    EXPECT_TRUE(IsWhite(image, 19, 30));
}
