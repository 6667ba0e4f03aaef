// Product-line codes (ProcessorNames::intprocn) that rules outside the name
// tables test for or set: the window's serial-number, logo and
// Hyper-Threading rules, the identification's Extreme Edition rule and the
// rows for later processors that continue a line of the name tables.
#pragma once

#include <cstdint>

namespace kest::product_line {

inline constexpr uint16_t kPentiumIII = 307;
inline constexpr uint16_t kPentium4 = 308;
inline constexpr uint16_t kPentium4Extreme = 309;  // Pentium 4 with a level 3 cache
inline constexpr uint16_t kPentium4HT = 310;       // Pentium 4 with Hyper-Threading on
inline constexpr uint16_t kCeleronD = 311;
inline constexpr uint16_t kCrusoe = 901;

}  // namespace kest::product_line
