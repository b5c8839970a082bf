// The bytes of the .sim state file and the printed page of a simulator view, drawn on a
// recording canvas.

#include "RecordingCanvas.h"
#include "simulator/StateFile.h"
#include "simulator/StatePrinting.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::simulator;
using vorn::testing::CanvasOperation;

namespace {

FormTexts Picture() {
    FormTexts texts;
    texts.base = 4;
    for (int r = 0; r < 10; ++r)
        texts.values[r] = "0x" + std::to_string(r);
    texts.commands[4] = "halt";
    texts.registers.fill("0x0");
    texts.registers[31] = "0xffffffff";
    texts.watchAddresses[0] = "0x20";
    texts.watchValues[0] = "0x37";
    return texts;
}

} // namespace

TEST(StateFileText, HoldsTheRowsRegistersAndWatchesInOrder) {
    std::string expected = "address\t\tvalue\t\tcommand\r\n"
                           "  0x0\t\t0x0\t\r\n  0x1\t\t0x1\t\r\n  0x2\t\t0x2\t\r\n  0x3\t\t0x3\t\r\n"
                           "  0x4\t\t0x4\thalt\r\n->0x5\t\t0x5\t\r\n  0x6\t\t0x6\t\r\n  0x7\t\t0x7\t\r\n"
                           "  0x8\t\t0x8\t\r\n  0x9\t\t0x9\t\r\n\r\nregisters:\r\n\r\n";
    for (int i = 0; i < 31; ++i)
        expected += "R" + std::to_string(i) + ":\t0x0\r\n";
    expected += "R31:\t0xffffffff\r\n\r\nmemory:\r\n\r\n0x20\t\t0x37\r\n";
    for (int i = 1; i < 15; ++i)
        expected += "\t\t\r\n";
    EXPECT_EQ(StateFileText(Picture()), expected);
}

TEST(StatePage, FramesTitlesAndTextsStandWhereThePageSizeSays) {
    // 209 by 263 millimetres is a page of 8.22 by 10.35 inches: W 822, H 1035.
    EXPECT_EQ(ComputeStatePageMetrics({209, 263}), (StatePageMetrics{822, 1035, 15, 15, 411, 690}));
    vorn::testing::RecordingCanvas canvas;
    canvas.sizeMm = {209, 263};
    PrintState(Picture(), canvas);
    // Fourteen grey lines: three boxes, the top edges of two with a gap for the title.
    EXPECT_EQ(
        std::tuple(canvas.lines().size(), canvas.lines()[1].state.pen, canvas.lines()[1].state.mappingMode,
                   canvas.lines()[1].points, canvas.lines()[13].points),
        std::tuple(14u, Pen{{200, 200, 200}, 1}, MappingMode::LoEnglish,
                   std::vector<Point>{{45, -30}, {396, -30}}, std::vector<Point>{{792, -1005}, {30, -1005}}));
    // Registers in two columns of sixteen; the marker on the address after the PC; empty
    // commands and the unused watch slots are printed with empty texts.
    // clang-format off
    for (const auto& [text, at] : std::vector<std::pair<std::string, Point>>{
             {"  Memory Watch", {33, -699}}, {"R15\t\t0x0", {441, -615}}, {"R16\t\t0x0", {609, -60}},
             {"->0x5", {45, -384}}, {"halt", {279, -330}}, {"0x37", {136, -735}}}) {
        // clang-format on
        ASSERT_EQ(canvas.textsOf(text).size(), 1u) << text;
        EXPECT_EQ(std::tuple(canvas.textsOf(text)[0].at, canvas.textsOf(text)[0].state.font),
                  std::tuple(at, Font{"Arial", 12, 0}))
            << text;
    }
    const std::vector<CanvasOperation> empties = canvas.textsOf("");
    EXPECT_EQ(std::tuple(canvas.texts().size(), empties.size(), empties[0].at, empties.back().at),
              std::tuple(98u, 9u + 28, Point{279, -114}, Point{45 + 7 * 91, -735 - 4 * 51}));
    EXPECT_EQ(std::tuple(canvas.state.pen, canvas.state.font), std::tuple(Pen{kBlack, 1}, kDefaultFont));
}
