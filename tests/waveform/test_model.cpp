#include "WaveformFixtures.h"
#include "waveform/GraphCommands.h"
#include "waveform/GraphModel.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::waveform;
using namespace vorn::waveform::testing;

namespace {

GraphModel FourRows() {
    return Waveform({{"CLK", "0101"}, {"EN", "0011"}, {"X", "1111"}, {"Y", "0110"}});
}

// "1" for each selected row, "0" for the others.
std::string Selection(const GraphModel& model) {
    std::string selected;
    for (const SignalRow& row : model.rows())
        selected += row.selected ? '1' : '0';
    return selected;
}

} // namespace

TEST(MouseAndKeys, ClicksSelectRowsAndSetTheMarkerInTheBandsAboveAndBelowAndArrowsMoveOneRow) {
    GraphModel model = FourRows();
    const int x = model.tracesLeft(), bottom = model.totalHeight();
    // Shift ranges from the lowest selected row; Ctrl is looked at first; a plain click on a
    // selected row keeps a multiple selection and asks for no repaint. The rows reach from the
    // name column to the right edge; above and below them lies the marker's band, beside it
    // clicks clear marker and selection.
    // clang-format off
    const std::vector<std::tuple<Point, bool, bool, bool, std::string, int>> clicks = {
        {{x + 5, 93}, false, false, true, "0100", -1}, {{x + 5, 173}, true, false, true, "0101", -1},
        {{x + 5, 173}, false, false, false, "0101", -1}, {{x + 5, 53}, false, true, true, "1100", -1},
        {{x + 5, 133}, false, true, true, "1110", -1}, {{x + 5, 93}, true, true, true, "1010", -1},
        {{x - 1, 5}, false, false, true, "0000", -1}, {{model.left(), 130}, false, true, true, "0010", -1},
        {{model.totalWidth(), bottom - 1}, false, false, true, "0001", -1},
        {{x, 49}, false, false, true, "0001", x}, {{x + 70, bottom + 1}, false, false, true, "0001", x + 70},
        {{x - 1, 5}, false, false, true, "0000", -1}, {{x + 3, 5}, false, false, true, "0000", x + 3},
        {{model.totalWidth(), 5}, false, false, true, "0000", -1}, {{x + 3, 5}, false, false, true, "0000", x + 3},
        {{x + 5, bottom}, false, false, true, "0000", -1}};
    // clang-format on
    for (const auto& [at, ctrl, shift, repaint, selection, marker] : clicks) {
        EXPECT_EQ(model.OnLButtonDown(at, ctrl, shift), repaint);
        EXPECT_EQ(std::tuple(Selection(model), model.marker()), std::tuple(selection, marker))
            << at.x << "," << at.y;
    }
    // The arrows move the one selected row with everything it holds.
    model.SelectOnly(1);
    EXPECT_TRUE(model.OnKeyDown(Key::Up));
    const std::vector<std::string> moved = {"EN", "CLK", "X", "Y"};
    EXPECT_EQ(std::tuple(RowNames(model), Selection(model), model.rows()[0].value[2]),
              std::tuple(moved, "1000", 1u));
    EXPECT_FALSE(model.OnKeyDown(Key::Other));
    // Nothing moves past the top or the bottom, with two rows selected, or with none.
    for (const auto& [select, toggle, key] : std::vector<std::tuple<int, int, Key>>{
             {0, -1, Key::Up}, {3, -1, Key::Down}, {1, 2, Key::Up}, {1, 2, Key::Down}, {-1, -1, Key::Up}}) {
        model.SelectOnly(select);
        model.ToggleSelection(toggle);
        model.OnKeyDown(key);
        EXPECT_EQ(RowNames(model), moved);
    }
    model.SelectOnly(0);
    model.OnKeyDown(Key::Down);
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"CLK", "EN", "X", "Y"}));
}

TEST(Combine, TheBusTakesThePlaceOfTheFirstSelectedRowThenReversesSpreadsAndTheButtonsFollowAtMost32Rows) {
    GraphModel model = FourRows();
    // Nothing or one row selected: the name button, which edits the notes or the name.
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, false, false, true}));
    model.SelectOnly(1);
    EXPECT_FALSE(OnCombine(model));
    model.ToggleSelection(3);
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{true, false, false, false}));
    ASSERT_TRUE(OnCombine(model));
    // EN 0011 is the high bit, Y 0110 the low one.
    const SignalRow& bus = model.rows()[1];
    EXPECT_EQ(
        std::tuple(RowNames(model), Selection(model), bus.sources, bus.width(), bus.value[2]),
        std::tuple(std::vector<std::string>{"CLK", "~EN[0:1]", "X"}, "010", std::vector<int>{1, 3}, 2, 3u));
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, true, true, true}));
    // The name button writes the notes without a selection and offers a signal's own name, or a
    // bus's name from its first signal with the stem "EN" selected.
    const auto fields = [](const NameDialogRequest& request) {
        return std::tuple(request.notes, request.row, request.text, request.selectionEnd, request.prompt);
    };
    model.RenameRow(1, "data");
    EXPECT_EQ(fields(BeginChangeName(model).value()),
              fields({false, 1, "~EN[0:1]", 3, "enter a name for the graph"}));
    model.ClearSelection();
    const NameDialogRequest notes = BeginChangeName(model).value();
    EXPECT_EQ(fields(notes), fields({true, -1, "", -1, "enter notes"}));
    EXPECT_TRUE(FinishChangeName(model, notes, "first run"));
    model.SelectOnly(2);
    const NameDialogRequest name = BeginChangeName(model).value();
    EXPECT_EQ(fields(name), fields({false, 2, "X", -1, "enter a name for the graph"}));
    FinishChangeName(model, name, "renamed");
    EXPECT_EQ(std::tuple(model.notes(), model.rows()[2].name, BeginChangeName(model).value().text),
              std::tuple("first run", "renamed", "X"));
    model.SelectOnly(1);
    model.ToggleSelection(0);
    EXPECT_EQ(std::tuple(UpdateToolbarState(model), BeginChangeName(model)),
              std::tuple(ToolbarState{false, false, false, false}, std::nullopt));
    // A bus does not combine again, nor do unsorted or missing rows.
    EXPECT_FALSE(OnCombine(model));
    for (const std::vector<int>& rows : {std::vector<int>{0, 1}, {2, 0}, {0, 7}})
        EXPECT_FALSE(model.CombineRows(rows, "x"));
    // Spread gives the signals back in source order with their own names.
    model.SelectOnly(1);
    ASSERT_TRUE(OnReverse(model));
    EXPECT_EQ(std::tuple(model.rows()[1].reversed, model.rows()[1].value[3]), std::tuple(true, 1u));
    ASSERT_TRUE(OnSpread(model));
    EXPECT_EQ(std::tuple(RowNames(model), Selection(model), model.rows()[2].value[1], model.totalHeight()),
              std::tuple(std::vector<std::string>{"CLK", "EN", "Y", "renamed"}, "0000", 1u, 4 * 40 + 50));
    EXPECT_FALSE(OnSpread(model) || OnReverse(model));
    for (const auto& [first, width, name] : std::vector<std::tuple<std::string, int, std::string>>{
             {"D0", 4, "~D[0:3]"}, {"CLK", 2, "~CLK[0:1]"}, {"12", 2, "~[0:1]"}, {"A1B22", 3, "~A1B[0:2]"}})
        EXPECT_EQ(BusName(first, width), name);
    GraphModel wide = Waveform(std::vector<std::pair<std::string, std::string>>(33, {"S12", "1"}));
    for (int i = 0; i < 33; ++i)
        wide.ToggleSelection(i);
    EXPECT_FALSE(UpdateToolbarState(wide).combine || OnCombine(wide));
    wide.ToggleSelection(32);
    EXPECT_TRUE(UpdateToolbarState(wide).combine && OnCombine(wide));
    EXPECT_EQ(std::tuple(wide.rows()[0].name, wide.rows()[0].value[0], wide.rows().size()),
              std::tuple(std::string("~S[0:31]"), 0xFFFFFFFFu, size_t{2}));
    EXPECT_EQ(BeginChangeName(wide).value().selectionEnd, 2); // the stem "S"
}

TEST(Signals, ABusReadsItsFirstSourceAsTheTopBitUnlessReversedAndACaptureGivesEachSignalItsBitModulo32) {
    const std::vector<RawSignal> signals = {Signal("A", "10"), Signal("B", "01"), Signal("C", "01"),
                                            Signal("F", "7:")}; // 7 and 10 read from a file
    SignalRow bus, row;
    bus.sources = {0, 1, 2};
    row.sources = {3};
    bus.ComputeValues(2, signals);
    row.ComputeValues(2, signals);
    EXPECT_EQ(std::tuple(bus.value[0], bus.value[1], row.value[0], row.value[1]), std::tuple(4u, 3u, 1u, 0u));
    bus.reversed = true;
    bus.ComputeValues(2, signals);
    EXPECT_EQ(std::tuple(bus.value[0], bus.value[1]), std::tuple(1u, 6u));
    GraphModel model = Waveform({{"A", "0101"}});
    model.ZoomIn();
    model.ToggleGrid();
    model.OnLButtonDown({model.tracesLeft() + 10, 5}, false, false);
    model.setNotes("kept");
    model.SetSignals(3, std::vector<uint32_t>{8, 1, 9}, std::vector<CapturedSignal>{{"D3", 35}, {"D0", 0}});
    const RawSignal& d3 = model.rawSignals()[0];
    EXPECT_EQ(std::tuple(RowNames(model), d3.value[0], d3.value[1], d3.value[2], model.rows()[1].value[1],
                         model.zoomLevel(), model.grid(), model.marker(), model.notes()),
              std::tuple(std::vector<std::string>{"D3", "D0"}, 1, 0, 1, 1u, 1, true, -1, "kept"));
    // A capture that lost its samples shows no step without one.
    for (const auto& [steps, count, shown] :
         std::vector<std::tuple<int, size_t, int>>{{31, 0, 0}, {5, 2, 2}, {-3, 2, 0}}) {
        model.SetSignals(steps, std::vector<uint32_t>(count, 1), std::vector<CapturedSignal>{{"A", 0}});
        EXPECT_EQ(model.steps(), shown) << steps;
    }
}

// Levels -2 to 3: step width, row height, half row, ruler font, ruler dx, ruler dy, tick.
TEST(Zoom, SixLevelsWithTheirMetricsAndScrollSizesAndEveryChangeClearsTheMarker) {
    GraphModel model;
    model.SetSignals(7, std::vector<uint32_t>(7, 0), {});
    EXPECT_EQ(model.scrollSizes(), (ScrollSizes{{650, 100}, {216, 33}, {100, 50}}));
    model = Waveform({{"A", "0101"}, {"B", "0011"}, {"C", "1111"}});
    const std::vector<int> levels[] = {{26, 21, 11, 7, 1, 8, 1},   {32, 26, 13, 9, 2, 10, 2},
                                       {40, 32, 16, 11, 2, 12, 2}, {50, 40, 20, 12, 2, 15, 3},
                                       {62, 50, 25, 12, 2, 18, 3}, {77, 62, 31, 13, 3, 22, 4}};
    const auto shown = [&m = model.metrics()] {
        return std::vector{m.stepWidth, m.rowHeight, m.halfRow, m.rulerFont, m.rulerDx, m.rulerDy, m.tick};
    };
    const auto setMarker = [&] { model.OnLButtonDown({model.tracesLeft() + 1, 1}, false, false); };
    for (int level = 1; level <= 3; ++level) {
        EXPECT_EQ(std::tuple(shown(), model.zoomLevel()), std::tuple(levels[level + 2], level));
        setMarker();
        const bool zoomed = model.ZoomIn();
        EXPECT_EQ(std::tuple(zoomed, model.marker() == -1), std::tuple(level < 3, level < 3)) << level;
    }
    for (int level = 3; level >= -2; --level) {
        EXPECT_EQ(std::tuple(shown(), model.zoomLevel()), std::tuple(levels[level + 2], level));
        setMarker();
        EXPECT_EQ(model.ZoomOut(), level > -2);
    }
    EXPECT_EQ(std::tuple(model.marker(), model.left()), std::tuple(model.tracesLeft() + 1, 26));
    ASSERT_TRUE(model.ZoomIn());
    EXPECT_EQ(std::tuple(model.scrollSizes().total, model.totalWidth()),
              std::tuple(Size{8 * 32 + 64, 3 * 26 + 64}, 9 * 32));
    ASSERT_TRUE(model.CombineRows({0, 1}, "bus"));
    EXPECT_EQ(std::tuple(model.scrollSizes().total.height, model.totalHeight()),
              std::tuple(2 * 26 + 64, 2 * 26 + 32));
}
