// Where CPUID reports the instruction sets that the window's indicators, the
// text and HTML reports and the database record show.
#pragma once

namespace kest::isa_bit {

// Leaf 1 EDX (featurs1).
inline constexpr int kMmx = 23;
inline constexpr int kSse = 25;
inline constexpr int kSse2 = 26;
// Leaf 1 ECX (featurs2).
inline constexpr int kSse3 = 0;
// Leaf 0x80000001 EDX (feature1).
inline constexpr int kExtMmx = 22;
inline constexpr int k3DNowPlus = 30;
inline constexpr int k3DNow = 31;

}  // namespace kest::isa_bit
