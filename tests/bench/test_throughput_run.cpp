// The run over a scripted machine, and one short run on the real one.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "bench/throughput.h"
#include "fake_platform.h"

namespace kest {
namespace {

using fakes::FakePlatform;

std::unique_ptr<ThroughputState> NewState() { return std::make_unique<ThroughputState>(); }

TEST(ThroughputRun, CalibratesMeasuresAndRestoresInOrder) {
    FakePlatform fake;
    auto st = NewState();
    std::vector<int> progress;
    ThroughputRunOptions opt;
    opt.rows = 3;
    RunThroughput(fake, opt, *st, {[&](int p) { progress.push_back(p); }, nullptr});

    const std::vector<std::string> expected = {
        "raise", "sleep 1000",
        "alloc 33554432", "pass 0", "pass 0", "pass 0", "pass 0", "free",
        "alloc 33554432", "pass 1", "pass 1", "pass 1", "pass 1", "free",
        "alloc 33554432", "pass 2", "pass 2", "pass 2", "pass 2", "free",
        "restore"};
    EXPECT_EQ(fake.log, expected);
    EXPECT_EQ(st->cps, 2000000000u);
    // Per test: 0, then one step per measurement up to 4 x rows.
    const std::vector<int> one = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ASSERT_EQ(progress.size(), 3 * one.size());
    EXPECT_TRUE(std::equal(one.begin(), one.end(), progress.begin() + 26));
    // The write test stores a fresh random value in every measurement.
    ASSERT_EQ(fake.written_values.size(), 12u);
    EXPECT_NE(fake.written_values[0], fake.written_values[1]);
    for (int t = 0; t < kTestCount; ++t) {
        EXPECT_EQ(st->tp_table[1][t], 40000000000) << t;
        EXPECT_EQ(st->tp_table[3][t], 40000000000) << t;
        EXPECT_EQ(st->tp_table[4][t], 0) << t;  // not measured in a 3-row run
    }
    EXPECT_TRUE(st->test_done);
}

TEST(ThroughputRun, CounterFasterThan4294MHz) {
    FakePlatform fake;
    fake.sleep_ticks = 4500000000ull + 25;
    fake.kernel_ticks = [](ThroughputTest, size_t n, int) { return uint64_t{4500} * (n / 1024) + 25; };
    auto st = NewState();
    ThroughputRunOptions opt;
    opt.rows = 1;
    RunThroughput(fake, opt, *st);
    EXPECT_EQ(st->cps, 4500000000ull);
    EXPECT_EQ(st->tp_table[1][kTestCopy], 40000000000);
}

TEST(ThroughputRun, FirstPassDoesNotCount) {
    FakePlatform fake;
    fake.kernel_ticks = [](ThroughputTest, size_t n, int pass) {
        return (pass == 0 ? 999999u : 2000u) * (n / 1024) + 25;
    };
    auto st = NewState();
    ThroughputRunOptions opt;
    opt.rows = 2;
    RunThroughput(fake, opt, *st);
    EXPECT_EQ(st->tp_table[2][kTestRead], 40000000000);
}

TEST(ThroughputRun, RefusedBlockReportsAndLeavesZeros) {
    FakePlatform fake;
    fake.grants = {true, false, true};  // the read test's block is refused
    std::vector<std::string> messages;
    auto st = NewState();
    ThroughputRunOptions opt;
    opt.rows = 2;
    RunThroughput(fake, opt, *st, {nullptr, [&](const std::string& m) { messages.push_back(m); }});

    EXPECT_EQ(messages, std::vector<std::string>{"Insufficient memory."});
    EXPECT_EQ(std::count(fake.log.begin(), fake.log.end(), "free"), 2);
    EXPECT_EQ(st->tp_table[1][kTestRead], 0);
    EXPECT_EQ(st->tp_table[1][kTestWrite], 40000000000);  // the next test still ran
    EXPECT_FALSE(st->ran[kTestRead]);
    EXPECT_TRUE(st->out_of_memory[kTestRead]);
    EXPECT_EQ(st->averages[kTestRead], 0.0);
    EXPECT_EQ(st->memtestr.substr(0, 8), "00000000");
}

TEST(ThroughputRun, EveryBlockRefused) {
    FakePlatform fake;
    fake.grants = {false, false, false};
    auto st = NewState();
    ThroughputRunOptions opt;
    opt.rows = 2;
    RunThroughput(fake, opt, *st);
    EXPECT_EQ(st->scale_max, 0.0);
    EXPECT_EQ(st->memtestr, "000000000000000000000000");
    EXPECT_TRUE(st->test_done);
}

TEST(ThroughputRun, PriorityRestoredWhenAKernelFails) {
    FakePlatform fake;
    fake.kernel_ticks = [](ThroughputTest, size_t, int) -> uint64_t { throw std::runtime_error("fault"); };
    auto st = NewState();
    EXPECT_THROW(RunThroughput(fake, {}, *st), std::runtime_error);
    EXPECT_FALSE(fake.raised);
    EXPECT_EQ(fake.log.back(), "restore");
}

// The real kernels and machine over 4 KB .. 64 KB: about a second of
// calibration and a few milliseconds of measuring.
TEST(ThroughputLive, ShortRun) {
    auto platform = MakeLiveThroughputPlatform();
    auto st = NewState();
    ThroughputRunOptions opt;
    opt.rows = 16;
    opt.caches = {32, 512, 0};
    const auto t0 = std::chrono::steady_clock::now();
    RunThroughput(*platform, opt, *st);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(seconds, 5.0);
    EXPECT_GT(st->cps, 100000000u);  // any counter faster than 100 MHz
    for (int t = 0; t < kTestCount; ++t) {
        for (int r = 1; r <= 16; ++r) {
            // Between 10 MB/s and 1 TB/s: measured, not garbage.
            EXPECT_GT(st->tp_table[r][t], int64_t{10} * 1024 * 10000) << t << " " << r;
            EXPECT_LT(st->tp_table[r][t], int64_t{1} << 40 << 4) << t << " " << r;
        }
        EXPECT_EQ(st->tp_table[17][t], 0);
        EXPECT_GT(st->averages[t], 10.0);
    }
    EXPECT_EQ(st->memtestr.size(), 24u);
    EXPECT_EQ(st->memtestr.find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

}  // namespace
}  // namespace kest
