#include "WaveformFixtures.h"
#include "waveform/GraphCommands.h"

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

// Rows 1 and 3 of FourRows combined into a bus, which is selected.
GraphModel WithBus() {
    GraphModel model = FourRows();
    model.SelectOnly(1);
    model.ToggleSelection(3);
    EXPECT_TRUE(OnCombine(model));
    return model;
}

} // namespace

TEST(Mouse, ClicksSelectRowsOverTheWholeRowAndSetTheMarkerInTheBandsAboveAndBelow) {
    GraphModel model = FourRows();
    struct Click {
        int row;
        bool ctrl, shift, repaint;
        std::string selection;
    };
    // Shift ranges from the lowest selected row; Ctrl is looked at first; a plain click on a
    // selected row keeps a multiple selection and asks for no repaint.
    // clang-format off
    const Click clicks[] = {{1, false, false, true, "0100"}, {3, true, false, true, "0101"},
                            {3, false, false, false, "0101"}, {0, false, true, true, "1100"},
                            {2, false, true, true, "1110"}, {1, true, true, true, "1010"}};
    // clang-format on
    for (const Click& click : clicks) {
        const Point onRow{model.tracesLeft() + 5, model.top() + click.row * 40 + 3};
        EXPECT_EQ(model.OnLButtonDown(onRow, click.ctrl, click.shift), click.repaint);
        EXPECT_EQ(Selection(model), click.selection) << click.row;
    }
    model.ClearSelection();
    model.OnLButtonDown({model.left(), model.top() + 2 * 40}, false, true); // the name column
    EXPECT_EQ(Selection(model), "0010");
    model.OnLButtonDown({model.totalWidth(), model.totalHeight() - 1}, false, false); // the right edge
    EXPECT_EQ(Selection(model), "0001");

    model.OnLButtonDown({model.tracesLeft(), model.top() - 1}, false, false);
    EXPECT_EQ(std::tuple(model.marker(), Selection(model)), std::tuple(model.tracesLeft(), "0001"));
    model.OnLButtonDown({model.tracesLeft() + 70, model.totalHeight() + 1}, false, false);
    EXPECT_EQ(model.marker(), model.tracesLeft() + 70);
    // Over the value column above the rows, right of the traces, or on the bottom edge: marker
    // and selection cleared.
    for (const Point at : {Point{model.tracesLeft() - 1, 5}, Point{model.totalWidth(), 5},
                           Point{model.tracesLeft() + 5, model.totalHeight()}}) {
        model.OnLButtonDown({model.tracesLeft() + 3, 5}, false, false);
        model.SelectOnly(1);
        model.OnLButtonDown(at, false, false);
        EXPECT_EQ(std::tuple(model.marker(), Selection(model)), std::tuple(-1, "0000"));
    }
}

TEST(Keys, ArrowsMoveTheOneSelectedRowWithEverythingItHolds) {
    GraphModel model = FourRows();
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

TEST(Combine, TheBusTakesThePlaceOfTheFirstSelectedRowAndTheButtonsFollowTheSelection) {
    GraphModel model = FourRows();
    // Nothing or one row selected: the name button, which edits the notes or the name.
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, false, false, true}));
    model.SelectOnly(1);
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, false, false, true}));
    EXPECT_FALSE(OnCombine(model));
    model.ToggleSelection(3);
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{true, false, false, false}));
    ASSERT_TRUE(OnCombine(model));
    EXPECT_EQ(std::tuple(RowNames(model), Selection(model)),
              std::tuple(std::vector<std::string>{"CLK", "~EN[0:1]", "X"}, "010"));
    // EN 0011 is the high bit, Y 0110 the low one.
    const SignalRow& bus = model.rows()[1];
    EXPECT_EQ(
        std::tuple(bus.sources, bus.width(), std::vector<uint32_t>(bus.value.begin(), bus.value.begin() + 4)),
        std::tuple(std::vector<int>{1, 3}, 2, std::vector<uint32_t>{0, 1, 3, 2}));
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, true, true, true}));
    model.ToggleSelection(0);
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, false, false, false}));
    // A bus does not combine again, nor do unsorted or missing rows.
    EXPECT_FALSE(OnCombine(model));
    for (const std::vector<int>& rows : {std::vector<int>{0, 1}, {2, 0}, {0, 7}})
        EXPECT_FALSE(model.CombineRows(rows, "x"));
    EXPECT_EQ(model.rows().size(), 3u);
}

TEST(Combine, AtMost32RowsAndTheNameDropsTrailingDigitsOfTheFirstRow) {
    for (const auto& [first, width, name] : std::vector<std::tuple<std::string, int, std::string>>{
             {"D0", 4, "~D[0:3]"}, {"CLK", 2, "~CLK[0:1]"}, {"12", 2, "~[0:1]"}, {"A1B22", 3, "~A1B[0:2]"}})
        EXPECT_EQ(BusName(first, width), name);
    GraphModel wide = Waveform(std::vector<std::pair<std::string, std::string>>(33, {"S12", "1"}));
    for (int i = 0; i < 33; ++i)
        wide.ToggleSelection(i);
    EXPECT_FALSE(UpdateToolbarState(wide).combine || OnCombine(wide));
    wide.ToggleSelection(32);
    EXPECT_TRUE(UpdateToolbarState(wide).combine && OnCombine(wide));
    EXPECT_EQ(UpdateToolbarState(wide), (ToolbarState{false, true, true, true})); // a bus in row 0
    EXPECT_EQ(std::tuple(wide.rows()[0].name, wide.rows()[0].value[0], wide.rows().size()),
              std::tuple(std::string("~S[0:31]"), 0xFFFFFFFFu, size_t{2}));
    EXPECT_EQ(BeginChangeName(wide)->selectionEnd, 2); // the stem "S"
}

TEST(Spread, GivesTheSignalsBackInSourceOrderWithTheirOwnNames) {
    GraphModel model = WithBus();
    model.RenameRow(1, "bus");
    ASSERT_TRUE(OnReverse(model));
    EXPECT_EQ(std::tuple(model.rows()[1].reversed, model.rows()[1].value[3]), std::tuple(true, 1u));
    ASSERT_TRUE(OnSpread(model));
    EXPECT_EQ(std::tuple(RowNames(model), Selection(model), model.rows()[2].value[1], model.totalHeight()),
              std::tuple(std::vector<std::string>{"CLK", "EN", "Y", "X"}, "0000", 1u, 4 * 40 + 50));
    EXPECT_FALSE(OnSpread(model) || OnReverse(model));
}

TEST(ChangeName, WritesTheNotesWithoutSelectionAndOffersTheSignalsOwnNameOrABusStemSelected) {
    const auto fields = [](const NameDialogRequest& request) {
        return std::tuple(request.notes, request.row, request.text, request.selectionEnd, request.prompt);
    };
    GraphModel model = WithBus();
    model.ClearSelection();
    const NameDialogRequest notes = BeginChangeName(model).value();
    EXPECT_EQ(fields(notes), fields({true, -1, "", -1, "enter notes"}));
    EXPECT_TRUE(FinishChangeName(model, notes, "first run"));
    EXPECT_EQ(model.notes(), "first run");

    model.SelectOnly(2);
    const NameDialogRequest name = BeginChangeName(model).value();
    EXPECT_EQ(fields(name), fields({false, 2, "X", -1, "enter a name for the graph"}));
    FinishChangeName(model, name, "renamed");
    EXPECT_EQ(std::tuple(model.rows()[2].name, BeginChangeName(model)->text), std::tuple("renamed", "X"));
    // A renamed bus offers the name from its first signal with the stem "EN" selected.
    model.RenameRow(1, "data");
    model.SelectOnly(1);
    EXPECT_EQ(fields(*BeginChangeName(model)),
              fields({false, 1, "~EN[0:1]", 3, "enter a name for the graph"}));
    model.ToggleSelection(0);
    EXPECT_FALSE(BeginChangeName(model));
}
