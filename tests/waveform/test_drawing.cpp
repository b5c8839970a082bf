// What the waveform view draws and prints: a few key lines and texts of each picture and the
// count of its lines, not every coordinate. The recording canvas's page is landscape letter:
// 1098 by 850 hundredths of an inch.

#include "RecordingCanvas.h"
#include "WaveformFixtures.h"
#include "waveform/GraphDrawing.h"
#include "waveform/GraphPrinting.h"
#include "waveform/Traces.h"

#include <gtest/gtest.h>
#include <numeric>
#include <optional>

using namespace vorn;
using namespace vorn::waveform;
using namespace vorn::waveform::testing;
using vorn::testing::CanvasOperation;
using vorn::testing::RecordingCanvas;

// The pen of the line between the two points; none when there is no such line.
std::optional<Pen> PenOf(const RecordingCanvas& canvas, Point from, Point to) {
    const CanvasOperation* line = canvas.findLine(from, to);
    return line ? std::optional(line->state.pen) : std::nullopt;
}

TEST(Rows, ABitRowDrawsAPiecePerStepAndAnEdgeWhereItChangesABusRowItsValuesWhereTheyChange) {
    // At zoom level 1 the traces start at x 250, the low line of row 0 is at y 80, the high at 60.
    const GraphModel model = Waveform({{"CLK", "0110"}});
    RecordingCanvas bit;
    DrawBitRow(model, bit, 0, model.rows()[0]);
    DrawBusRow(model, bit, 0, model.rows()[0]); // draws nothing for a bit row
    const CanvasOperation name = bit.textsOf("CLK").at(0);
    EXPECT_EQ(std::tuple(bit.lines().size(), PenOf(bit, {300, 80}, {300, 60}), name.at, name.state.font,
                         bit.state.font),
              std::tuple(6u, Pen{kBlack, 1}, Point{62, 63}, Font{"Arial", 18, 0}, kDefaultFont));
    // The bus A B C reads 5, 5, 7: cell ends slant by 50 / 8 = 6 on either side of a step
    // boundary, equal cells join, changing ones cross; none after the last. Selected: white
    // traces and values on a black band; the pens and colours come back.
    GraphModel abc = Waveform({{"A", "111"}, {"B", "001"}, {"C", "111"}});
    abc.CombineRows({0, 1, 2}, "~A[0:2]");
    RecordingCanvas bus;
    DrawBusRow(abc, bus, 0, abc.rows()[0]);
    const CanvasOperation seven = bus.textsOf("0x7").at(0),
                          band = bus.ofKind(CanvasOperation::Kind::FillRect).at(0);
    EXPECT_EQ(
        std::tuple(bus.texts().size(), bus.lines().size(), seven.at, seven.state.font, seven.state.textColor),
        std::tuple(3u, 10u, Point{356, 64}, Font{"Arial", 12, 0}, kWhite));
    EXPECT_NE(bus.findLine({344, 60}, {356, 80}), nullptr);
    EXPECT_EQ(std::tuple(band.rect, band.fill, bus.lines().at(0).state.pen),
              std::tuple(Rect{250, 50, 400, 90}, kBlack, Pen{kWhite, 1}));
    EXPECT_EQ(std::tuple(bus.state.textColor, bus.state.backgroundColor, bus.state.pen),
              std::tuple(kBlack, kWhite, Pen{kBlack, 1}));
    abc.ClearSelection();
    RecordingCanvas plain;
    DrawBusRow(abc, plain, 0, abc.rows()[0]);
    EXPECT_EQ(std::tuple(plain.operations.size(), plain.textsOf("0x5").at(0).state.textColor),
              std::tuple(13u, kBlack));

    // Ten characters of width 2 exceed 0.75 x 26: the text is written whole in 0.9 x 7.
    GraphModel wide = Waveform(std::vector<std::pair<std::string, std::string>>(32, {"S", "1"}));
    std::vector<int> all(32);
    std::iota(all.begin(), all.end(), 0);
    ASSERT_TRUE(wide.CombineRows(all, "wide"));
    while (wide.ZoomOut()) {
    }
    RecordingCanvas small;
    DrawBusRow(wide, small, 0, wide.rows()[0]);
    EXPECT_EQ(small.textsOf("0xFFFFFFFF").at(0).state.font, (Font{"Arial", 6, 0}));
}

TEST(Frame, BordersRulerGridNotesAndTheMarkerAndNothingAtAllWithoutRows) {
    GraphModel model = Waveform({{"A", "0101"}, {"B", "0011"}});
    model.setNotes("first run");
    RecordingCanvas canvas;
    OnDraw(model, canvas);
    // left 50, top 50, x0 250, total width 450, total height 130; ticks at the step boundaries
    // 1 to 3, none at the end of the last step.
    EXPECT_EQ(std::tuple(PenOf(canvas, {50, 50}, {450, 50}), PenOf(canvas, {400, 133}, {400, 127}),
                         PenOf(canvas, {300, 53}, {300, 127}), PenOf(canvas, {450, 53}, {450, 47})),
              std::tuple(Pen{kBlack, 3}, Pen{kBlack, 1}, Pen{kGridGrey, 1}, std::nullopt));
    EXPECT_EQ(std::tuple(canvas.texts().size(), canvas.textsOf("0").at(1).at, canvas.textsOf("3").at(0).at,
                         canvas.textsOf("first run").at(0).at),
              std::tuple(11u, Point{248, 137}, Point{398, 35}, Point{53, 155}));
    EXPECT_EQ(std::tuple(canvas.state.pen, canvas.state.font), std::tuple(Pen{kBlack, 1}, kDefaultFont));
    model.ToggleGrid();
    RecordingCanvas noGrid;
    OnDraw(model, noGrid);
    EXPECT_EQ(noGrid.lines().size() + 4, canvas.lines().size());

    // The marker at step 1 writes each row's value beside it, in font 15 of average width 6, and
    // is white on a selected row.
    model.OnLButtonDown({model.tracesLeft() + 60, 10}, false, false);
    model.SelectOnly(1);
    RecordingCanvas marker;
    DrawMarker(model, marker);
    const CanvasOperation one = marker.textsOf("1").at(0);
    EXPECT_EQ(
        std::tuple(one.at, one.state.textColor, one.state.font, marker.textsOf("0").at(0).state.textColor),
        std::tuple(Point{197, 63}, kMarkerOne, Font{"Arial", 15, 0}, kMarkerZero));
    const int x = model.marker();
    EXPECT_EQ(std::tuple(marker.findLine({x, 30}, {x, 50}) != nullptr, marker.findLine({x, 90}, {x, 130}),
                         marker.operations.back().state.pen, marker.state.pen),
              std::tuple(true, &marker.operations.back(), Pen{kWhite, 1}, Pen{kBlack, 1}));

    // No rows: nothing, not even the notes or a marker.
    model.SetSignals(5, std::vector<uint32_t>(5, 0), {});
    model.OnLButtonDown({model.tracesLeft() + 10, model.top() + 10}, false, false);
    RecordingCanvas empty;
    OnDraw(model, empty);
    EXPECT_TRUE(model.marker() > 0 && empty.operations.empty());
}

TEST(Print, FollowsThePageNotTheScreenInHundredthsOfAnInchWithYUpAndNoInverseVideo) {
    struct Case {
        int steps, rows, stepWidth, rowHeight, rulerFont, tick, rowFont;
    };
    // Up to five steps and twelve rows the page is shared as if there were that many; the ruler
    // font is capped at 10 and the row font at 7.
    for (const Case& c : {Case{3, 4, 1058 / 7, 790 / 12, 10, 2, 7}, Case{6, 13, 1058 / 8, 790 / 13, 10, 2, 7},
                          Case{20, 100, 1058 / 22, 7, 2, 0, 2}}) {
        const PrintMetrics m = ComputePrintMetrics({279, 216}, c.steps, c.rows);
        EXPECT_EQ(std::tuple(m.stepWidth, m.rowHeight, m.rulerFont, m.tick, m.rowFont),
                  std::tuple(c.stepWidth, c.rowHeight, c.rulerFont, c.tick, c.rowFont))
            << c.steps << " steps, " << c.rows << " rows";
    }
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
    EXPECT_EQ(PenOf(canvas, {30, -30}, {785, -30}), (Pen{kBlack, 3}));
    EXPECT_EQ(std::tuple(canvas.textsOf("0").at(1).at, canvas.textsOf("0").at(1).state.font),
              std::tuple(Point{326, -230}, Font{"Arial", 10, 0}));
    // Row 0 (A 011): low line 79, high line 47 below the top edge. Row 2, the bus C D: values
    // 2, 0, 1 with e = 18.
    EXPECT_TRUE(canvas.textsOf("A").at(0).at == (Point{30 + 37, -(30 + 21)}) &&
                canvas.findLine({483, -79}, {483, -47}));
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
