// Core clock measured with the time-stamp counter; multiplier, bus clock and
// performance rating derived from it.
#pragma once

#include <cstdint>
#include <string>

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
};

// Core clock in MHz: counter ticks over a half-second sleep divided by the
// elapsed monotonic time. 0 when the counter cannot be read.
double MeasureClock(Machine& machine);

std::string RatingText(int64_t mhz, uint16_t code, uint16_t model, uint32_t l2kb,
                       const std::string& modelrating = {});

// Everything after the measurement: texts, mhzint, multiplier, bus clock, rating.
ClockInfo ComputeClockInfo(double coremhz, uint16_t extclock, uint16_t curspeed,
                           uint16_t intprocn, uint16_t st_model, uint32_t level2cs,
                           const std::string& modelrating);

}  // namespace kest
