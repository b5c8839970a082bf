#include "RecordingCanvas.h"
#include "WaveformFixtures.h"
#include "waveform/GraphPrinting.h"
#include "waveform/Traces.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::waveform;
using namespace vorn::waveform::testing;
using vorn::testing::CanvasOperation;
using vorn::testing::RecordingCanvas;

namespace {

// A landscape letter page: 1098 by 850 hundredths of an inch.
const Size kLetterLandscape{279, 216};

GraphModel ThreeStepsFourRows() {
    GraphModel model = Waveform({{"A", "011"}, {"B", "110"}, {"C", "100"}, {"D", "001"}});
    model.CombineRows({2, 3}, "~C[0:1]");
    model.setNotes("lab 3");
    return model;
}

} // namespace

TEST(PrintMetrics, FollowThePageAndNotTheScreen) {
    const PrintMetrics m = ComputePrintMetrics(kLetterLandscape, 3, 4);
    EXPECT_EQ(m.pageWidth, 1098);
    EXPECT_EQ(m.pageHeight, 850);
    EXPECT_EQ(m.stepWidth, 1058 / 7);
    EXPECT_EQ(m.rowHeight, 790 / 12);
    EXPECT_EQ(m.halfRow, 32);
    EXPECT_EQ(m.x0, 30 + 2 * 151);
    EXPECT_EQ(m.frameWidth, 5 * 151 + 30);
    EXPECT_EQ(m.frameHeight, 4 * 65 + 30);
    // Row height 65 would give fonts of 21: the ruler is capped at 10 and rows at 7.
    EXPECT_EQ(m.rulerFont, 10);
    EXPECT_EQ(m.tick, 2);
    EXPECT_EQ(m.rowFont, 7);

    EXPECT_EQ(ComputePrintMetrics(kLetterLandscape, 5, 4).stepWidth, 151);
    EXPECT_EQ(ComputePrintMetrics(kLetterLandscape, 20, 4).stepWidth, 1058 / 22);
    const PrintMetrics crowded = ComputePrintMetrics(kLetterLandscape, 3, 100);
    EXPECT_EQ(crowded.rowHeight, 7);
    EXPECT_EQ(crowded.rulerFont, 2);
    EXPECT_EQ(crowded.rowFont, 2);
    EXPECT_EQ(crowded.tick, 0);
}

TEST(PrintPage, DrawsTheFrameRulerAndNotesInHundredthsOfAnInchWithYUp) {
    GraphModel model = ThreeStepsFourRows();
    RecordingCanvas canvas;
    canvas.sizeMm = kLetterLandscape;
    OnPrint(model, canvas);
    for (const CanvasOperation& operation : canvas.operations)
        ASSERT_EQ(operation.state.mappingMode, MappingMode::LoEnglish);
    EXPECT_EQ(canvas.state.mappingMode, MappingMode::Pixels);

    // Three rows: x0 332, W 785, H 3 x 65 + 30 = 225.
    EXPECT_EQ(canvas.findLine({30, -30}, {785, -30})->state.pen, (Pen{kBlack, 3}));
    EXPECT_NE(canvas.findLine({30, -30}, {30, -225}), nullptr);
    EXPECT_NE(canvas.findLine({332, -30}, {332, -225}), nullptr);
    EXPECT_NE(canvas.findLine({30, -95}, {332, -95}), nullptr);
    EXPECT_EQ(canvas.findLine({30, -225}, {785, -225})->state.pen, (Pen{kBlack, 1}));
    EXPECT_NE(canvas.findLine({785, -30}, {785, -225}), nullptr);

    const std::vector<CanvasOperation> zeros = canvas.textsOf("0");
    ASSERT_EQ(zeros.size(), 2u);
    EXPECT_EQ(zeros[0].at, (Point{326, -15}));
    EXPECT_EQ(zeros[1].at, (Point{326, -230}));
    EXPECT_EQ(zeros[0].state.font, (Font{"Arial", 10, 0}));
    EXPECT_EQ(canvas.textsOf("2").at(0).at, (Point{332 + 302 - 6, -15}));
    EXPECT_NE(canvas.findLine({483, -32}, {483, -28}), nullptr);
    EXPECT_EQ(canvas.findLine({483, -32}, {483, -223})->state.pen, (Pen{kGridGrey, 1}));
    // The notes stand at the screen's left margin.
    EXPECT_EQ(canvas.textsOf("lab 3").at(0).at, (Point{50, -(5 + 10 + 225)}));
    model.ZoomIn();
    RecordingCanvas zoomed;
    zoomed.sizeMm = kLetterLandscape;
    OnPrint(model, zoomed);
    EXPECT_EQ(zoomed.textsOf("lab 3").at(0).at.x, 62);
    EXPECT_EQ(zoomed.operations.size(), canvas.operations.size());
}

TEST(PrintPage, RowsPrintAsTracesAndBusCellsWithoutInverseVideo) {
    GraphModel model = ThreeStepsFourRows();
    model.SelectOnly(2);
    RecordingCanvas canvas;
    canvas.sizeMm = kLetterLandscape;
    OnPrint(model, canvas);
    // Row 0 (A 011): low line at 79, high line at 47 below the top edge.
    const CanvasOperation name = canvas.textsOf("A").at(0);
    EXPECT_EQ(name.at, (Point{30 + 37, -(30 + 21)}));
    EXPECT_EQ(name.state.font, (Font{"Arial", 10, 0}));
    EXPECT_NE(canvas.findLine({332, -79}, {483, -79}), nullptr);
    EXPECT_NE(canvas.findLine({483, -47}, {634, -47}), nullptr);
    EXPECT_NE(canvas.findLine({483, -79}, {483, -47}), nullptr);
    // Row 2, the bus C D: values 2, 0, 1 with e = 18.
    const CanvasOperation two = canvas.textsOf("0x2").at(0);
    EXPECT_EQ(two.at, (Point{332 + 18, -(130 + 47 + 6)}));
    EXPECT_EQ(two.state.font.height, 7);
    EXPECT_EQ(two.state.textColor, kBlack);
    EXPECT_NE(canvas.findLine({483 - 18, -(130 + 79)}, {483 + 18, -(130 + 47)}), nullptr);
    EXPECT_TRUE(canvas.ofKind(CanvasOperation::Kind::FillRect).empty());
    for (const CanvasOperation& line : canvas.lines())
        EXPECT_NE(line.state.pen.color, kWhite);
}

TEST(PrintPage, AViewWithoutRowsPrintsTheFrameTheRulerAndTheNotes) {
    GraphModel model;
    const std::vector<uint32_t> samples(4, 0);
    model.SetSignals(4, samples, {});
    model.setNotes("empty");
    RecordingCanvas canvas;
    OnPrint(model, canvas);
    EXPECT_EQ(canvas.textsOf("empty").size(), 1u);
    EXPECT_EQ(canvas.textsOf("3").size(), 2u);
    EXPECT_NE(canvas.findLine({30, -30}, {30, -30}), nullptr); // the left border has no height
}

TEST(PrintPage, ManyRowsShrinkEveryFont) {
    std::vector<std::pair<std::string, std::string>> rows(100, {"S", "01"});
    const GraphModel model = Waveform(rows);
    RecordingCanvas canvas;
    OnPrint(model, canvas);
    EXPECT_EQ(canvas.textsOf("0").at(0).state.font.height, 2);
    EXPECT_EQ(canvas.textsOf("S").at(0).state.font.height, 3);
}
