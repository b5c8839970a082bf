// The printed page of a simulator view, drawn on a recording canvas.

#include "RecordingCanvas.h"
#include "simulator/StatePrinting.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::simulator;
using vorn::testing::CanvasOperation;
using vorn::testing::RecordingCanvas;

TEST(StatePage, FramesTitlesAndTextsStandWhereThePageSizeSays) {
    // 209 by 263 millimetres is a page of 8.22 by 10.35 inches: W 822, H 1035; and A4.
    EXPECT_EQ(ComputeStatePageMetrics({209, 263}), (StatePageMetrics{822, 1035, 15, 15, 411, 690}));
    EXPECT_EQ(ComputeStatePageMetrics({210, 297}), (StatePageMetrics{826, 1169, 15, 16, 413, 779}));
    FormTexts texts;
    texts.base = 2;
    for (int r = 2; r < 10; ++r) {
        texts.values[r] = "v" + std::to_string(r);
        texts.commands[r] = "c" + std::to_string(r);
    }
    for (int i = 0; i < 32; ++i)
        texts.registers[i] = "0x" + std::to_string(i);
    texts.watchAddresses[0] = "0x20";
    texts.watchValues[0] = "0x37";
    RecordingCanvas canvas;
    canvas.sizeMm = {209, 263};
    PrintState(texts, canvas);

    // Fourteen grey lines: the Commands box x 30 to 396 and y -30 to -675 with a gap in its top
    // edge for the title, the Registers box x 426 to 792 likewise, the Memory Watch box y -705
    // to -1005.
    std::vector<std::pair<Point, Point>> lines;
    for (const CanvasOperation& line : canvas.lines()) {
        lines.emplace_back(line.points.at(0), line.points.at(1));
        EXPECT_EQ(std::tuple(line.state.pen, line.state.mappingMode),
                  std::tuple(Pen{{200, 200, 200}, 1}, MappingMode::LoEnglish));
    }
    // clang-format off
    EXPECT_EQ(lines, (std::vector<std::pair<Point, Point>>{
        {{30, -30}, {35, -30}}, {{45, -30}, {396, -30}}, {{30, -30}, {30, -675}}, {{30, -675}, {396, -675}},
        {{396, -30}, {396, -675}}, {{426, -30}, {431, -30}}, {{441, -30}, {792, -30}}, {{426, -30}, {426, -675}},
        {{426, -675}, {792, -675}}, {{792, -30}, {792, -675}}, {{30, -705}, {792, -705}},
        {{792, -705}, {792, -1005}}, {{30, -705}, {30, -1005}}, {{792, -1005}, {30, -1005}}}));
    // Registers fill two columns of sixteen, 37 apart. Commands: columns 117 apart, rows 54
    // apart, the marker on the address after the PC. Watches: q = 91, rows 51 apart.
    const std::vector<std::pair<std::string, Point>> expected = {
        {"  Commands", {33, -24}}, {"  Registers", {429, -24}}, {"  Memory Watch", {33, -699}},
        {"R0\t\t0x0", {441, -60}}, {"R15\t\t0x15", {441, -615}}, {"R16\t\t0x16", {609, -60}},
        {"R31\t\t0x31", {609, -615}}, {"address", {45, -60}}, {"value", {162, -60}}, {"command", {279, -60}},
        {"  0x0", {45, -222}}, {"->0x3", {45, -384}}, {"v5", {162, -384}}, {"c9", {279, -600}},
        {"0x20", {45, -735}}, {"0x37", {136, -735}}};
    // clang-format on
    for (const auto& [text, at] : expected) {
        const std::vector<CanvasOperation> found = canvas.textsOf(text);
        ASSERT_EQ(found.size(), 1u) << text;
        EXPECT_EQ(std::tuple(found[0].at, found[0].state.pen, found[0].state.font),
                  std::tuple(at, Pen{kBlack, 1}, Font{"Arial", 12, 0}))
            << text;
    }
    EXPECT_EQ(std::tuple(canvas.state.pen, canvas.state.font), std::tuple(Pen{kBlack, 1}, kDefaultFont));
    // The rows of negative addresses are printed with empty texts, and so are the unused watch
    // slots, down to the last one.
    std::vector<Point> empties;
    for (const CanvasOperation& text : canvas.textsOf(""))
        empties.push_back(text.at);
    ASSERT_EQ(canvas.texts().size(), 3u + 32 + 3 + 30 + 30);
    EXPECT_EQ(empties.at(0), (Point{45, -114}));
    EXPECT_EQ(std::count_if(empties.begin(), empties.end(), [](Point p) { return p.y <= -735; }), 28);
    EXPECT_NE(std::find(empties.begin(), empties.end(), Point{45 + 7 * 91, -735 - 4 * 51}), empties.end());
}
