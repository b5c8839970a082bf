#include "WaveformFixtures.h"
#include "waveform/GraphModel.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::waveform;
using namespace vorn::waveform::testing;

TEST(SignalModel, ABusReadsItsFirstSourceAsTheTopBitUnlessReversedAndRowsUseBitZeroOnly) {
    const std::vector<RawSignal> signals = {Signal("A", "10"), Signal("B", "01"), Signal("C", "01"),
                                            Signal("F", "7:")}; // 7 and 10 read from a file
    SignalRow bus;
    bus.sources = {0, 1, 2};
    bus.ComputeValues(2, signals);
    EXPECT_EQ((std::vector<uint32_t>{bus.value[0], bus.value[1]}), (std::vector<uint32_t>{4, 3}));
    bus.reversed = true;
    bus.ComputeValues(2, signals);
    EXPECT_EQ((std::vector<uint32_t>{bus.value[0], bus.value[1]}), (std::vector<uint32_t>{1, 6}));
    SignalRow row;
    row.sources = {3};
    row.ComputeValues(2, signals);
    EXPECT_EQ((std::vector<uint32_t>{row.value[0], row.value[1]}), (std::vector<uint32_t>{1, 0}));
}

TEST(SetSignals, EachSignalTakesItsBitOfEverySampleWithBitNumbersModulo32) {
    GraphModel model;
    const std::vector<uint32_t> samples = {0x8u, 0x1u, 0x9u};
    model.SetSignals(3, samples, std::vector<CapturedSignal>{{"D3", 35}, {"D0", 0}});
    ASSERT_EQ(RowNames(model), (std::vector<std::string>{"D3", "D0"}));
    EXPECT_EQ(model.steps(), 3);
    const RawSignal& d3 = model.rawSignals()[0];
    EXPECT_EQ((std::vector<int>{d3.value[0], d3.value[1], d3.value[2]}), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ((std::vector<uint32_t>{model.rows()[1].value[0], model.rows()[1].value[1]}),
              (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(model.rows()[1].sources, std::vector<int>{1});
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

TEST(SetSignals, AFillStartsAgainAtZoomLevelOneWithGridAndNoMarkerButKeepsTheNotes) {
    GraphModel model = Waveform({{"A", "0101"}});
    model.ZoomIn();
    model.ToggleGrid();
    model.OnLButtonDown({model.tracesLeft() + 10, 5}, false, false);
    ASSERT_GT(model.marker(), 0);
    model.setNotes("kept");
    const std::vector<uint32_t> samples = {1};
    model.SetSignals(1, samples, std::vector<CapturedSignal>{{"B", 0}});
    EXPECT_EQ(model.zoomLevel(), 1);
    EXPECT_TRUE(model.grid());
    EXPECT_EQ(model.marker(), -1);
    EXPECT_EQ(model.notes(), "kept");
}

TEST(ScrollSizes, FollowRowsStepsAndZoom) {
    GraphModel model;
    const std::vector<uint32_t> samples(7, 0);
    model.SetSignals(7, samples, {});
    EXPECT_EQ(model.scrollSizes(), (ScrollSizes{{650, 100}, {216, 33}, {100, 50}}));

    model = Waveform({{"A", "0101"}, {"B", "0011"}, {"C", "1111"}});
    EXPECT_EQ(model.scrollSizes().total, (Size{(4 + 4) * 50 + 100, 3 * 40 + 100}));
    EXPECT_EQ(model.totalHeight(), 3 * 40 + 50);
    model.ZoomOut();
    EXPECT_EQ(model.scrollSizes().total, (Size{(4 + 4) * 40 + 80, 3 * 32 + 80}));
    EXPECT_EQ(model.totalWidth(), 9 * 40);
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
    EXPECT_EQ(model.left(), 26);
    setMarker();
    EXPECT_FALSE(model.ZoomOut());
    EXPECT_EQ(model.marker(), model.tracesLeft() + 1);
}
