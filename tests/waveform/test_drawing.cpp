// What the waveform view draws: a few key lines and texts of each picture and the count of
// its lines, not every coordinate.

#include "RecordingCanvas.h"
#include "WaveformFixtures.h"
#include "waveform/GraphDrawing.h"
#include "waveform/Traces.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace vorn;
using namespace vorn::waveform;
using namespace vorn::waveform::testing;
using vorn::testing::CanvasOperation;
using vorn::testing::RecordingCanvas;

TEST(HexValues, HaveNoLeadingZerosAndUpperCaseDigits) {
    const std::pair<uint32_t, const char*> values[] = {
        {0, "0x0"}, {26, "0x1A"}, {0x100, "0x100"}, {0xFFFFFFFFu, "0xFFFFFFFF"}, {0x80000000u, "0x80000000"}};
    for (const auto& [value, text] : values)
        EXPECT_EQ(FormatHexValue(value), text);
}

TEST(Rows, ABitRowDrawsAPiecePerStepAndAnEdgeWhereItChangesABusRowItsValuesWhereTheyChange) {
    // At zoom level 1 the traces start at x 250, the low line of row 0 is at y 80, the high at 60.
    const GraphModel model = Waveform({{"CLK", "0110"}});
    RecordingCanvas bit;
    DrawBitRow(model, bit, 0, model.rows()[0]);
    DrawBusRow(model, bit, 0, model.rows()[0]); // draws nothing for a bit row
    EXPECT_EQ(bit.lines().size(), 6u);
    EXPECT_EQ(bit.findLine({300, 80}, {300, 60})->state.pen, (Pen{kBlack, 1}));
    EXPECT_NE(bit.findLine({400, 80}, {450, 80}), nullptr);
    const CanvasOperation name = bit.textsOf("CLK").at(0);
    EXPECT_EQ(std::tuple(name.at, name.state.font, bit.state.font),
              std::tuple(Point{62, 63}, Font{"Arial", 18, 0}, kDefaultFont));

    // The bus A B C reads 5, 5, 7: cell ends slant by 50 / 8 = 6 on either side of a step
    // boundary, equal cells join, changing ones cross; none after the last.
    GraphModel abc = Waveform({{"A", "111"}, {"B", "001"}, {"C", "111"}});
    abc.CombineRows({0, 1, 2}, "~A[0:2]");
    abc.ClearSelection();
    RecordingCanvas bus;
    DrawBusRow(abc, bus, 0, abc.rows()[0]);
    EXPECT_EQ(bus.texts().size(), 3u);
    const CanvasOperation seven = bus.textsOf("0x7").at(0);
    EXPECT_EQ(std::tuple(seven.at, seven.state.font), std::tuple(Point{356, 64}, Font{"Arial", 12, 0}));
    EXPECT_EQ(bus.lines().size(), 10u);
    for (const auto& [from, to] : {std::pair<Point, Point>{{294, 80}, {306, 80}}, {{344, 60}, {356, 80}}})
        EXPECT_NE(bus.findLine(from, to), nullptr) << from.x;

    // Selected: white traces and values on a black band; the pens and colours come back.
    abc.SelectOnly(0);
    RecordingCanvas inverse;
    DrawBusRow(abc, inverse, 0, abc.rows()[0]);
    const std::vector<CanvasOperation> fills = inverse.ofKind(CanvasOperation::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(std::tuple(fills[0].rect, fills[0].fill), std::tuple(Rect{250, 50, 400, 90}, kBlack));
    const auto five = inverse.textsOf("0x5").at(0).state;
    EXPECT_EQ(std::tuple(five.textColor, five.backgroundColor, inverse.lines().at(0).state.pen),
              std::tuple(kWhite, kBlack, Pen{kWhite, 1}));
    EXPECT_EQ(std::tuple(inverse.state.textColor, inverse.state.backgroundColor, inverse.state.pen),
              std::tuple(kBlack, kWhite, Pen{kBlack, 1}));

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
    const Pen thick{kBlack, 3}, thin{kBlack, 1}, grid{kGridGrey, 1};
    for (const auto& [from, to, pen] :
         std::vector<std::tuple<Point, Point, Pen>>{{{50, 50}, {450, 50}, thick},
                                                    {{450, 50}, {450, 130}, thin},
                                                    {{400, 133}, {400, 127}, thin},
                                                    {{300, 53}, {300, 127}, grid},
                                                    {{252, 90}, {448, 90}, grid}})
        EXPECT_EQ(canvas.findLine(from, to)->state.pen, pen) << from.x << "," << from.y;
    EXPECT_EQ(canvas.findLine({450, 53}, {450, 47}), nullptr);
    EXPECT_EQ(std::tuple(canvas.texts().size(), canvas.textsOf("0")[1].at, canvas.textsOf("3")[0].at),
              std::tuple(11u, Point{248, 137}, Point{398, 35}));
    const CanvasOperation notes = canvas.textsOf("first run").at(0);
    EXPECT_EQ(std::tuple(notes.at, notes.state.font), std::tuple(Point{53, 155}, Font{"Arial", 18, 0}));
    EXPECT_EQ(std::tuple(canvas.state.pen, canvas.state.font), std::tuple(Pen{kBlack, 1}, kDefaultFont));
    model.ToggleGrid();
    RecordingCanvas noGrid;
    OnDraw(model, noGrid);
    EXPECT_EQ(noGrid.lines().size(), canvas.lines().size() - 4);

    // The marker at step 1 writes each row's value beside it, in font 15 of average width 6, and
    // is white on a selected row.
    model.OnLButtonDown({model.tracesLeft() + 60, 10}, false, false);
    model.SelectOnly(1);
    RecordingCanvas marker;
    DrawMarker(model, marker);
    const CanvasOperation one = marker.textsOf("1").at(0);
    EXPECT_EQ(std::tuple(one.at, one.state.textColor, one.state.font),
              std::tuple(Point{197, 63}, kMarkerOne, Font{"Arial", 15, 0}));
    EXPECT_EQ(marker.textsOf("0").at(0).state.textColor, kMarkerZero);
    const int x = model.marker();
    EXPECT_NE(marker.findLine({x, 30}, {x, 50}), nullptr);
    EXPECT_EQ(marker.findLine({x, 90}, {x, 130}), &marker.operations.back());
    EXPECT_EQ(std::tuple(marker.operations.back().state.pen, marker.state.pen),
              std::tuple(Pen{kWhite, 1}, Pen{kBlack, 1}));

    // No rows: nothing, not even the notes or a marker.
    model.SetSignals(5, std::vector<uint32_t>(5, 0), {});
    model.OnLButtonDown({model.tracesLeft() + 10, model.top() + 10}, false, false);
    ASSERT_GT(model.marker(), 0);
    RecordingCanvas empty;
    OnDraw(model, empty);
    EXPECT_TRUE(empty.operations.empty());
}
