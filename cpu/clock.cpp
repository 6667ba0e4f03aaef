// Core clock from the time-stamp counter; multiplier, bus clock and rating.
#include "cpu/clock.h"

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

    // Only the low half of the difference counts: clocks above 2^32 ticks
    // per interval wrap around.
    const uint32_t ticks = uint32_t(end->tsc - start->tsc);
    if (end->ns <= start->ns) return 0;
    const double elapsed_us = double(end->ns - start->ns) / 1000.0;
    return double(ticks) / elapsed_us;
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
    ClockInfo ci;
    ci.coremhz = coremhz;

    // Multiplier and bus clock from the firmware's clocks. A zero clock, or a
    // multiplier that rounds to 0, leaves both texts empty.
    if (extclock != 0 && curspeed != 0) {
        ci.multiplier = RoundOneDecimal(double(RoundHalfEven(double(curspeed) / extclock * 10)) / 10);
        if (ci.multiplier != 0) {
            ci.busmhz = coremhz / ci.multiplier;
            ci.multtext = Fixed(ci.multiplier, 1);
            if (ci.multtext.size() < 2) ci.multtext.insert(0, 2 - ci.multtext.size(), ' ');
            ci.bustext = Fixed(ci.busmhz, 2) + " MHz";
        }
    }

    // The integer clock is what the two-decimal text shows before its
    // separator: 1999.996 MHz reads "2000.00 MHz" and counts as 2000.
    ci.coretext = Fixed(coremhz, 2) + " MHz";
    if (ci.coretext.size() > 7) {
        const std::string_view whole(ci.coretext.data(), ci.coretext.size() - 7);
        int64_t v = 0;
        if (std::from_chars(whole.data(), whole.data() + whole.size(), v).ec == std::errc()) ci.mhzint = v;
    }

    ci.rating = RatingText(ci.mhzint, intprocn, st_model, level2cs, modelrating);
    return ci;
}

}  // namespace kest
