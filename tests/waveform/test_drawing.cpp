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

// Three signals whose bus A B C reads 5, 5, 7.
GraphModel BusOf557() {
    GraphModel model = Waveform({{"A", "111"}, {"B", "001"}, {"C", "111"}});
    model.CombineRows({0, 1, 2}, "~A[0:2]");
    model.ClearSelection();
    return model;
}

std::vector<std::pair<Point, Point>> Segments(const RecordingCanvas& canvas) {
    std::vector<std::pair<Point, Point>> segments;
    for (const CanvasOperation& line : canvas.lines())
        segments.emplace_back(line.points.at(0), line.points.at(1));
    return segments;
}

} // namespace

TEST(HexValues, HaveNoLeadingZerosAndUpperCaseDigits) {
    for (const auto& [value, text] :
         std::vector<std::pair<uint32_t, std::string>>{{0, "0x0"},
                                                       {26, "0x1A"},
                                                       {0x100, "0x100"},
                                                       {0xFFFFFFFFu, "0xFFFFFFFF"},
                                                       {0x80000000u, "0x80000000"}})
        EXPECT_EQ(FormatHexValue(value), text);
}

TEST(BitRow, DrawsOnePiecePerStepAndAnEdgeWhereTheValueChanges) {
    const GraphModel model = Waveform({{"CLK", "0110"}});
    RecordingCanvas canvas;
    DrawBitRow(model, canvas, 0, model.rows()[0]);
    // x0 = 250, low line 80, high line 60 at zoom level 1.
    using P = std::pair<Point, Point>;
    EXPECT_EQ(Segments(canvas), (std::vector<P>{{{250, 80}, {300, 80}},
                                                {{300, 60}, {350, 60}},
                                                {{300, 80}, {300, 60}},
                                                {{350, 60}, {400, 60}},
                                                {{400, 80}, {450, 80}},
                                                {{400, 80}, {400, 60}}}));
    for (const CanvasOperation& line : canvas.lines())
        EXPECT_EQ(line.state.pen, (Pen{kBlack, 1}));
    const std::vector<CanvasOperation> names = canvas.textsOf("CLK");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].at, (Point{62, 63}));
    EXPECT_EQ(names[0].state.font, (Font{"Arial", 18, 0}));
    EXPECT_EQ(canvas.state.pen, (Pen{kBlack, 1}));
    EXPECT_EQ(canvas.state.font, kDefaultFont);

    RecordingCanvas none;
    DrawBusRow(model, none, 0, model.rows()[0]);
    EXPECT_TRUE(none.operations.empty());
}

TEST(BusRow, WritesAValueWhereItChangesAndJoinsOrCrossesTheCells) {
    const GraphModel model = BusOf557();
    RecordingCanvas canvas;
    DrawBusRow(model, canvas, 0, model.rows()[0]);
    using P = std::pair<Point, Point>;
    // e = 6; cell k spans 250 + 50 (k - 1) to 250 + 50 k.
    EXPECT_EQ(Segments(canvas), (std::vector<P>{{{256, 80}, {294, 80}},
                                                {{256, 60}, {294, 60}},
                                                {{294, 80}, {306, 80}},
                                                {{294, 60}, {306, 60}},
                                                {{306, 80}, {344, 80}},
                                                {{306, 60}, {344, 60}},
                                                {{344, 80}, {356, 60}},
                                                {{344, 60}, {356, 80}},
                                                {{356, 80}, {394, 80}},
                                                {{356, 60}, {394, 60}}}));
    std::vector<std::string> values;
    for (const CanvasOperation& text : canvas.texts())
        values.push_back(text.text);
    EXPECT_EQ(values, (std::vector<std::string>{"~A[0:2]", "0x5", "0x7"}));
    const CanvasOperation seven = canvas.textsOf("0x7").at(0);
    EXPECT_EQ(seven.at, (Point{356, 64}));
    EXPECT_EQ(seven.state.font, (Font{"Arial", 12, 0}));
    EXPECT_EQ(seven.state.backgroundColor, kWhite);
    EXPECT_EQ(canvas.state.font, kDefaultFont);
}

TEST(BusRow, AValueTooWideForThreeQuartersOfAStepTakesTheSmallerFont) {
    GraphModel model = Waveform({{"A", "1"}, {"B", "1"}});
    model.CombineRows({0, 1}, "bus");
    RecordingCanvas canvas;
    DrawBusRow(model, canvas, 0, model.rows()[0]);
    EXPECT_EQ(canvas.textsOf("0x3").at(0).state.font.height, 12);

    std::vector<std::pair<std::string, std::string>> ones(32, {"S", "1"});
    GraphModel wide = Waveform(ones);
    std::vector<int> all(32);
    std::iota(all.begin(), all.end(), 0);
    ASSERT_TRUE(wide.CombineRows(all, "wide"));
    while (wide.ZoomOut()) {
    }
    RecordingCanvas small;
    DrawBusRow(wide, small, 0, wide.rows()[0]);
    // Ten characters of width 2 exceed 0.75 x 26; the text is written whole in 0.9 x 7.
    EXPECT_EQ(small.textsOf("0xFFFFFFFF").at(0).state.font, (Font{"Arial", 6, 0}));
}

TEST(Selection, ASelectedRowIsDrawnInInverseVideoAndThePensAreGivenBack) {
    GraphModel model = BusOf557();
    model.SelectOnly(0);
    RecordingCanvas canvas;
    DrawBusRow(model, canvas, 0, model.rows()[0]);
    const std::vector<CanvasOperation> fills = canvas.ofKind(CanvasOperation::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (Rect{250, 50, 400, 90}));
    EXPECT_EQ(fills[0].fill, kBlack);
    const CanvasOperation five = canvas.textsOf("0x5").at(0);
    EXPECT_EQ(five.state.textColor, kWhite);
    EXPECT_EQ(five.state.backgroundColor, kBlack);
    EXPECT_EQ(five.state.backgroundMode, BackgroundMode::Opaque);
    for (const CanvasOperation& line : canvas.lines())
        EXPECT_EQ(line.state.pen, (Pen{kWhite, 1}));
    EXPECT_EQ(canvas.state.textColor, kBlack);
    EXPECT_EQ(canvas.state.backgroundColor, kWhite);
    EXPECT_EQ(canvas.state.pen, (Pen{kBlack, 1}));

    // A one-bit row the same, with its name left black outside the band.
    GraphModel bits = Waveform({{"A", "01"}, {"B", "10"}});
    bits.SelectOnly(1);
    RecordingCanvas bit;
    DrawBitRow(bits, bit, 1, bits.rows()[1]);
    EXPECT_EQ(bit.ofKind(CanvasOperation::Kind::FillRect).at(0).rect, (Rect{250, 90, 350, 130}));
    for (const CanvasOperation& line : bit.lines())
        EXPECT_EQ(line.state.pen.color, kWhite);
    EXPECT_EQ(bit.textsOf("B").at(0).state.textColor, kBlack);
}

TEST(Frame, BordersRulerGridAndNotes) {
    GraphModel model = Waveform({{"A", "0101"}, {"B", "0011"}});
    model.setNotes("first run");
    RecordingCanvas canvas;
    DrawFrame(model, canvas);
    // left 50, top 50, x0 250, total width 450, total height 130; ticks at the step boundaries
    // 1 to 3, none at the end of the last step.
    const Pen thick{kBlack, 3}, thin{kBlack, 1}, grid{kGridGrey, 1};
    for (const auto& [from, to, pen] :
         std::vector<std::tuple<Point, Point, Pen>>{{{50, 50}, {450, 50}, thick},
                                                    {{50, 50}, {50, 130}, thick},
                                                    {{250, 50}, {250, 130}, thick},
                                                    {{150, 50}, {150, 130}, thick},
                                                    {{50, 90}, {250, 90}, thick},
                                                    {{50, 130}, {450, 130}, thin},
                                                    {{450, 50}, {450, 130}, thin},
                                                    {{300, 53}, {300, 47}, thin},
                                                    {{400, 133}, {400, 127}, thin},
                                                    {{300, 53}, {300, 127}, grid},
                                                    {{252, 90}, {448, 90}, grid}}) {
        const CanvasOperation* line = canvas.findLine(from, to);
        ASSERT_NE(line, nullptr) << from.x << "," << from.y;
        EXPECT_EQ(line->state.pen, pen) << from.x << "," << from.y;
    }
    EXPECT_EQ(canvas.findLine({450, 53}, {450, 47}), nullptr);
    ASSERT_EQ(canvas.textsOf("0").size(), 2u);
    EXPECT_EQ(canvas.textsOf("0")[0].at, (Point{248, 35}));
    EXPECT_EQ(canvas.textsOf("0")[1].at, (Point{248, 137}));
    EXPECT_EQ(canvas.textsOf("3")[0].at, (Point{398, 35}));
    EXPECT_EQ(canvas.textsOf("3")[0].state.font, (Font{"Arial", 12, 0}));
    EXPECT_TRUE(canvas.textsOf("4").empty());
    const CanvasOperation notes = canvas.textsOf("first run").at(0);
    EXPECT_EQ(notes.at, (Point{53, 155}));
    EXPECT_EQ(notes.state.font, (Font{"Arial", 18, 0}));
    EXPECT_EQ(canvas.state.pen, (Pen{kBlack, 1}));

    model.ToggleGrid();
    RecordingCanvas noGrid;
    DrawFrame(model, noGrid);
    EXPECT_EQ(noGrid.findLine({300, 53}, {300, 127}), nullptr);
}

TEST(View, AnEmptyViewDrawsNothingEvenWithNotesOrAMarkerAndZeroStepsShowNamesOnly) {
    GraphModel model;
    const std::vector<uint32_t> samples(5, 0);
    model.SetSignals(5, samples, {});
    model.setNotes("notes");
    model.OnLButtonDown({model.tracesLeft() + 10, model.top() + 10}, false, false);
    ASSERT_GT(model.marker(), 0);
    RecordingCanvas canvas;
    OnDraw(model, canvas);
    EXPECT_TRUE(canvas.operations.empty());

    const GraphModel noSteps = Waveform({{"A", ""}});
    RecordingCanvas names;
    OnDraw(noSteps, names);
    EXPECT_EQ(names.textsOf("A").size(), 1u);
    EXPECT_TRUE(names.ofKind(CanvasOperation::Kind::FillRect).empty());
    EXPECT_EQ(names.lines().size(), 6u); // four borders, bottom and right edge
}

TEST(Marker, WritesEachRowsValueAtTheMarkerStep) {
    GraphModel model = Waveform({{"A", "111"}, {"B", "001"}, {"C", "111"}, {"Z", "010"}});
    model.CombineRows({0, 1, 2}, "bus");
    model.ClearSelection();
    model.OnLButtonDown({model.tracesLeft() + 60, 10}, false, false); // step 1
    RecordingCanvas canvas;
    DrawMarker(model, canvas);
    // Font 15 has the average width 6 here.
    const CanvasOperation one = canvas.textsOf("1").at(0);
    EXPECT_EQ(one.at, (Point{197, 103}));
    EXPECT_EQ(one.state.textColor, kMarkerOne);
    EXPECT_EQ(one.state.font, (Font{"Arial", 15, 0}));
    const CanvasOperation bus = canvas.textsOf("0x5").at(0);
    EXPECT_EQ(bus.at, (Point{150 + (100 - 21) / 2, 63}));
    EXPECT_EQ(bus.state.textColor, kBlack);
    const int x = model.marker();
    EXPECT_NE(canvas.findLine({x, 50}, {x, 90}), nullptr);
    EXPECT_NE(canvas.findLine({x, 30}, {x, 50}), nullptr);
    EXPECT_NE(canvas.findLine({x, 150}, {x, 130}), nullptr);

    model.OnLButtonDown({model.tracesLeft() + 110, 10}, false, false); // step 2
    model.SelectOnly(1);
    RecordingCanvas selected;
    DrawMarker(model, selected);
    const CanvasOperation zero = selected.textsOf("0").at(0);
    EXPECT_EQ(zero.state.textColor, kMarkerZero);
    // On the selected row the marker is white, drawn after the others.
    const CanvasOperation& last = selected.operations.back();
    EXPECT_TRUE(last.isLine({model.marker(), 90}, {model.marker(), 130}));
    EXPECT_EQ(last.state.pen, (Pen{kWhite, 1}));
    EXPECT_EQ(selected.state.pen, (Pen{kBlack, 1}));
}
