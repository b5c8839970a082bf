// The printed page of a simulator view, drawn on a recording canvas.

#include "RecordingCanvas.h"
#include "simulator/StatePrinting.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::simulator;
using vorn::testing::CanvasOperation;
using vorn::testing::RecordingCanvas;

namespace {

// 209 by 263 millimetres is a page of 8.22 by 10.35 inches: W 822, H 1035.
constexpr Size kPage{209, 263};

FormTexts SampleTexts() {
    FormTexts texts;
    texts.base = 2;
    for (int r = 0; r < 10; ++r) {
        texts.values[r] = r < 2 ? "" : "v" + std::to_string(r);
        texts.commands[r] = r < 2 ? "" : "c" + std::to_string(r);
    }
    for (int i = 0; i < 32; ++i)
        texts.registers[i] = "0x" + std::to_string(i);
    texts.watchAddresses[0] = "0x20";
    texts.watchValues[0] = "0x37";
    return texts;
}

class StatePage : public ::testing::Test {
  protected:
    StatePage() {
        canvas.sizeMm = kPage;
        PrintState(texts, canvas);
    }
    Point At(const std::string& text) {
        const auto found = canvas.textsOf(text);
        EXPECT_EQ(found.size(), 1u) << text;
        return found.empty() ? Point{} : found[0].at;
    }

    FormTexts texts = SampleTexts();
    RecordingCanvas canvas;
};

} // namespace

TEST(StatePageMetrics, FollowThePhysicalPage) {
    EXPECT_EQ(ComputeStatePageMetrics(kPage), (StatePageMetrics{822, 1035, 15, 15, 411, 690}));
    // An A4 page: 210 by 297 millimetres.
    EXPECT_EQ(ComputeStatePageMetrics({210, 297}), (StatePageMetrics{826, 1169, 15, 16, 413, 779}));
}

TEST_F(StatePage, TheFramesAreFourteenGreyLinesInOrder) {
    const std::vector<CanvasOperation> lines = canvas.lines();
    ASSERT_EQ(lines.size(), 14u);
    const std::vector<std::pair<Point, Point>> expected = {
        {{30, -30}, {35, -30}},    {{45, -30}, {396, -30}},    {{30, -30}, {30, -675}},
        {{30, -675}, {396, -675}}, {{396, -30}, {396, -675}},  {{426, -30}, {431, -30}},
        {{441, -30}, {792, -30}},  {{426, -30}, {426, -675}},  {{426, -675}, {792, -675}},
        {{792, -30}, {792, -675}}, {{30, -705}, {792, -705}},  {{792, -705}, {792, -1005}},
        {{30, -705}, {30, -1005}}, {{792, -1005}, {30, -1005}}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(lines[i].isLine(expected[i].first, expected[i].second)) << "line " << i + 1;
        EXPECT_EQ(lines[i].state.pen, (Pen{{200, 200, 200}, 1}));
        EXPECT_EQ(lines[i].state.mappingMode, MappingMode::LoEnglish);
    }
}

TEST_F(StatePage, TextsAreBlackArialTwelve) {
    const std::vector<CanvasOperation> written = canvas.texts();
    ASSERT_EQ(written.size(), 3u + 32 + 3 + 30 + 30);
    for (const CanvasOperation& text : written) {
        EXPECT_EQ(text.state.pen, (Pen{kBlack, 1}));
        EXPECT_EQ(text.state.font, (Font{"Arial", 12, 0}));
    }
    // The pen and the font of the caller come back.
    EXPECT_EQ(canvas.state.pen, (Pen{kBlack, 1}));
    EXPECT_EQ(canvas.state.font, kDefaultFont);
}

TEST_F(StatePage, TitlesStandInTheGapsOfTheFrames) {
    EXPECT_EQ(At("  Commands"), (Point{33, -24}));
    EXPECT_EQ(At("  Registers"), (Point{429, -24}));
    EXPECT_EQ(At("  Memory Watch"), (Point{33, -699}));
}

TEST_F(StatePage, RegistersFillTwoColumnsOfSixteen) {
    // Columns at 441 and 441 + (792 - 441 - 15) / 2; rows (690 - 60 - 30) / 16 = 37 apart.
    EXPECT_EQ(At("R0\t\t0x0"), (Point{441, -60}));
    EXPECT_EQ(At("R15\t\t0x15"), (Point{441, -60 - 15 * 37}));
    EXPECT_EQ(At("R16\t\t0x16"), (Point{609, -60}));
    EXPECT_EQ(At("R31\t\t0x31"), (Point{609, -60 - 15 * 37}));
}

TEST_F(StatePage, CommandRowsMarkTheAddressAfterThePc) {
    // x0 45, columns (411 - 45 - 15) / 3 = 117 apart, rows (690 - 60 - 30) / 11 = 54 apart.
    EXPECT_EQ(At("address"), (Point{45, -60}));
    EXPECT_EQ(At("value"), (Point{162, -60}));
    EXPECT_EQ(At("command"), (Point{279, -60}));
    EXPECT_EQ(At("  0x0"), (Point{45, -60 - 54 - 2 * 54}));
    EXPECT_EQ(At("  0x2"), (Point{45, -60 - 54 - 4 * 54}));
    EXPECT_EQ(At("->0x3"), (Point{45, -60 - 54 - 5 * 54}));
    EXPECT_EQ(At("v5"), (Point{162, -60 - 54 - 5 * 54}));
    EXPECT_EQ(At("c9"), (Point{279, -60 - 54 - 9 * 54}));
    // The rows of negative addresses are printed with empty texts.
    const auto empties = canvas.textsOf("");
    ASSERT_FALSE(empties.empty());
    EXPECT_EQ(empties[0].at, (Point{45, -60 - 54}));
}

TEST_F(StatePage, AllFifteenWatchSlotsArePrinted) {
    // q = (792 - 45 - 15) / 8 = 91; rows ((1035 - 30) - (690 + 45) - 15) / 5 = 51 apart.
    EXPECT_EQ(At("0x20"), (Point{45, -735}));
    EXPECT_EQ(At("0x37"), (Point{136, -735}));
    int emptyWatchTexts = 0;
    for (const CanvasOperation& text : canvas.textsOf(""))
        emptyWatchTexts += text.at.y <= -735 ? 1 : 0;
    EXPECT_EQ(emptyWatchTexts, 28);
    bool lastSlot = false;
    for (const CanvasOperation& text : canvas.textsOf(""))
        lastSlot = lastSlot || text.at == Point{45 + 2 * 3 * 91 + 91, -735 - 4 * 51};
    EXPECT_TRUE(lastSlot);
}
