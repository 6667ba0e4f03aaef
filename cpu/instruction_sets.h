// The later instruction sets and the x86-64 microarchitecture levels, read
// from the bits of cpu/cpuid_bits.h.
#pragma once

#include <string>
#include <vector>

#include "cpu/cpuid_bits.h"
#include "cpu/cpuid_data.h"

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
