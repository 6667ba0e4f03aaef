// Core clock from the time-stamp counter or from an add chain on the busy
// core; multiplier, bus clock and rating.
#include "cpu/clock.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <string_view>

#include "cpu/format.h"

namespace kest {
namespace {

struct Stamp {
    uint64_t tsc;
    uint64_t ns;
};

// The counter and the monotonic clock read back to back, always in the same
// order so that the gap between the two reads cancels over the interval.
std::optional<Stamp> TakeStamp(Machine& p) {
    auto tsc = p.ReadTsc();
    const uint64_t ns = p.MonotonicNs();
    if (!tsc) return std::nullopt;
    return Stamp{*tsc, ns};
}

// Fixed-point text with '.' as the decimal separator whatever the locale.
std::string Fixed(double v, int decimals) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return {};
    return std::string(buf, res.ptr);
}

// Counter ticks per microsecond over an interval. Only the low half of the
// tick difference counts: clocks above 2^32 ticks per interval wrap around.
double TicksPerMicrosecond(uint64_t tsc0, uint64_t tsc1, uint64_t ns0, uint64_t ns1) {
    const uint32_t ticks = uint32_t(tsc1 - tsc0);
    if (ns1 <= ns0) return 0;
    return double(ticks) / (double(ns1 - ns0) / 1000.0);
}

// The busy-core runs: each of kRunAdds additions (about 3 ms at 3 GHz),
// at least kMinRuns of them, then more until kBusyNs of the window have
// passed (a core that was idle may need a few milliseconds to reach its
// clock), never more than kMaxRuns and never past kBusyLimitNs, so that a
// very slow core still fits in the half second.
constexpr uint64_t kRunAdds = uint64_t{1} << 23;
static_assert(kRunAdds % kChainBlockAdds == 0);
constexpr int kMinRuns = 3;
constexpr int kMaxRuns = 16;
constexpr uint64_t kBusyNs = 40'000'000;
constexpr uint64_t kBusyLimitNs = 250'000'000;
constexpr uint64_t kWindowMs = 500;

ClockReading MeasureBusyCore(Machine& machine) {
    ClockReading r;
    r.method = ClockMethod::kBusyCore;
    PinnedThread pinned(machine);
    RaisedPriority raised(machine);
    r.processor = pinned.Processor();
    r.core_type_leaf = machine.CoreTypeLeaf();
    machine.SleepMs(10);

    const auto tsc0 = machine.ReadTsc();
    const uint64_t start = machine.MonotonicNs();
    double best = 0;
    for (int run = 1; run <= kMaxRuns; ++run) {
        const uint64_t t0 = machine.MonotonicNs();
        if (!machine.RunAddChain(kRunAdds)) break;
        const uint64_t t1 = machine.MonotonicNs();
        // Additions per microsecond: one per clock, so MHz.
        if (t1 > t0) best = std::max(best, double(kRunAdds) / (double(t1 - t0) / 1000.0));
        const uint64_t busy = t1 - start;
        if (busy >= kBusyLimitNs || (run >= kMinRuns && busy >= kBusyNs)) break;
    }
    r.coremhz = best;

    // The rest of the half second, over which the counter's ticks count.
    const uint64_t spent_ms = (machine.MonotonicNs() - start) / 1'000'000;
    if (spent_ms < kWindowMs) machine.SleepMs(unsigned(kWindowMs - spent_ms));
    const auto tsc1 = machine.ReadTsc();
    const uint64_t end = machine.MonotonicNs();
    if (tsc0 && tsc1) r.tscmhz = TicksPerMicrosecond(*tsc0, *tsc1, start, end);
    return r;
}

double RoundOneDecimal(double x) { return double(RoundHalfEven(x * 10)) / 10; }

struct RatingRow {
    int64_t lo, hi;
    const char* text;
};

std::string Pick(int64_t mhz, std::initializer_list<RatingRow> rows) {
    for (const RatingRow& r : rows)
        if (mhz >= r.lo && mhz <= r.hi) return r.text;
    return {};
}

}  // namespace

double MeasureClock(Machine& machine) {
    RaisedPriority raised(machine);
    machine.SleepMs(10);
    const auto start = TakeStamp(machine);
    if (!start) return 0;
    machine.SleepMs(500);
    const auto end = TakeStamp(machine);
    if (!end) return 0;
    return TicksPerMicrosecond(start->tsc, end->tsc, start->ns, end->ns);
}

std::string MhzText(double mhz) { return Fixed(mhz, 2) + " MHz"; }

std::string_view ClockMethodName(ClockMethod method) {
    switch (method) {
        case ClockMethod::kTsc:
            return "tsc";
        case ClockMethod::kBusyCore:
            return "busy core";
        case ClockMethod::kGiven:
            return "given";
        case ClockMethod::kNone:
            return "none";
    }
    return {};
}

ClockReading MeasureClock(Machine& machine, ClockMethod method) {
    if (method == ClockMethod::kBusyCore) return MeasureBusyCore(machine);
    ClockReading r;
    r.coremhz = r.tscmhz = MeasureClock(machine);
    return r;
}

ClockReading MeasureClockOnOneProcessor(Machine& machine, ClockMethod method) {
    PinnedThread pinned(machine);
    return MeasureClock(machine, method);
}

std::string RatingText(int64_t mhz, uint16_t code, uint16_t model, uint32_t l2kb,
                       const std::string& modelrating) {
    switch (code) {
        case 103:  // AMD K5
            if (model == 0) return Pick(mhz, {{70, 85, "PR75"}, {86, 95, "PR90"}, {96, 110, "PR100"}});
            if (model <= 3) return Pick(mhz, {{85, 95, "PR120"}, {96, 109, "PR133"}, {110, 120, "PR166"}});
            return {};
        case 109:  // AMD Athlon XP
            if (l2kb == 256)
                return Pick(mhz, {{1320, 1365, "1500+"}, {1366, 1433, "1600+"}, {1434, 1499, "1700+"},
                                  {1500, 1566, "1800+"}, {1567, 1633, "1900+"}, {1634, 1699, "2000+"},
                                  {1700, 1766, "2100+"}, {1767, 1933, "2200+"}, {1934, 2066, "2400+"},
                                  {2067, 2145, "2600+"}, {2146, 2200, "2700+"}, {2201, 2280, "2800+"}});
            if (l2kb == 512)
                return Pick(mhz, {{1800, 1966, "2500+"}, {1967, 2091, "2800+"}, {2092, 2180, "3000+"},
                                  {2181, 2266, "3200+"}});
            return {};
        case 111:  // AMD Athlon 64: the identification's model rating
            return modelrating;
        case 503:  // Cyrix 5x86
            return Pick(mhz, {{95, 115, "PR75"}, {116, 125, "PR90"}});
        case 504:  // Cyrix 6x86
            return Pick(mhz, {{75, 95, "PR90"}, {96, 105, "PR120"}, {106, 115, "PR133"},
                              {116, 128, "PR150"}, {129, 141, "PR166"}, {142, 155, "PR200"}});
        case 601:  // NexGen Nx586
            return Pick(mhz, {{66, 72, "PR75"}, {73, 77, "PR80"}, {78, 88, "PR90"},
                              {89, 99, "PR100"}, {100, 107, "PR110"}, {108, 116, "PR120"}});
        case 701:  // Rise mP6
            return Pick(mhz, {{150, 184, "PR166"}, {185, 195, "PR233"}, {196, 215, "PR266"},
                              {216, 242, "PR333"}, {243, 255, "PR366"}});
        default:
            return {};
    }
}

ClockInfo ComputeClockInfo(double coremhz, uint16_t extclock, uint16_t curspeed,
                           uint16_t intprocn, uint16_t st_model, uint32_t level2cs,
                           const std::string& modelrating) {
    ClockReading r;
    r.coremhz = r.tscmhz = coremhz;
    return ComputeClockInfo(r, extclock, curspeed, intprocn, st_model, level2cs, modelrating);
}

ClockInfo ComputeClockInfo(const ClockReading& reading, uint16_t extclock, uint16_t curspeed,
                           uint16_t intprocn, uint16_t st_model, uint32_t level2cs,
                           const std::string& modelrating) {
    ClockInfo ci;
    const double coremhz = reading.coremhz;
    ci.coremhz = coremhz;
    ci.tscmhz = reading.tscmhz;
    ci.method = ClockMethodName(reading.method);

    // Multiplier and bus clock from the firmware's clocks. A zero clock, or a
    // multiplier that rounds to 0, leaves both texts empty. The busy core's
    // clock is a true core clock: over the external clock it gives the
    // multiplier, and multiplier times external clock is the shown clock.
    const bool busy = reading.method == ClockMethod::kBusyCore;
    const double ratio_of = busy ? coremhz : double(curspeed);
    if (extclock != 0 && ratio_of != 0) {
        ci.multiplier = RoundOneDecimal(double(RoundHalfEven(ratio_of / extclock * 10)) / 10);
        if (ci.multiplier != 0) {
            ci.busmhz = busy ? double(extclock) : coremhz / ci.multiplier;
            ci.multtext = Fixed(ci.multiplier, 1);
            if (ci.multtext.size() < 2) ci.multtext.insert(0, 2 - ci.multtext.size(), ' ');
            ci.bustext = MhzText(ci.busmhz);
        }
    }

    // The integer clock is what the two-decimal text shows before its
    // separator: 1999.996 MHz reads "2000.00 MHz" and counts as 2000.
    ci.coretext = MhzText(coremhz);
    if (ci.coretext.size() > 7) {
        const std::string_view whole(ci.coretext.data(), ci.coretext.size() - 7);
        int64_t v = 0;
        if (std::from_chars(whole.data(), whole.data() + whole.size(), v).ec == std::errc()) ci.mhzint = v;
    }

    ci.rating = RatingText(ci.mhzint, intprocn, st_model, level2cs, modelrating);
    return ci;
}

}  // namespace kest
