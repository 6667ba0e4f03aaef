#include "record/memtestr.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "cpu/format.h"

namespace kest {

std::string MemtestrText(const ThroughputAverages& mbps) {
    auto digits = [](double v) {
        const int64_t hundredths = std::clamp<int64_t>(RoundHalfEven(v * 100.0), 0, UINT32_MAX);
        return HexText(static_cast<uint32_t>(hundredths), false);
    };
    return digits(mbps.read) + digits(mbps.write) + digits(mbps.copy);
}

std::optional<ThroughputAverages> ReadMemtestr(std::string_view memtestr) {
    if (memtestr.size() != 24) return std::nullopt;
    double v[3] = {};
    bool any = false;
    for (size_t i = 0; i < 3; ++i) {
        uint32_t n = 0;
        const char* b = memtestr.data() + i * 8;
        auto [p, ec] = std::from_chars(b, b + 8, n, 16);
        if (ec != std::errc() || p != b + 8) return std::nullopt;
        v[i] = n / 100.0;
        any = any || n;
    }
    if (!any) return std::nullopt;
    return ThroughputAverages{v[0], v[1], v[2]};
}

}  // namespace kest
