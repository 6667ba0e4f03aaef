// Vendor strings of CPUID leaf 0 that code tests for by name; the
// identification's dispatch table holds the other makers' strings.
#pragma once

#include <string_view>

namespace kest::vendor {

inline constexpr std::string_view kIntel = "GenuineIntel";
inline constexpr std::string_view kAmd = "AuthenticAMD";
inline constexpr std::string_view kCentaur = "CentaurHauls";  // Centaur, IDT, VIA
inline constexpr std::string_view kZhaoxin = "  Shanghai  ";
inline constexpr std::string_view kHygon = "HygonGenuine";

}  // namespace kest::vendor
