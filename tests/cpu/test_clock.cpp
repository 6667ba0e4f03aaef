#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

#include <algorithm>

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cpu/clock.h"

namespace kest {
namespace {

// Plays back scripted counter and clock values and records every call.
class FakeClock : public Machine {
public:
    std::deque<std::optional<uint64_t>> tsc;
    std::deque<uint64_t> mono;
    std::vector<std::string> log;
    bool throw_on_long_sleep = false;
    int raised = 0;

    void RaisePriority() override {
        ++raised;
        log.push_back("raise");
    }
    void RestorePriority() override {
        --raised;
        log.push_back("restore");
    }
    void SleepMs(unsigned ms) override {
        log.push_back("sleep " + std::to_string(ms));
        if (throw_on_long_sleep && ms > 100) throw std::runtime_error("interrupted");
    }
    std::optional<uint64_t> ReadTsc() override {
        log.push_back("tsc");
        auto v = tsc.front();
        tsc.pop_front();
        return v;
    }
    uint64_t MonotonicNs() override {
        log.push_back("mono");
        auto v = mono.front();
        mono.pop_front();
        return v;
    }
};

TEST(MeasureClock, DividesByTheElapsedTime) {
    FakeClock p;
    // 1.3e9 ticks over 520 ms, not 500 ms: 2500 MHz, not 2600.
    p.tsc = {1000, 1000 + 1'300'000'000ull};
    p.mono = {7'000'000'000ull, 7'520'000'000ull};
    EXPECT_DOUBLE_EQ(MeasureClock(p), 2500.0);
    const std::vector<std::string> expected = {"raise", "sleep 10", "tsc", "mono", "sleep 500",
                                               "tsc", "mono", "restore"};
    EXPECT_EQ(p.log, expected);
    EXPECT_EQ(p.raised, 0);
}

TEST(MeasureClock, KeepsOnlyTheLowHalfOfTheDifference) {
    struct Row {
        uint64_t t0, t1;
        double mhz;
    } rows[] = {
        {0, (1ull << 32) + 1'000'000'000ull, 2000.0},            // high half of the difference dropped
        {~0ull - 99, ~0ull - 99 + 1'000'000'000ull, 2000.0},     // the counter itself wraps
        {0x00000001FFFFFF00ull, 0x0000000200000100ull, 0.001024},  // low halves cross zero
    };
    for (const Row& r : rows) {
        FakeClock p;
        p.tsc = {r.t0, r.t1};
        p.mono = {1'000'000'000ull, 1'500'000'000ull};
        EXPECT_DOUBLE_EQ(MeasureClock(p), r.mhz) << r.t0;
    }
}

TEST(MeasureClock, FailingCounterRestoresPriority) {
    // First read fails: no long sleep, 0, priority back.
    FakeClock first;
    first.tsc = {std::nullopt};
    first.mono = {0};
    EXPECT_EQ(MeasureClock(first), 0.0);
    EXPECT_EQ(first.raised, 0);
    EXPECT_EQ(first.log.back(), "restore");
    EXPECT_EQ(std::count(first.log.begin(), first.log.end(), "sleep 500"), 0);

    // Second read fails.
    FakeClock second;
    second.tsc = {5, std::nullopt};
    second.mono = {0, 500'000'000};
    EXPECT_EQ(MeasureClock(second), 0.0);
    EXPECT_EQ(second.raised, 0);
    EXPECT_EQ(second.log.back(), "restore");
}

TEST(MeasureClock, RestoresPriorityWhenThePlatformThrows) {
    FakeClock p;
    p.throw_on_long_sleep = true;
    p.tsc = {0, 0};
    p.mono = {0, 0};
    EXPECT_THROW(MeasureClock(p), std::runtime_error);
    EXPECT_EQ(p.raised, 0);
    EXPECT_EQ(p.log.back(), "restore");
}

TEST(MeasureClock, NoElapsedTimeGivesZero) {
    FakeClock p;
    p.tsc = {0, 1'000'000};
    p.mono = {900, 900};
    EXPECT_EQ(MeasureClock(p), 0.0);
    EXPECT_EQ(p.raised, 0);
}

// A machine with a simulated clock: sleeps and add chains advance it, the
// counter ticks at a fixed rate, and each chain run takes as long as its
// core clock says.
class BusyMachine : public Machine {
public:
    double tsc_mhz = 2300.0;
    std::vector<double> run_mhz;  // the core clock of each run; the last one repeats
    bool has_chain = true;
    uint64_t now = 5'000'000'000ull;
    bool raised = false, pinned = false;
    int runs = 0;
    bool every_run_pinned_and_raised = true;
    uint64_t first_raise = 0, last_restore = 0;

    void RaisePriority() override {
        raised = true;
        first_raise = now;
    }
    void RestorePriority() override {
        raised = false;
        last_restore = now;
    }
    int PinToCurrentProcessor() override {
        pinned = true;
        return 1;
    }
    void Unpin() override { pinned = false; }
    uint32_t CoreTypeLeaf() override { return pinned ? 0x40000001u : 0; }
    void SleepMs(unsigned ms) override { now += uint64_t(ms) * 1'000'000; }
    std::optional<uint64_t> ReadTsc() override { return uint64_t(double(now) * tsc_mhz / 1000.0); }
    uint64_t MonotonicNs() override { return now; }
    bool RunAddChain(uint64_t adds) override {
        if (!has_chain) return false;
        EXPECT_EQ(adds % kChainBlockAdds, 0u);
        every_run_pinned_and_raised = every_run_pinned_and_raised && pinned && raised;
        const double mhz = run_mhz[std::min<size_t>(size_t(runs), run_mhz.size() - 1)];
        ++runs;
        now += uint64_t(double(adds) * 1000.0 / mhz);
        return true;
    }
};

TEST(MeasureClock, BusyCoreTakesTheFastestRunInsideTheHalfSecond) {
    struct Row {
        std::vector<double> run_mhz;
        bool has_chain;
        double core;
    } rows[] = {
        // A core that needs a run or two to reach its clock, one run slowed
        // by an interruption: the fastest run counts.
        {{1200, 2900, 2966.4, 2500, 2966.0}, true, 2966.4},
        // A slow core stops its runs early enough to fit the half second.
        {{40}, true, 40},
        // No chain on this machine: no core clock, the counter's rate all the same.
        {{3000}, false, 0},
    };
    for (const Row& r : rows) {
        BusyMachine m;
        m.run_mhz = r.run_mhz;
        m.has_chain = r.has_chain;
        const ClockReading got = MeasureClock(m, ClockMethod::kBusyCore);
        EXPECT_EQ(got.method, ClockMethod::kBusyCore);
        EXPECT_NEAR(got.coremhz, r.core, 0.01);
        EXPECT_NEAR(got.tscmhz, 2300.0, 0.01);
        EXPECT_EQ(got.processor, 1);
        EXPECT_EQ(got.core_type_leaf, 0x40000001u);  // read while pinned
        EXPECT_TRUE(m.every_run_pinned_and_raised);
        EXPECT_FALSE(m.raised);
        EXPECT_FALSE(m.pinned);
        if (r.has_chain) {
            EXPECT_GE(m.runs, 2);  // best of several, even on the slow core
        }
        // The runs lie inside the counter's half second: 10 ms + 500 ms in all.
        EXPECT_NEAR(double(m.last_restore - m.first_raise), 510e6, 1e6) << r.core;
    }
}

TEST(MeasureClock, CounterMethodKeepsItsSingleMeasurement) {
    FakeClock p;
    p.tsc = {1000, 1000 + 1'300'000'000ull};
    p.mono = {7'000'000'000ull, 7'520'000'000ull};
    const ClockReading got = MeasureClock(p, ClockMethod::kTsc);
    EXPECT_EQ(got.method, ClockMethod::kTsc);
    EXPECT_DOUBLE_EQ(got.coremhz, 2500.0);
    EXPECT_DOUBLE_EQ(got.tscmhz, 2500.0);
    EXPECT_EQ(std::count(p.log.begin(), p.log.end(), "sleep 500"), 1);
}

TEST(ComputeClockInfo, IntegerClockFollowsTheTwoDecimalText) {
    struct Row {
        double mhz;
        const char* text;
        int64_t whole;
    } rows[] = {
        {1999.996, "2000.00 MHz", 2000},
        {1999.994, "1999.99 MHz", 1999},
        {2596.146, "2596.15 MHz", 2596},
        {0.0, "0.00 MHz", 0},
        {9.999, "10.00 MHz", 10},
    };
    for (const Row& r : rows) {
        const ClockInfo ci = ComputeClockInfo(r.mhz, 0, 0, 0, 0, 0, "");
        EXPECT_EQ(ci.coretext, r.text);
        EXPECT_EQ(ci.mhzint, r.whole) << r.text;
        EXPECT_DOUBLE_EQ(ci.coremhz, r.mhz);
    }
}

TEST(ComputeClockInfo, MultiplierAndBus) {
    ClockInfo ci = ComputeClockInfo(1999.5, 133, 2000, 0, 0, 0, "");
    EXPECT_DOUBLE_EQ(ci.multiplier, 15.0);
    EXPECT_EQ(ci.multtext, "15.0");
    EXPECT_DOUBLE_EQ(ci.busmhz, 1999.5 / 15.0);
    EXPECT_EQ(ci.bustext, "133.30 MHz");

    // Ties go to the even tenth: 12.5 -> 12, 17.5 -> 18.
    ci = ComputeClockInfo(100, 20, 25, 0, 0, 0, "");
    EXPECT_DOUBLE_EQ(ci.multiplier, 1.2);
    EXPECT_EQ(ci.multtext, "1.2");
    ci = ComputeClockInfo(100, 20, 35, 0, 0, 0, "");
    EXPECT_DOUBLE_EQ(ci.multiplier, 1.8);
    EXPECT_EQ(ci.bustext, "55.56 MHz");
}

TEST(ComputeClockInfo, ZeroClocksLeaveTheTextsEmpty) {
    struct Row {
        uint16_t ext, cur;
    } rows[] = {{0, 2000}, {133, 0}, {0, 0}, {400, 1} /* multiplier rounds to 0 */};
    for (const Row& r : rows) {
        const ClockInfo ci = ComputeClockInfo(2000, r.ext, r.cur, 109, 0, 256, "");
        EXPECT_EQ(ci.multtext, "") << r.ext << "/" << r.cur;
        EXPECT_EQ(ci.bustext, "") << r.ext << "/" << r.cur;
        // The rest of the run goes on.
        EXPECT_EQ(ci.coretext, "2000.00 MHz");
        EXPECT_EQ(ci.rating, "2400+");
    }
}

TEST(ComputeClockInfo, BusyCoreMultiplierIsTheCoreClockOverTheExternalClock) {
    struct Row {
        double core;
        uint16_t ext, cur;
        const char* mult;
        const char* bus;
    } rows[] = {
        {2966.4, 100, 2300, "29.7", "100.00 MHz"},  // the firmware's current speed plays no part
        {3000.0, 133, 0, "22.6", "133.00 MHz"},     // 22.556 to one decimal
        {2925.0, 200, 2900, "14.6", "200.00 MHz"},  // 14.625: 146.25 rounds to 146
        {2966.4, 0, 2300, "", ""},                  // no external clock: both empty
        {0.0, 100, 2300, "", ""},                   // no core clock: both empty
    };
    for (const Row& r : rows) {
        ClockReading reading;
        reading.coremhz = r.core;
        reading.tscmhz = 2300;
        reading.method = ClockMethod::kBusyCore;
        const ClockInfo ci = ComputeClockInfo(reading, r.ext, r.cur, 117, 0, 1024, "");
        EXPECT_EQ(ci.multtext, r.mult) << r.core << "/" << r.ext;
        EXPECT_EQ(ci.bustext, r.bus) << r.core << "/" << r.ext;
        if (*r.mult) {
            EXPECT_DOUBLE_EQ(ci.busmhz, r.ext);
        }
        EXPECT_EQ(ci.coretext, MhzText(r.core));
        EXPECT_DOUBLE_EQ(ci.tscmhz, 2300);
        EXPECT_EQ(ci.method, "busy core");
    }
    // A given clock derives them as the counter's does.
    const ClockInfo given = ComputeClockInfo(GivenClock(1999.5), 133, 2000, 0, 0, 0, "");
    EXPECT_EQ(given.multtext, "15.0");
    EXPECT_EQ(given.bustext, "133.30 MHz");
    EXPECT_EQ(given.method, "given");
    EXPECT_EQ(given.tscmhz, 0.0);
}

TEST(ComputeClockInfo, RatingUsesTheRoundedClock) {
    EXPECT_EQ(ComputeClockInfo(1933.996, 0, 0, 109, 0, 256, "").rating, "2400+");
    EXPECT_EQ(ComputeClockInfo(1933.994, 0, 0, 109, 0, 256, "").rating, "2200+");
    EXPECT_EQ(ComputeClockInfo(2200.0, 200, 2200, 111, 0, 1024, "3500+").rating, "3500+");
}

TEST(RatingText, Table) {
    struct Row {
        int64_t mhz;
        uint16_t code, model;
        uint32_t l2kb;
        const char* expected;
    } rows[] = {
        // AMD K5
        {100, 103, 0, 0, "PR100"}, {70, 103, 0, 0, "PR75"},   {69, 103, 0, 0, ""},
        {86, 103, 0, 0, "PR90"},   {111, 103, 0, 0, ""},      {100, 103, 1, 0, "PR133"},
        {84, 103, 1, 0, ""},       {85, 103, 2, 0, "PR120"},  {120, 103, 3, 0, "PR166"},
        {121, 103, 3, 0, ""},      {100, 103, 4, 0, ""},      {100, 103, 9, 0, ""},
        // AMD Athlon XP, 256 KB
        {2000, 109, 6, 256, "2400+"}, {1320, 109, 6, 256, "1500+"}, {1319, 109, 6, 256, ""},
        {1365, 109, 6, 256, "1500+"}, {1366, 109, 6, 256, "1600+"}, {1933, 109, 6, 256, "2200+"},
        {1934, 109, 6, 256, "2400+"}, {2066, 109, 6, 256, "2400+"}, {2067, 109, 6, 256, "2600+"},
        {2280, 109, 6, 256, "2800+"}, {2281, 109, 6, 256, ""},
        // AMD Athlon XP, 512 KB and other sizes
        {2000, 109, 10, 512, "2800+"}, {1800, 109, 10, 512, "2500+"}, {1799, 109, 10, 512, ""},
        {1966, 109, 10, 512, "2500+"}, {2092, 109, 10, 512, "3000+"}, {2266, 109, 10, 512, "3200+"},
        {2267, 109, 10, 512, ""},      {2000, 109, 6, 64, ""},
        {2000, 109, 6, 256 + 65536, ""},  // sizes are compared whole, not in 16 bits
        // Cyrix, NexGen, Rise
        {95, 503, 0, 0, "PR75"},   {125, 503, 0, 0, "PR90"},  {126, 503, 0, 0, ""},
        {75, 504, 0, 0, "PR90"},   {74, 504, 0, 0, ""},       {128, 504, 0, 0, "PR150"},
        {155, 504, 0, 0, "PR200"}, {156, 504, 0, 0, ""},      {66, 601, 0, 0, "PR75"},
        {77, 601, 0, 0, "PR80"},   {116, 601, 0, 0, "PR120"}, {117, 601, 0, 0, ""},
        {150, 701, 0, 0, "PR166"}, {195, 701, 0, 0, "PR233"}, {255, 701, 0, 0, "PR366"},
        {256, 701, 0, 0, ""},
        // codes without a rule
        {2000, 308, 2, 512, ""},   {100, 0, 0, 0, ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(RatingText(r.mhz, r.code, r.model, r.l2kb), r.expected)
            << r.mhz << " MHz code " << r.code << " model " << r.model << " L2 " << r.l2kb;
}

TEST(RatingText, Athlon64UsesTheModelRating) {
    EXPECT_EQ(RatingText(2000, 111, 15, 512, "3200+"), "3200+");
    EXPECT_EQ(RatingText(1, 111, 15, 512, "3200+"), "3200+");
    EXPECT_EQ(RatingText(2000, 111, 15, 512, ""), "");
}

TEST(MeasureClock, LivePlatformRoughlyAgreesWithItself) {
    // Half a second of the real counter; only checks that the platform
    // layer works at all and leaves the scheduling policy and nice value as it found them.
    auto p = MakeLiveMachine();
    int policy_before = 0, policy_after = 0;
    sched_param param_before{}, param_after{};
    pthread_getschedparam(pthread_self(), &policy_before, &param_before);
    const int nice_before = getpriority(PRIO_PROCESS, 0);
    const double mhz = MeasureClock(*p);
    pthread_getschedparam(pthread_self(), &policy_after, &param_after);
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), nice_before);
    EXPECT_EQ(policy_before, policy_after);
    EXPECT_EQ(param_before.sched_priority, param_after.sched_priority);
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_GT(mhz, 100.0);
    EXPECT_LT(mhz, 8590.0);
#else
    EXPECT_EQ(mhz, 0.0);
#endif

    // The busy-core run binds the thread to one processor and lets it go
    // again, and raises and restores its priority as the counter run does.
    cpu_set_t allowed_before, allowed_after;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed_before, &allowed_before), 0);
    const ClockReading busy = MeasureClock(*p, ClockMethod::kBusyCore);
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed_after, &allowed_after), 0);
    EXPECT_TRUE(CPU_EQUAL(&allowed_before, &allowed_after));
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), nice_before);
    pthread_getschedparam(pthread_self(), &policy_after, &param_after);
    EXPECT_EQ(policy_before, policy_after);
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_GE(busy.processor, 0);
    EXPECT_GT(busy.coremhz, 100.0);
#endif
}

}  // namespace
}  // namespace kest
