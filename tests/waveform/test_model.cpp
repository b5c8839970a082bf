#include "WaveformFixtures.h"
#include "waveform/GraphModel.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::waveform;
using namespace vorn::waveform::testing;

TEST(SignalModel, ABusReadsItsFirstSourceAsTheTopBitUnlessReversedAndRowsUseBitZeroOnly) {
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
}

TEST(SetSignals, EachSignalTakesItsBitModulo32OfTheSamplesThereAreAndAFillStartsAfresh) {
    GraphModel model = Waveform({{"A", "0101"}});
    model.ZoomIn();
    model.ToggleGrid();
    model.OnLButtonDown({model.tracesLeft() + 10, 5}, false, false);
    model.setNotes("kept");
    model.SetSignals(3, std::vector<uint32_t>{8, 1, 9}, std::vector<CapturedSignal>{{"D3", 35}, {"D0", 0}});
    const RawSignal& d3 = model.rawSignals()[0];
    EXPECT_EQ(std::tuple(RowNames(model), d3.value[0], d3.value[1], d3.value[2], model.rows()[1].value[1]),
              std::tuple(std::vector<std::string>{"D3", "D0"}, 1, 0, 1, 1u));
    EXPECT_EQ(std::tuple(model.zoomLevel(), model.grid(), model.marker(), model.notes()),
              std::tuple(1, true, -1, std::string("kept")));
    // A capture that lost its samples shows no step without one.
    for (const auto& [steps, count, shown] :
         std::vector<std::tuple<int, size_t, int>>{{31, 0, 0}, {5, 2, 2}, {-3, 2, 0}}) {
        model.SetSignals(steps, std::vector<uint32_t>(count, 1), std::vector<CapturedSignal>{{"A", 0}});
        EXPECT_EQ(model.steps(), shown) << steps;
    }
}

TEST(Zoom, SixLevelsWithTheirMetricsAndScrollSizesAndEveryChangeClearsTheMarker) {
    GraphModel model;
    model.SetSignals(7, std::vector<uint32_t>(7, 0), {});
    EXPECT_EQ(model.scrollSizes(), (ScrollSizes{{650, 100}, {216, 33}, {100, 50}}));
    model = Waveform({{"A", "0101"}, {"B", "0011"}, {"C", "1111"}});
    const ZoomMetrics levels[] = {{26, 21, 11, 7, 1, 8, 1},   {32, 26, 13, 9, 2, 10, 2},
                                  {40, 32, 16, 11, 2, 12, 2}, {50, 40, 20, 12, 2, 15, 3},
                                  {62, 50, 25, 12, 2, 18, 3}, {77, 62, 31, 13, 3, 22, 4}};
    const auto setMarker = [&] { model.OnLButtonDown({model.tracesLeft() + 1, 1}, false, false); };
    for (int level = 1; level <= 3; ++level) {
        EXPECT_EQ(model.metrics(), levels[level + 2]) << level;
        setMarker();
        const bool zoomed = model.ZoomIn();
        EXPECT_EQ(std::tuple(zoomed, model.marker() == -1), std::tuple(level < 3, level < 3)) << level;
    }
    for (int level = 3; level >= -2; --level) {
        EXPECT_EQ(std::tuple(model.metrics(), model.zoomLevel()), std::tuple(levels[level + 2], level));
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
