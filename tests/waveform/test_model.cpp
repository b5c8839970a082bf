#include "WaveformFixtures.h"
#include "waveform/GraphModel.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::waveform;
using namespace vorn::waveform::testing;

TEST(SignalModel, ABusTakesItsFirstSourceAsTheMostSignificantBitUnlessReversed) {
    const std::vector<RawSignal> signals = {Signal("A", "10"), Signal("B", "01"), Signal("C", "01")};
    SignalRow bus;
    bus.sources = {0, 1, 2};
    bus.ComputeValues(2, signals);
    EXPECT_EQ(bus.value[0], 4u);
    EXPECT_EQ(bus.value[1], 3u);
    bus.reversed = true;
    bus.ComputeValues(2, signals);
    EXPECT_EQ(bus.value[0], 1u);
    EXPECT_EQ(bus.value[1], 6u);
}

TEST(SignalModel, RowsUseOnlyBitZeroOfAValueReadFromAFile) {
    const std::vector<RawSignal> signals = {Signal("A", "7:")}; // 7 and 10
    SignalRow row;
    row.sources = {0};
    row.ComputeValues(2, signals);
    EXPECT_EQ(row.value[0], 1u);
    EXPECT_EQ(row.value[1], 0u);
}

TEST(SetSignals, EachSignalTakesItsBitOfEverySampleWithBitNumbersModulo32) {
    GraphModel model;
    const std::vector<uint32_t> samples = {0x8u, 0x1u, 0x9u};
    const std::vector<CapturedSignal> signals = {{"D3", 35}, {"D0", 0}};
    model.SetSignals(3, samples, signals);
    ASSERT_EQ(model.rows().size(), 2u);
    EXPECT_EQ(model.rows()[0].name, "D3");
    EXPECT_EQ(model.rawSignals()[0].value[0], 1);
    EXPECT_EQ(model.rawSignals()[0].value[1], 0);
    EXPECT_EQ(model.rawSignals()[0].value[2], 1);
    EXPECT_EQ(model.rows()[1].value[1], 1u);
    EXPECT_EQ(model.rows()[1].value[0], 0u);
    EXPECT_EQ(model.rows()[1].sources, std::vector<int>{1});
    EXPECT_EQ(model.steps(), 3);
}

TEST(SetSignals, ACaptureWithoutItsSamplesShowsNoStepsAndUnusedValuesStayZero) {
    GraphModel model;
    const std::vector<CapturedSignal> signals = {{"A", 0}};
    model.SetSignals(31, {}, signals);
    EXPECT_EQ(model.steps(), 0);
    ASSERT_EQ(model.rows().size(), 1u);
    for (uint32_t value : model.rows()[0].value)
        EXPECT_EQ(value, 0u);

    const std::vector<uint32_t> twoSamples = {1, 1};
    model.SetSignals(5, twoSamples, signals);
    EXPECT_EQ(model.steps(), 2);
    model.SetSignals(-3, twoSamples, signals);
    EXPECT_EQ(model.steps(), 0);
}

TEST(SetSignals, AFillStartsAgainAtZoomLevelOneWithGridAndNoMarker) {
    GraphModel model = Waveform({{"A", "0101"}});
    model.ZoomIn();
    model.ToggleGrid();
    ASSERT_TRUE(model.OnLButtonDown({model.tracesLeft() + 10, 5}, false, false));
    ASSERT_GT(model.marker(), 0);
    model.setNotes("kept");
    const std::vector<uint32_t> samples = {1};
    const std::vector<CapturedSignal> signals = {{"B", 0}};
    model.SetSignals(1, samples, signals);
    EXPECT_EQ(model.zoomLevel(), 1);
    EXPECT_TRUE(model.grid());
    EXPECT_EQ(model.marker(), -1);
    EXPECT_EQ(model.notes(), "kept");
}

TEST(ScrollSizes, FollowRowsStepsAndZoom) {
    GraphModel model;
    const std::vector<uint32_t> samples(7, 0);
    model.SetSignals(7, samples, {});
    // No signals: (steps + 6) x 50 by 100.
    EXPECT_EQ(model.scrollSizes(), (ScrollSizes{{650, 100}, {216, 33}, {100, 50}}));

    model = Waveform({{"A", "0101"}, {"B", "0011"}, {"C", "1111"}});
    EXPECT_EQ(model.scrollSizes().total, (Size{(4 + 4) * 50 + 100, 3 * 40 + 100}));
    EXPECT_EQ(model.totalHeight(), 3 * 40 + 50);
    model.ZoomOut();
    EXPECT_EQ(model.scrollSizes().total, (Size{(4 + 4) * 40 + 80, 3 * 32 + 80}));
    EXPECT_EQ(model.totalWidth(), 9 * 40);
    model.SelectOnly(0);
    model.ToggleSelection(1);
    ASSERT_TRUE(model.CombineRows({0, 1}, "bus"));
    EXPECT_EQ(model.scrollSizes().total.height, 2 * 32 + 80);
}

TEST(Zoom, RunsFromMinusTwoToThreeAndEveryChangeClearsTheMarker) {
    GraphModel model = Waveform({{"A", "0101"}});
    const auto setMarker = [&] { model.OnLButtonDown({model.tracesLeft() + 1, 1}, false, false); };
    setMarker();
    EXPECT_TRUE(model.ZoomIn());
    EXPECT_EQ(model.marker(), -1);
    EXPECT_TRUE(model.ZoomIn());
    EXPECT_EQ(model.zoomLevel(), 3);
    EXPECT_EQ(model.metrics(), (ZoomMetrics{77, 62, 31, 13, 3, 22, 4}));
    setMarker();
    const int marker = model.marker();
    EXPECT_FALSE(model.ZoomIn());
    EXPECT_EQ(model.zoomLevel(), 3);
    EXPECT_EQ(model.marker(), marker);

    for (int level = 2; level >= -2; --level) {
        EXPECT_TRUE(model.ZoomOut());
        EXPECT_EQ(model.zoomLevel(), level);
    }
    EXPECT_EQ(model.metrics(), (ZoomMetrics{26, 21, 11, 7, 1, 8, 1}));
    EXPECT_EQ(model.top(), 26);
    EXPECT_EQ(model.left(), 26);
    setMarker();
    EXPECT_FALSE(model.ZoomOut());
    EXPECT_EQ(model.marker(), model.tracesLeft() + 1);
}
