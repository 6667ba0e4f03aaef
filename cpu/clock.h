// Core clock measured with the time-stamp counter, or on a processor whose
// counter runs at a fixed rate with a chain of additions on the busy core;
// multiplier, bus clock and performance rating derived from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cpu/machine.h"

namespace kest {

// Values of one clock run.
struct ClockInfo {
    double coremhz = 0;
    std::string coretext;   // "%.2f MHz"
    int64_t mhzint = 0;
    double multiplier = 0;
    std::string multtext;   // "%2.1f", empty when it cannot be computed
    double busmhz = 0;
    std::string bustext;    // "%.2f MHz", empty when it cannot be computed
    std::string rating;
    double tscmhz = 0;      // the time-stamp counter's rate; 0 when not measured
    std::string method;     // ClockMethodName of how coremhz was obtained
};

// How the core clock of a run is obtained.
enum class ClockMethod : uint8_t {
    kTsc,       // counter ticks over half a second: the counter ticks with the core
    kBusyCore,  // a chain of additions timed on the busy core; the counter's rate beside it
    kGiven,     // taken as given, nothing measured
    kNone,      // nothing measured and nothing given (a dump without a clock)
};

// "tsc", "busy core", "given", "none".
std::string_view ClockMethodName(ClockMethod method);

// What one measurement gives.
struct ClockReading {
    double coremhz = 0;
    double tscmhz = 0;  // the counter's rate; 0 when it was not read
    ClockMethod method = ClockMethod::kTsc;
    int processor = -1;        // logical processor of a busy-core run; -1 unknown
    uint32_t core_type_leaf = 0;  // leaf 0x1A EAX read there; 0 when not read
};

// A clock taken as given: nothing measured.
inline ClockReading GivenClock(double mhz) {
    ClockReading r;
    r.coremhz = mhz;
    r.method = ClockMethod::kGiven;
    return r;
}

// Core clock in MHz: counter ticks over a half-second sleep divided by the
// elapsed monotonic time. 0 when the counter cannot be read.
double MeasureClock(Machine& machine);

// One measurement by `method`. kBusyCore: the thread is bound to its
// processor and raised in priority; after 10 ms it times a few short add
// chains and takes the fastest as the core clock, inside the same half
// second over which it counts the counter's ticks, so it takes no longer
// than the counter alone. kTsc (and any other method): MeasureClock, with
// the counter's rate being the core clock.
ClockReading MeasureClock(Machine& machine, ClockMethod method);
// The same with the calling thread bound, for the whole measurement, to the
// logical processor it runs on when it starts.
ClockReading MeasureClockOnOneProcessor(Machine& machine, ClockMethod method);

// "2400.17 MHz": two decimals and '.' whatever the locale.
std::string MhzText(double mhz);

std::string RatingText(int64_t mhz, uint16_t code, uint16_t model, uint32_t l2kb,
                       const std::string& modelrating = {});

// Everything after the measurement: texts, mhzint, multiplier, bus clock,
// rating. The multiplier is the firmware's current speed over its external
// clock, and the bus clock the core clock over that multiplier; after a
// busy-core measurement the multiplier is the core clock over the external
// clock, and the bus clock the external clock itself.
ClockInfo ComputeClockInfo(const ClockReading& reading, uint16_t extclock, uint16_t curspeed,
                           uint16_t intprocn, uint16_t st_model, uint32_t level2cs,
                           const std::string& modelrating);
// The same for a counter measurement of `coremhz`.
ClockInfo ComputeClockInfo(double coremhz, uint16_t extclock, uint16_t curspeed,
                           uint16_t intprocn, uint16_t st_model, uint32_t level2cs,
                           const std::string& modelrating);

}  // namespace kest
