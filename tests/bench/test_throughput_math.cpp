// The throughput arithmetic on constructed counts.
#include <gtest/gtest.h>

#include <memory>

#include "bench/throughput.h"

namespace kest {
namespace {

TEST(ThroughputMath, CountsAreLow32BitsMinusCorrection) {
    EXPECT_EQ(CorrectedCount(1000, 3025), 2000u);
    // Fewer ticks than the correction wrap to a huge count.
    EXPECT_EQ(CorrectedCount(100, 110), 0xFFFFFFF1u);
    // Only the low 32 bits of a block's count are kept.
    EXPECT_EQ(CorrectedCount(0, 0x100000000ull + 1025), 1000u);
}

TEST(ThroughputMath, CalibrationOfAFastCounterDoesNotWrap) {
    EXPECT_EQ(CalibrationCount(1000, 1000 + 2000000025ull), 2000000000u);
    EXPECT_EQ(CalibrationCount(0, 4300000000ull + 25), 4300000000ull);  // 4.3 GHz
    EXPECT_EQ(CalibrationCount(5, 10), 0u);
    // Throughput at 4.3 GHz: 4 KB in 4300 ticks is 4000000 KB/s.
    EXPECT_EQ(TpValue(4300000000ull, 4300, 1), 40000000000);
}

TEST(ThroughputMath, AverageDropsTheFirstPass) {
    EXPECT_EQ(AverageCount({999999, 10, 20, 31}), 20u);  // (10+20+31) div 3
    // Three counts near the 32-bit limit do not wrap into a small average.
    EXPECT_EQ(AverageCount({0, 0xF0000000u, 0xF0000000u, 0xF0000000u}), 0xF0000000u);
}

TEST(ThroughputMath, FourKbBlockAt2000CyclesIs4000000KbPerSecond) {
    EXPECT_EQ(TpValue(2000000000u, 2000, 1), 40000000000);
    EXPECT_EQ(TpValue(2000000000u, 4000, 2), 40000000000);  // 8 KB in twice the time
    EXPECT_EQ(TpValue(3, 2, 1), 60000);                       // 1.5 x 4 x 10000
    EXPECT_EQ(TpValue(2000000000u, 0, 1), 0);                 // nothing measured
}

TEST(ThroughputMath, SearchRowsFromCacheSizes) {
    EXPECT_EQ(SearchRows({32, 256, 0}), 72u);
    EXPECT_EQ(SearchRows({32, 512, 4096}), 1160u);
    EXPECT_EQ(SearchRows({32, 512, 8192}), 2049u);  // 2184: past the table, searched up to row 2048
    EXPECT_EQ(SearchRows({0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}), 2049u);  // no wrap
}

// A state whose test column `t` has throughput `kbps(r)` KB/s on rows
// 1..rows, with the matching counts at cps.
struct Table {
    std::unique_ptr<ThroughputState> st = std::make_unique<ThroughputState>();
    AverageCounts counts{};
    Table(uint32_t cps, int rows, int t, uint32_t (*count_of_row)(int)) {
        st->cps = cps;
        for (int r = 1; r <= rows; ++r) {
            counts[r][t] = count_of_row(r);
            st->tp_table[r][t] = TpValue(cps, counts[r][t], r);
        }
    }
};

TEST(ThroughputAverage, RowsUpToTheSlowestBlockInTheCaches) {
    // 4000000 KB/s everywhere except row 20 (half speed) and row 30 (a
    // quarter, past the search range of c = 16).
    Table tb(2000000000u, 1024, kTestRead, [](int r) -> uint32_t {
        return r == 20 ? 4000u * r : r == 30 ? 8000u * r : 2000u * r;
    });
    // c = 16 covers rows 9..24: row 20 is the lowest, k = 19, rows 1..20 count.
    const double avg = TestAverage(*tb.st, tb.counts, kTestRead, 16, 1024);
    uint64_t ticks = 0;
    for (int r = 1; r <= 20; ++r) ticks += tb.counts[r][kTestRead];
    EXPECT_DOUBLE_EQ(avg, 2000000000.0 / ticks * (2.0 * 20 * 21) / 1024.0);
    EXPECT_LT(avg, 4000000 / 1024.0);
    EXPECT_GT(avg, 2000000 / 1024.0);
}

TEST(ThroughputAverage, FallsBackToThe32KbBlock) {
    Table flat(2000000000u, 1024, kTestCopy, [](int r) -> uint32_t { return 2000u * r; });
    // Nothing in rows 9..8+c is below the 32 KB value.
    EXPECT_DOUBLE_EQ(TestAverage(*flat.st, flat.counts, kTestCopy, 100, 1024), 4000000 / 1024.0);
    // c = 0: no search at all.
    EXPECT_DOUBLE_EQ(TestAverage(*flat.st, flat.counts, kTestCopy, 0, 1024), 4000000 / 1024.0);
    // A test that did not run shows 0.
    EXPECT_EQ(TestAverage(*flat.st, flat.counts, kTestWrite, 100, 1024), 0.0);
}

TEST(ThroughputAverage, SearchPastTheMeasuredRowsStopsAtRow2048) {
    Table flat(2000000000u, 1024, kTestCopy, [](int r) -> uint32_t { return 2000u * r; });
    // More cache than 4 MB: the search reaches the zero rows after 1024, and
    // the average covers all measured rows (same throughput everywhere).
    EXPECT_DOUBLE_EQ(TestAverage(*flat.st, flat.counts, kTestCopy, 5000, 1024), 4000000 / 1024.0);
    // Cache sizes that would take the search far past the table end.
    EXPECT_DOUBLE_EQ(TestAverage(*flat.st, flat.counts, kTestCopy, 0xFFFFFFFF, 1024), 4000000 / 1024.0);
}

TEST(ThroughputAverage, ShortRunSumsOnlyMeasuredRows) {
    Table tb(1000000000u, 16, kTestWrite, [](int r) -> uint32_t { return 1000u * r; });
    // Row 17 is the first unmeasured (zero) row: k = 16, rows 1..16 count.
    EXPECT_DOUBLE_EQ(TestAverage(*tb.st, tb.counts, kTestWrite, 64, 16), 4000000 / 1024.0);
}

TEST(ThroughputResults, FromRawCounts) {
    auto raw = std::make_unique<RawCounts>();
    for (int r = 1; r <= kTpRows; ++r) {
        raw->at(r)[kTestCopy] = {7, 2000u * r, 2000u * r, 2000u * r};  // 4000000 KB/s
        raw->at(r)[kTestRead] = {1, 1000u * r, 1000u * r, 1000u * r};  // 8000000 KB/s
    }
    auto st = std::make_unique<ThroughputState>();
    st->tp_table[1030][kTestWrite] = 5;                   // cleared by a run
    ComputeResults(*raw, 2000000000u, {true, true, false}, {32, 512, 0}, kTpRows, *st);

    EXPECT_EQ(st->tp_table[1][kTestCopy], 40000000000);
    EXPECT_EQ(st->tp_table[1024][kTestRead], 80000000000);
    EXPECT_EQ(st->tp_table[1030][kTestWrite], 0);
    EXPECT_EQ(st->tp_table[0][kTestRead], 0);
    EXPECT_DOUBLE_EQ(st->scale_max, 8000000.0);
    EXPECT_DOUBLE_EQ(st->averages[kTestCopy], 3906.25);
    EXPECT_DOUBLE_EQ(st->averages[kTestRead], 7812.5);
    EXPECT_EQ(st->averages[kTestWrite], 0.0);
    EXPECT_EQ(st->memtestr, "000BEBC2" "00000000" "0005F5E1");
    EXPECT_TRUE(st->test_done);
}

}  // namespace
}  // namespace kest
