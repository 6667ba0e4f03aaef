// Where CPUID reports the instruction sets that the window's indicators, the
// text and HTML reports and the database record show; the later sets and the
// x86-64 microarchitecture levels built on them.
#pragma once

#include <string>
#include <vector>

#include "cpu/cpuid_data.h"

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

namespace kest {

// The highest x86-64 level whose CPUID bits the processor reports, as the
// x86-64 psABI defines the levels (the AVX levels need OSXSAVE): 1 to 4, or
// 0 for a processor without long mode or the baseline's sets.
int X86_64Level(const CpuidData& cpu);
// "x86-64-v3"; empty for level 0.
std::string X86_64LevelText(int level);

// The short names of the sets after SSE3 that the processor reports
// ("SSSE3", "SSE4.1", "AVX2", "AVX-512F" ...), in a fixed order.
std::vector<std::string> LaterSets(const CpuidData& cpu);

}  // namespace kest
