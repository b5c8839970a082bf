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

std::vector<bool> Selection(const GraphModel& model) {
    std::vector<bool> selected;
    for (const SignalRow& row : model.rows())
        selected.push_back(row.selected);
    return selected;
}

// A point in the middle of row i, over the traces.
Point OnRow(const GraphModel& model, int i) {
    return {model.tracesLeft() + 5, model.top() + i * model.metrics().rowHeight + 3};
}

auto Fields(const NameDialogRequest& request) {
    return std::tuple(request.notes, request.row, request.text, request.selectionEnd, request.prompt);
}

} // namespace

TEST(Mouse, PlainCtrlAndShiftClicksSelectRows) {
    GraphModel model = FourRows();
    struct Click {
        int row;
        bool ctrl, shift, repaint;
        std::vector<bool> selection;
    };
    // Shift ranges from the lowest selected row; Ctrl is looked at first; a plain click on a
    // selected row keeps a multiple selection and asks for no repaint.
    for (const Click& click : std::vector<Click>{{1, false, false, true, {false, true, false, false}},
                                                 {3, true, false, true, {false, true, false, true}},
                                                 {3, false, false, false, {false, true, false, true}},
                                                 {0, false, true, true, {true, true, false, false}},
                                                 {2, false, true, true, {true, true, true, false}},
                                                 {1, true, true, true, {true, false, true, false}}}) {
        EXPECT_EQ(model.OnLButtonDown(OnRow(model, click.row), click.ctrl, click.shift), click.repaint);
        EXPECT_EQ(Selection(model), click.selection) << click.row;
    }
    model.ClearSelection();
    model.OnLButtonDown(OnRow(model, 2), false, true);
    EXPECT_EQ(Selection(model), (std::vector<bool>{false, false, true, false}));
}

TEST(Mouse, RowsIncludeTheNameColumnAndRightEdgeAndTheBandsAboveAndBelowSetTheMarker) {
    GraphModel model = FourRows();
    model.OnLButtonDown({model.left(), model.top()}, false, false);
    EXPECT_TRUE(model.rows()[0].selected);
    model.OnLButtonDown({model.totalWidth(), model.totalHeight() - 1}, false, false);
    EXPECT_TRUE(model.rows()[3].selected);
    model.OnLButtonDown({model.tracesLeft() + 5, model.totalHeight()}, false, false);
    EXPECT_EQ(Selection(model), (std::vector<bool>(4, false)));
    EXPECT_EQ(model.marker(), -1);

    model.SelectOnly(2);
    model.OnLButtonDown({model.tracesLeft(), model.top() - 1}, false, false);
    EXPECT_EQ(model.marker(), model.tracesLeft());
    EXPECT_TRUE(model.rows()[2].selected);
    model.OnLButtonDown({model.tracesLeft() + 70, model.totalHeight() + 1}, false, false);
    EXPECT_EQ(model.marker(), model.tracesLeft() + 70);
    // Over the value column above the rows, or right of the traces: marker and selection cleared.
    for (const Point at : {Point{model.tracesLeft() - 1, 5}, Point{model.totalWidth(), 5}}) {
        model.OnLButtonDown({model.tracesLeft() + 3, 5}, false, false);
        model.SelectOnly(1);
        model.OnLButtonDown(at, false, false);
        EXPECT_EQ(model.marker(), -1);
        EXPECT_EQ(model.selectedCount(), 0);
    }
}

TEST(Keys, ArrowsMoveTheOneSelectedRowWithEverythingItHolds) {
    GraphModel model = FourRows();
    const std::vector<std::string> original = RowNames(model);
    model.SelectOnly(1);
    EXPECT_TRUE(model.OnKeyDown(Key::Up));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"EN", "CLK", "X", "Y"}));
    EXPECT_TRUE(model.rows()[0].selected);
    EXPECT_EQ(model.rows()[0].value[2], 1u);
    EXPECT_EQ(model.rows()[0].sources, std::vector<int>{1});
    model.OnKeyDown(Key::Up); // already at the top
    model.OnKeyDown(Key::Down);
    EXPECT_EQ(RowNames(model), original);
    EXPECT_FALSE(model.OnKeyDown(Key::Other));
    // Nothing moves past the bottom, with two rows selected, or with none.
    model.SelectOnly(3);
    model.OnKeyDown(Key::Down);
    model.ToggleSelection(0);
    model.OnKeyDown(Key::Up);
    model.OnKeyDown(Key::Down);
    model.ClearSelection();
    model.OnKeyDown(Key::Up);
    EXPECT_EQ(RowNames(model), original);
}

TEST(Toolbar, ButtonsFollowTheSelection) {
    GraphModel model = FourRows();
    // Nothing selected: the button edits the notes.
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, false, false, true}));
    model.SelectOnly(0);
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, false, false, true}));
    model.ToggleSelection(2);
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{true, false, false, false}));
    ASSERT_TRUE(OnCombine(model));
    // The bus alone is selected: it can be reversed, spread and renamed.
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, true, true, true}));
    model.ToggleSelection(1);
    EXPECT_EQ(UpdateToolbarState(model), (ToolbarState{false, false, false, false}));
}

TEST(Combine, TheBusTakesThePlaceOfTheFirstSelectedRow) {
    GraphModel model = FourRows();
    model.SelectOnly(1);
    model.ToggleSelection(3);
    ASSERT_TRUE(OnCombine(model));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"CLK", "~EN[0:1]", "X"}));
    const SignalRow& bus = model.rows()[1];
    EXPECT_EQ(bus.sources, (std::vector<int>{1, 3}));
    EXPECT_EQ(bus.width(), 2);
    EXPECT_TRUE(bus.selected);
    EXPECT_FALSE(model.rows()[0].selected);
    // EN 0011 is the high bit, Y 0110 the low one.
    EXPECT_EQ(bus.value[0], 0u);
    EXPECT_EQ(bus.value[1], 1u);
    EXPECT_EQ(bus.value[2], 3u);
    EXPECT_EQ(bus.value[3], 2u);
}

TEST(Combine, NamesDropTrailingDigitsOfTheFirstRow) {
    EXPECT_EQ(BusName("D0", 4), "~D[0:3]");
    EXPECT_EQ(BusName("CLK", 2), "~CLK[0:1]");
    EXPECT_EQ(BusName("12", 2), "~[0:1]");
    EXPECT_EQ(BusName("A1B22", 3), "~A1B[0:2]");

    GraphModel model = Waveform({{"12", "01"}, {"13", "10"}});
    model.SelectOnly(0);
    model.ToggleSelection(1);
    ASSERT_TRUE(OnCombine(model));
    EXPECT_EQ(model.rows()[0].name, "~[0:1]");
}

TEST(Combine, IsRefusedForOneRowForABusAndForMoreThan32Rows) {
    GraphModel model = FourRows();
    model.SelectOnly(0);
    EXPECT_FALSE(OnCombine(model));
    model.ToggleSelection(1);
    ASSERT_TRUE(OnCombine(model));
    model.ToggleSelection(1);
    EXPECT_FALSE(OnCombine(model));
    EXPECT_FALSE(model.CombineRows({0, 1}, "x"));
    EXPECT_FALSE(model.CombineRows({2, 1}, "x"));
    EXPECT_FALSE(model.CombineRows({1, 7}, "x"));
    EXPECT_EQ(model.rows().size(), 3u);

    std::vector<std::pair<std::string, std::string>> many(33, {"S", "1"});
    GraphModel wide = Waveform(many);
    for (int i = 0; i < 33; ++i)
        wide.ToggleSelection(i);
    EXPECT_FALSE(UpdateToolbarState(wide).combine);
    EXPECT_FALSE(OnCombine(wide));
    EXPECT_EQ(wide.rows().size(), 33u);
    wide.ToggleSelection(32);
    EXPECT_TRUE(UpdateToolbarState(wide).combine);
    ASSERT_TRUE(OnCombine(wide));
    EXPECT_EQ(wide.rows()[0].value[0], 0xFFFFFFFFu);
}

TEST(Spread, GivesTheSignalsBackInSourceOrderWithTheirOwnNames) {
    GraphModel model = FourRows();
    model.SelectOnly(1);
    model.ToggleSelection(3);
    ASSERT_TRUE(OnCombine(model));
    model.RenameRow(1, "bus");
    ASSERT_TRUE(OnReverse(model));
    EXPECT_TRUE(model.rows()[1].reversed);
    EXPECT_EQ(model.rows()[1].value[3], 1u);
    ASSERT_TRUE(OnSpread(model));
    EXPECT_EQ(RowNames(model), (std::vector<std::string>{"CLK", "EN", "Y", "X"}));
    EXPECT_EQ(model.selectedCount(), 0);
    EXPECT_EQ(model.rows()[2].value[1], 1u);
    EXPECT_EQ(model.rows()[2].sources, std::vector<int>{3});
    EXPECT_EQ(model.totalHeight(), 4 * 40 + 50);
    EXPECT_FALSE(OnSpread(model));
    EXPECT_FALSE(OnReverse(model));
}

TEST(ChangeName, WithoutSelectionWritesTheNotesAndForOneBitOffersTheSignalsOwnName) {
    GraphModel model = FourRows();
    model.setNotes("old");
    const std::optional<NameDialogRequest> notes = BeginChangeName(model);
    ASSERT_TRUE(notes);
    EXPECT_EQ(Fields(*notes), Fields({true, -1, "", -1, "enter notes"}));
    EXPECT_TRUE(FinishChangeName(model, *notes, "first run"));
    EXPECT_EQ(model.notes(), "first run");
    FinishChangeName(model, *notes, "");
    EXPECT_EQ(model.notes(), "");

    model.SelectOnly(2);
    const std::optional<NameDialogRequest> name = BeginChangeName(model);
    ASSERT_TRUE(name);
    EXPECT_EQ(Fields(*name), Fields({false, 2, "X", -1, "enter a name for the graph"}));
    FinishChangeName(model, *name, "renamed");
    EXPECT_EQ(model.rows()[2].name, "renamed");
    EXPECT_EQ(model.rawSignals()[2].name, "X");
    EXPECT_EQ(BeginChangeName(model)->text, "X");
    model.ToggleSelection(0);
    EXPECT_FALSE(BeginChangeName(model));
}

TEST(ChangeName, ABusOffersItsStemSelected) {
    GraphModel model = Waveform({{"D12", "01"}, {"D13", "10"}, {"D14", "11"}});
    model.SelectOnly(0);
    model.ToggleSelection(1);
    model.ToggleSelection(2);
    ASSERT_TRUE(OnCombine(model));
    model.RenameRow(0, "data");
    const std::optional<NameDialogRequest> request = BeginChangeName(model);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->text, "~D[0:2]");
    // Characters 1 to 2: "D".
    EXPECT_EQ(request->selectionEnd, 2);
    EXPECT_EQ(request->text.substr(1, request->selectionEnd - 1), "D");
    FinishChangeName(model, *request, "~DATA[0:2]");
    EXPECT_EQ(model.rows()[0].name, "~DATA[0:2]");
}
