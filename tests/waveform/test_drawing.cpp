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

namespace {

// Three signals whose bus A B C reads 5, 5, 7; at zoom level 1 its traces start at x 250, its
// low line is at y 80 and its high line at 60.
GraphModel BusOf557() {
    GraphModel model = Waveform({{"A", "111"}, {"B", "001"}, {"C", "111"}});
    model.CombineRows({0, 1, 2}, "~A[0:2]");
    model.ClearSelection();
    return model;
}

std::vector<std::string> Texts(const RecordingCanvas& canvas) {
    std::vector<std::string> texts;
    for (const CanvasOperation& text : canvas.texts())
        texts.push_back(text.text);
    return texts;
}

} // namespace

TEST(HexValues, HaveNoLeadingZerosAndUpperCaseDigits) {
    const std::pair<uint32_t, const char*> values[] = {
        {0, "0x0"}, {26, "0x1A"}, {0x100, "0x100"}, {0xFFFFFFFFu, "0xFFFFFFFF"}, {0x80000000u, "0x80000000"}};
    for (const auto& [value, text] : values)
        EXPECT_EQ(FormatHexValue(value), text);
}

TEST(BitRow, DrawsOnePiecePerStepAndAnEdgeWhereTheValueChanges) {
    const GraphModel model = Waveform({{"CLK", "0110"}});
    RecordingCanvas canvas;
    DrawBitRow(model, canvas, 0, model.rows()[0]);
    std::vector<std::pair<Point, Point>> segments;
    for (const CanvasOperation& line : canvas.lines()) {
        segments.emplace_back(line.points.at(0), line.points.at(1));
        EXPECT_EQ(line.state.pen, (Pen{kBlack, 1}));
    }
    // clang-format off
    EXPECT_EQ(segments, (std::vector<std::pair<Point, Point>>{
        {{250, 80}, {300, 80}}, {{300, 60}, {350, 60}}, {{300, 80}, {300, 60}},
        {{350, 60}, {400, 60}}, {{400, 80}, {450, 80}}, {{400, 80}, {400, 60}}}));
    // clang-format on
    const CanvasOperation name = canvas.textsOf("CLK").at(0);
    EXPECT_EQ(std::tuple(name.at, name.state.font), std::tuple(Point{62, 63}, Font{"Arial", 18, 0}));
    EXPECT_EQ(canvas.state.font, kDefaultFont);
    RecordingCanvas none;
    DrawBusRow(model, none, 0, model.rows()[0]);
    EXPECT_TRUE(none.operations.empty());
}

TEST(BusRow, WritesAValueWhereItChangesJoinsEqualCellsCrossesChangingOnesAndInvertsWhenSelected) {
    GraphModel model = BusOf557();
    RecordingCanvas canvas;
    DrawBusRow(model, canvas, 0, model.rows()[0]);
    EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"~A[0:2]", "0x5", "0x7"}));
    const CanvasOperation seven = canvas.textsOf("0x7").at(0);
    EXPECT_EQ(std::tuple(seven.at, seven.state.font), std::tuple(Point{356, 64}, Font{"Arial", 12, 0}));
    // The cell ends slant by 50 / 8 = 6 on either side of a step boundary; none after the last.
    EXPECT_NE(canvas.findLine({294, 80}, {306, 80}), nullptr);
    EXPECT_NE(canvas.findLine({344, 80}, {356, 60}), nullptr);
    EXPECT_NE(canvas.findLine({344, 60}, {356, 80}), nullptr);
    EXPECT_EQ(canvas.lines().size(), 10u);

    // Selected: white traces and values on a black band; the pens and colours come back.
    model.SelectOnly(0);
    RecordingCanvas inverse;
    DrawBusRow(model, inverse, 0, model.rows()[0]);
    const std::vector<CanvasOperation> fills = inverse.ofKind(CanvasOperation::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(std::tuple(fills[0].rect, fills[0].fill), std::tuple(Rect{250, 50, 400, 90}, kBlack));
    const auto five = inverse.textsOf("0x5").at(0).state;
    EXPECT_EQ(std::tuple(five.textColor, five.backgroundColor), std::tuple(kWhite, kBlack));
    EXPECT_EQ(inverse.lines().at(0).state.pen, (Pen{kWhite, 1}));
    EXPECT_EQ(std::tuple(inverse.state.textColor, inverse.state.backgroundColor, inverse.state.pen,
                         inverse.state.font),
              std::tuple(kBlack, kWhite, Pen{kBlack, 1}, kDefaultFont));

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

TEST(Frame, BordersRulerGridAndNotesAndNothingAtAllWithoutRows) {
    GraphModel model = Waveform({{"A", "0101"}, {"B", "0011"}});
    model.setNotes("first run");
    RecordingCanvas canvas;
    OnDraw(model, canvas);
    // left 50, top 50, x0 250, total width 450, total height 130; ticks at the step boundaries
    // 1 to 3, none at the end of the last step; row boundaries cross the name and value columns.
    const Pen thick{kBlack, 3}, thin{kBlack, 1}, grid{kGridGrey, 1};
    // clang-format off
    const std::vector<std::tuple<Point, Point, Pen>> lines = {
        {{50, 50}, {450, 50}, thick}, {{50, 50}, {50, 130}, thick}, {{250, 50}, {250, 130}, thick},
        {{150, 50}, {150, 130}, thick}, {{50, 90}, {250, 90}, thick}, {{50, 130}, {450, 130}, thin},
        {{450, 50}, {450, 130}, thin}, {{400, 133}, {400, 127}, thin}, {{300, 53}, {300, 127}, grid},
        {{252, 90}, {448, 90}, grid}};
    // clang-format on
    for (const auto& [from, to, pen] : lines) {
        const CanvasOperation* line = canvas.findLine(from, to);
        ASSERT_NE(line, nullptr) << from.x << "," << from.y;
        EXPECT_EQ(line->state.pen, pen) << from.x << "," << from.y;
    }
    EXPECT_EQ(canvas.findLine({450, 53}, {450, 47}), nullptr);
    const std::vector<std::string> texts = Texts(canvas);
    EXPECT_EQ(std::vector(texts.begin(), texts.begin() + 9),
              (std::vector<std::string>{"0", "0", "1", "1", "2", "2", "3", "3", "first run"}));
    EXPECT_EQ(std::tuple(canvas.textsOf("0")[1].at, canvas.textsOf("3")[0].at),
              std::tuple(Point{248, 137}, Point{398, 35}));
    const CanvasOperation notes = canvas.textsOf("first run").at(0);
    EXPECT_EQ(std::tuple(notes.at, notes.state.font), std::tuple(Point{53, 155}, Font{"Arial", 18, 0}));
    EXPECT_EQ(std::tuple(canvas.state.pen, canvas.state.font), std::tuple(Pen{kBlack, 1}, kDefaultFont));
    model.ToggleGrid();
    RecordingCanvas noGrid;
    OnDraw(model, noGrid);
    EXPECT_EQ(noGrid.lines().size(), canvas.lines().size() - 4);

    // No rows: nothing, not even the notes or a marker.
    model.SetSignals(5, std::vector<uint32_t>(5, 0), {});
    model.OnLButtonDown({model.tracesLeft() + 10, model.top() + 10}, false, false);
    ASSERT_GT(model.marker(), 0);
    RecordingCanvas empty;
    OnDraw(model, empty);
    EXPECT_TRUE(empty.operations.empty());
}

TEST(Marker, WritesEachRowsValueAtTheMarkerStepAndIsWhiteOnASelectedRow) {
    GraphModel model = Waveform({{"A", "111"}, {"B", "001"}, {"C", "111"}, {"Z", "010"}});
    model.CombineRows({0, 1, 2}, "bus");
    model.ClearSelection();
    model.OnLButtonDown({model.tracesLeft() + 60, 10}, false, false); // step 1
    RecordingCanvas canvas;
    OnDraw(model, canvas);
    // Font 15 has the average width 6 here.
    const CanvasOperation one = canvas.textsOf("1").back();
    EXPECT_EQ(std::tuple(one.at, one.state.textColor, one.state.font),
              std::tuple(Point{197, 103}, kMarkerOne, Font{"Arial", 15, 0}));
    const CanvasOperation bus = canvas.textsOf("0x5").back();
    EXPECT_EQ(std::tuple(bus.at, bus.state.textColor), std::tuple(Point{150 + (100 - 21) / 2, 63}, kBlack));
    const int x = model.marker();
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{{50, 90}, {30, 50}, {150, 130}})
        EXPECT_NE(canvas.findLine({x, from}, {x, to}), nullptr) << from;

    model.OnLButtonDown({model.tracesLeft() + 110, 10}, false, false); // step 2
    model.SelectOnly(1);
    RecordingCanvas selected;
    DrawMarker(model, selected);
    EXPECT_EQ(selected.textsOf("0").at(0).state.textColor, kMarkerZero);
    EXPECT_EQ(selected.findLine({model.marker(), 90}, {model.marker(), 130}), &selected.operations.back());
    EXPECT_EQ(selected.operations.back().state.pen, (Pen{kWhite, 1}));
    EXPECT_EQ(selected.state.pen, (Pen{kBlack, 1}));
}
