// The throughput result as the database record and the window keep it
// (`memtestr`): 24 hex digits, the read, write and copy averages in MB/s
// x 100, eight digits each. Written here and read back here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kest {

// Before any throughput run.
inline constexpr char kMemtestrDefault[] = "000000000000000000000000";

struct ThroughputAverages {
    double read = 0;
    double write = 0;
    double copy = 0;
};

// The 24 digits of the averages: each rounded half to even to a hundredth,
// kept within 0 .. 2^32 - 1 hundredths.
std::string MemtestrText(const ThroughputAverages& mbps);

// The averages back from the 24 digits; nothing when they are not 24
// hexadecimal digits or all zero (no test run).
std::optional<ThroughputAverages> ReadMemtestr(std::string_view memtestr);

}  // namespace kest
