// What the throughput page shows: texts, read-out, legend toggle,
// scrolling.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "view/throughput_view.h"
#include "bench/fake_platform.h"

namespace kest {
namespace {

TEST(ThroughputView, LegendToggle) {
    struct Case { bool visible; MouseButton button; bool done; bool after; };
    const Case cases[] = {
        {false, MouseButton::Left, false, false},   // before any run: nothing
        {true, MouseButton::Right, false, true},
        {false, MouseButton::Left, true, true},
        {true, MouseButton::Left, true, true},
        {true, MouseButton::Right, true, false},
        {false, MouseButton::Right, true, false},
        {true, MouseButton::Middle, true, true},
        {false, MouseButton::Other, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LegendVisibleAfterPress(c.visible, c.button, c.done), c.after)
            << c.visible << static_cast<int>(c.button) << c.done;
}

TEST(ThroughputView, ReadOutAtX101IsThe200KbRow) {
    auto st = std::make_unique<ThroughputState>();
    ReadOut before = ReadOutAt(*st, 101);
    EXPECT_EQ(before.leg_bs_l1, "202 Kb");
    EXPECT_EQ(before.leg_tp_l1, "0 Mbps");
    EXPECT_EQ(before.leg_tp_l2, "0 Mbps");
    EXPECT_EQ(before.leg_tp_l3, "0 Mbps");

    st->tp_table[50][kTestRead] = int64_t{5000} * 1024 * 10000;  // 5000 MB/s
    st->tp_table[50][kTestWrite] = 25 * 1024 * 10000 / 10;       // 2.5 -> 2
    st->tp_table[50][kTestCopy] = 35 * 1024 * 10000 / 10;        // 3.5 -> 4
    st->tp_table[51][kTestRead] = 1;                              // the next row: not shown
    const ReadOut r = ReadOutAt(*st, 101);
    EXPECT_EQ(r.leg_tp_l1, "5000 Mbps");
    EXPECT_EQ(r.leg_tp_l2, "2 Mbps");
    EXPECT_EQ(r.leg_tp_l3, "4 Mbps");
    EXPECT_EQ(ReadOutAt(*st, 100).leg_tp_l1, "5000 Mbps");
    EXPECT_EQ(ReadOutAt(*st, 0).leg_bs_l1, "0 Kb");
    EXPECT_EQ(ReadOutAt(*st, 2047).leg_bs_l1, "4094 Kb");
    EXPECT_EQ(ReadOutAt(*st, 5000).leg_bs_l1, "4094 Kb");  // dragged past the edge
}

TEST(ThroughputView, ScaleAndAverageTexts) {
    EXPECT_EQ(TopScaleText(8000000), "7812 Mbps");     // 7812.5, ties to even
    EXPECT_EQ(MiddleScaleText(8000000), "3906 Mbps");  // 3906.25
    EXPECT_EQ(TopScaleText(0), "0 Mbps");
    EXPECT_EQ(AverageText(3906.25), "3906.25 Mbps");
    EXPECT_EQ(AverageText(12), "12.00 Mbps");
    EXPECT_EQ(AverageText(0.005), "0.01 Mbps");
}

TEST(ThroughputView, LegendRowsFollowTheLastRun) {
    fakes::FakePlatform fake;
    auto st = std::make_unique<ThroughputState>();
    ThroughputRunOptions opt;
    opt.rows = 9;  // past the 32 KB block the averages start from
    RunThroughput(fake, opt, *st);
    LegendTexts all = LegendAfterRun(*st);
    EXPECT_TRUE(all.read_row && all.write_row && all.copy_row);
    EXPECT_EQ(all.top_tp, "3906 Mbps");     // 4000000 KB/s / 1024 = 3906.25
    EXPECT_EQ(all.middle_tp, "1953 Mbps");  // 1953.125
    EXPECT_EQ(all.leg_av_l1, "3906.25 Mbps");

    opt.selected = {false, false, true};
    RunThroughput(fake, opt, *st);
    LegendTexts write_only = LegendAfterRun(*st);
    EXPECT_FALSE(write_only.read_row);
    EXPECT_TRUE(write_only.write_row);
    EXPECT_FALSE(write_only.copy_row);
    EXPECT_EQ(write_only.leg_av_l1, "0.00 Mbps");
    EXPECT_EQ(write_only.leg_av_l2, "3906.25 Mbps");
}

TEST(ThroughputView, GraphPositions) {
    const double m = 4000000;  // KB/s
    EXPECT_EQ(GraphY(40000000000, m), 5);     // the maximum
    EXPECT_EQ(GraphY(20000000000, m), 90);    // half of it
    EXPECT_EQ(GraphY(0, m), 175);             // zero
    EXPECT_EQ(GraphY(10000000000, m), 132);   // 175 - 42.5 = 132.5, ties to even
    EXPECT_EQ(GraphY(0, 0), 175);             // nothing measured at all
}

TEST(ThroughputView, CurvesOfTheTestsThatRanOnTheirOwnScale) {
    fakes::FakePlatform fake;
    auto st = std::make_unique<ThroughputState>();
    ThroughputRunOptions opt;
    opt.rows = 4;
    RunThroughput(fake, opt, *st);
    PlaceCurves(*st);
    const int32_t copy_y = st->graph_y[2][kTestCopy];

    fakes::FakePlatform slower;  // half the speed: the write curve now lies at the top of its own scale
    slower.kernel_ticks = [](ThroughputTest, size_t n, int) { return uint64_t{4000} * (n / 1024) + 25; };
    opt.selected = {false, false, true};
    RunThroughput(slower, opt, *st);
    PlaceCurves(*st);
    EXPECT_EQ(st->tp_table[2][kTestCopy], 0);  // discarded
    EXPECT_EQ(st->graph_y[2][kTestCopy], copy_y);
    EXPECT_EQ(st->tp_table[2][kTestWrite], 20000000000);
    EXPECT_EQ(st->graph_y[2][kTestWrite], 5);
    EXPECT_EQ(st->ran, (TestSet{false, false, true}));
}

TEST(ThroughputView, ScrollingMovesBothImages) {
    EXPECT_EQ(GraphLeftForScroll(0), 0);
    EXPECT_EQ(GraphLeftForScroll(700), -700);
    // At the maximum the left edge of the view is x = 1539: block size 3078 KB.
    EXPECT_EQ(GraphLeftForScroll(1539), -1539);
    EXPECT_EQ(ReadOutAt(ThroughputState{}, -GraphLeftForScroll(1539)).leg_bs_l1, "3078 Kb");
    EXPECT_EQ(GraphLeftForScroll(5000), -1539);
}

}  // namespace
}  // namespace kest
