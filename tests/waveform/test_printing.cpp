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

// The recording canvas's page is landscape letter: 1098 by 850 hundredths of an inch.

TEST(PrintMetrics, FollowThePageAndNotTheScreen) {
    struct Case {
        int steps, rows, stepWidth, rowHeight, rulerFont, tick, rowFont;
    };
    // Up to five steps and twelve rows the page is shared as if there were that many; the ruler
    // font is capped at 10 and the row font at 7.
    for (const Case& c : {Case{3, 4, 1058 / 7, 790 / 12, 10, 2, 7}, Case{6, 13, 1058 / 8, 790 / 13, 10, 2, 7},
                          Case{20, 100, 1058 / 22, 7, 2, 0, 2}}) {
        const PrintMetrics m = ComputePrintMetrics({279, 216}, c.steps, c.rows);
        EXPECT_EQ(std::tuple(m.stepWidth, m.rowHeight, m.rulerFont, m.tick, m.rowFont, m.halfRow, m.x0,
                             m.frameWidth, m.frameHeight, m.pageWidth, m.pageHeight),
                  std::tuple(c.stepWidth, c.rowHeight, c.rulerFont, c.tick, c.rowFont, c.rowHeight / 2,
                             30 + 2 * c.stepWidth, (c.steps + 2) * c.stepWidth + 30,
                             c.rows * c.rowHeight + 30, 1098, 850))
            << c.steps << " steps, " << c.rows << " rows";
    }
}

TEST(PrintPage, InHundredthsOfAnInchWithYUpAndNoInverseVideoAndWithoutRowsTheFrameRulerAndNotes) {
    GraphModel model = Waveform({{"A", "011"}, {"B", "110"}, {"C", "100"}, {"D", "001"}});
    model.CombineRows({2, 3}, "~C[0:1]"); // selected
    model.setNotes("lab 3");
    RecordingCanvas canvas;
    OnPrint(model, canvas);
    for (const CanvasOperation& operation : canvas.operations) {
        ASSERT_EQ(operation.state.mappingMode, MappingMode::LoEnglish);
        ASSERT_NE(operation.state.pen.color, kWhite);
        ASSERT_NE(operation.kind, CanvasOperation::Kind::FillRect);
    }
    EXPECT_EQ(canvas.state.mappingMode, MappingMode::Pixels);
    // Three rows: step width 151, row height 65, x0 332, W 785, H 225.
    EXPECT_EQ(canvas.findLine({30, -30}, {785, -30})->state.pen, (Pen{kBlack, 3}));
    EXPECT_EQ(canvas.findLine({483, -32}, {483, -223})->state.pen, (Pen{kGridGrey, 1}));
    const CanvasOperation zero = canvas.textsOf("0").at(1);
    EXPECT_EQ(std::tuple(zero.at, zero.state.font), std::tuple(Point{326, -230}, Font{"Arial", 10, 0}));
    // Row 0 (A 011): low line 79, high line 47 below the top edge. Row 2, the bus C D: values
    // 2, 0, 1 with e = 18.
    EXPECT_EQ(canvas.textsOf("A").at(0).at, (Point{30 + 37, -(30 + 21)}));
    EXPECT_NE(canvas.findLine({483, -79}, {483, -47}), nullptr);
    const CanvasOperation two = canvas.textsOf("0x2").at(0);
    EXPECT_EQ(std::tuple(two.at, two.state.font.height, two.state.textColor),
              std::tuple(Point{332 + 18, -(130 + 47 + 6)}, 7, kBlack));
    // The notes follow the screen's left margin; nothing else of the screen counts.
    EXPECT_EQ(canvas.textsOf("lab 3").at(0).at, (Point{50, -(5 + 10 + 225)}));
    model.ZoomIn();
    RecordingCanvas zoomed;
    OnPrint(model, zoomed);
    EXPECT_EQ(std::tuple(zoomed.textsOf("lab 3").at(0).at.x, zoomed.operations.size()),
              std::tuple(62, canvas.operations.size()));

    model.SetSignals(4, std::vector<uint32_t>(4, 0), {});
    RecordingCanvas empty;
    OnPrint(model, empty);
    EXPECT_EQ(std::tuple(empty.textsOf("lab 3").size(), empty.textsOf("3").size()), std::tuple(1u, 2u));
    EXPECT_NE(empty.findLine({30, -30}, {30, -30}), nullptr); // the left border has no height
}
