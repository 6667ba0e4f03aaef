// The window's control names: one list, checked where names are put together.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "view/controls.h"

namespace kest {
namespace {

TEST(ControlNames, EachNameOnceAndNamesBuiltAtRunTimeAreChecked) {
    std::set<std::string_view> seen;
    for (std::string_view n : kControlNames) EXPECT_TRUE(seen.insert(n).second) << n;

    EXPECT_EQ(ControlName::Of("cpuname"), ctl::kCpuname);
    EXPECT_EQ(ctl::kCpuname.View(), "cpuname");
    EXPECT_STREQ(ctl::kLabelL2.CStr(), "Label_l2");
    for (const char* bad : {"", "cpuname ", "CPUNAME", "Label_s32", "l115", "ext_l4_loc", "_logo_0999"}) {
        EXPECT_THROW(ControlName::Of(bad), std::logic_error) << bad;
        EXPECT_FALSE(IsControl(bad)) << bad;
    }

    EXPECT_EQ(ctl::FeatureIndicator(31), ctl::kS31);
    EXPECT_EQ(ctl::FeatureLabel(0), ctl::kLabelS0);
    EXPECT_THROW(ctl::FeatureIndicator(32), std::logic_error);
    EXPECT_EQ(ctl::CacheHead(2, 3), ctl::kHead23);
    EXPECT_EQ(ctl::CacheCell(1, 4, 4), ctl::kL144);
    EXPECT_THROW(ctl::CacheCell(2, 3, 1), std::logic_error);  // the TLB blocks have two rows
    EXPECT_EQ(ctl::ExtCacheTitle(3), ctl::kExtL3Tit);
    for (int level = 1; level <= 3; ++level)
        for (std::string_view row : ctl::kExtCacheRows) EXPECT_NO_THROW(ctl::ExtCacheRow(level, row)) << row;
    EXPECT_EQ(ctl::PowerIndicator(6), ctl::kEpm6s);
    EXPECT_EQ(ctl::Logo(308), ctl::kLogo0308);
    EXPECT_EQ(ctl::Logo(1100), ctl::kLogo1100);
}

TEST(ControlNames, LegendRowsHoldTheLabelsTheirTestFills) {
    // Each control belongs to one row; a row holds the read-out and average
    // labels that the throughput page fills for its test (read, write, copy).
    std::set<std::string_view> seen;
    const struct { ControlName key, tp, av; } rows[] = {
        {ctl::kShRd, ctl::kLegTpL1, ctl::kLegAvL1},
        {ctl::kShWr, ctl::kLegTpL2, ctl::kLegAvL2},
        {ctl::kShCp, ctl::kLegTpL3, ctl::kLegAvL3},
    };
    for (int i = 0; i < 3; ++i) {
        const ctl::LegendRow& row = ctl::LegendRowControls(i);
        EXPECT_EQ(row[0], rows[i].key);
        EXPECT_EQ(row[5], rows[i].tp);
        EXPECT_EQ(row[7], rows[i].av);
        for (ControlName n : row) EXPECT_TRUE(seen.insert(n.View()).second) << n;
    }
    EXPECT_EQ(seen.size(), 24u);
    // Bevels 1 and 4 frame the Read row, 2 and 5 Write, 3 and 6 Copy.
    EXPECT_TRUE(seen.count("leg_b4") && seen.count("leg_b6") && seen.count("leg_av_b2"));
    EXPECT_EQ(ctl::LegendRowControls(1)[2], ctl::kLegB5);
    EXPECT_THROW(ctl::LegendRowControls(3), std::logic_error);
}

}  // namespace
}  // namespace kest
