// The printed page of a simulator view, drawn on a recording canvas.

#include "RecordingCanvas.h"
#include "simulator/StatePrinting.h"

#include <algorithm>
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
        PrintState(SampleTexts(), canvas);
    }

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

TEST_F(StatePage, EveryTextStandsInItsPlace) {
    // Titles stand in the gaps of the frames. Registers fill two columns of sixteen, 37 apart.
    // Commands: columns 117 apart, rows 54 apart, the marker on the address after the PC.
    // Watches: q = 91, rows 51 apart.
    const std::vector<std::pair<std::string, Point>> expected = {
        {"  Commands", {33, -24}},     {"  Registers", {429, -24}},   {"  Memory Watch", {33, -699}},
        {"R0\t\t0x0", {441, -60}},     {"R15\t\t0x15", {441, -615}},  {"R16\t\t0x16", {609, -60}},
        {"R31\t\t0x31", {609, -615}},  {"address", {45, -60}},        {"value", {162, -60}},
        {"command", {279, -60}},       {"  0x0", {45, -60 - 3 * 54}}, {"  0x2", {45, -60 - 5 * 54}},
        {"->0x3", {45, -60 - 6 * 54}}, {"v5", {162, -60 - 6 * 54}},   {"c9", {279, -60 - 10 * 54}},
        {"0x20", {45, -735}},          {"0x37", {136, -735}}};
    for (const auto& [text, at] : expected) {
        const std::vector<CanvasOperation> found = canvas.textsOf(text);
        ASSERT_EQ(found.size(), 1u) << text;
        EXPECT_EQ(found[0].at, at) << text;
    }
    // The rows of negative addresses are printed with empty texts, and so are the unused watch
    // slots, down to the last one.
    std::vector<Point> empties;
    for (const CanvasOperation& text : canvas.textsOf(""))
        empties.push_back(text.at);
    ASSERT_FALSE(empties.empty());
    EXPECT_EQ(empties[0], (Point{45, -60 - 54}));
    EXPECT_EQ(std::count_if(empties.begin(), empties.end(), [](Point p) { return p.y <= -735; }), 28);
    EXPECT_NE(std::find(empties.begin(), empties.end(), Point{45 + 7 * 91, -735 - 4 * 51}), empties.end());
}
