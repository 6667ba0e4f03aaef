// Which CPUID bit is which: every feature bit the program tests or names is
// one row of cpu/cpuid_bits.inc (word, bit, constant, short name, caption),
// and every user names it by its constant (cpuid_bit::kHtt), never by number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "cpu/cpuid_data.h"

namespace kest {

// The feature words the rows belong to.
enum class CpuidWord : uint8_t {
    L1Edx,   // leaf 1 EDX (featurs1)
    L1Ecx,   // leaf 1 ECX (featurs2)
    E1Edx,   // leaf 0x80000001 EDX (feature1)
    E1Ecx,   // leaf 0x80000001 ECX (ext1_ecx)
    L7Ebx,   // leaf 7 sub-leaf 0 EBX (l7s0_ebx)
    L7Ecx,   // leaf 7 sub-leaf 0 ECX (l7s0_ecx)
    L7Edx,   // leaf 7 sub-leaf 0 EDX (l7s0_edx)
    L71Eax,  // leaf 7 sub-leaf 1 EAX (l7s1_eax)
    E7Edx,   // leaf 0x80000007 EDX (powermgt)
    E8Ebx,   // leaf 0x80000008 EBX (ext8_ebx)
    E21Eax,  // leaf 0x80000021 EAX (ext21_eax)
};

// One bit of one word.
struct CpuidBit {
    CpuidWord word;
    uint8_t bit;
    constexpr uint32_t Mask() const { return uint32_t{1} << bit; }
    constexpr bool operator==(const CpuidBit&) const = default;
};

namespace cpuid_bit {
#define KEST_CPUID_BIT(word, bit, constant, name, caption) inline constexpr CpuidBit constant{CpuidWord::word, bit};
#include "cpu/cpuid_bits.inc"
#undef KEST_CPUID_BIT
}  // namespace cpuid_bit

struct CpuidBitRow {
    CpuidBit id;
    std::string_view name;     // "SSE4.1", "HTT"
    std::string_view caption;  // "SSE4.1 Instructions", "Hyper Threading technology"
};

inline constexpr CpuidBitRow kCpuidBitRows[] = {
#define KEST_CPUID_BIT(word, bit, constant, name, caption) {cpuid_bit::constant, name, caption},
#include "cpu/cpuid_bits.inc"
#undef KEST_CPUID_BIT
};

// The row of a bit; nullptr for a reserved bit (one without a row).
constexpr const CpuidBitRow* FindBitRow(CpuidBit b) {
    for (const CpuidBitRow& r : kCpuidBitRows)
        if (r.id == b) return &r;
    return nullptr;
}

// Whether a register value of the bit's word has the bit set.
constexpr bool BitSet(uint32_t value, CpuidBit b) { return (value & b.Mask()) != 0; }

// The word as the CPUID pass stored it.
constexpr uint32_t WordValue(const CpuidData& cpu, CpuidWord word) {
    switch (word) {
        case CpuidWord::L1Edx: return cpu.featurs1;
        case CpuidWord::L1Ecx: return cpu.featurs2;
        case CpuidWord::E1Edx: return cpu.feature1;
        case CpuidWord::E1Ecx: return cpu.ext1_ecx;
        case CpuidWord::L7Ebx: return cpu.l7s0_ebx;
        case CpuidWord::L7Ecx: return cpu.l7s0_ecx;
        case CpuidWord::L7Edx: return cpu.l7s0_edx;
        case CpuidWord::L71Eax: return cpu.l7s1_eax;
        case CpuidWord::E7Edx: return cpu.powermgt;
        case CpuidWord::E8Ebx: return cpu.ext8_ebx;
        case CpuidWord::E21Eax: return cpu.ext21_eax;
    }
    return 0;
}
constexpr bool Has(const CpuidData& cpu, CpuidBit b) { return BitSet(WordValue(cpu, b.word), b); }

// The seven instruction sets that the window's indicators, the text and HTML
// reports and the database record show, in that order: MMX, extended MMX,
// 3DNow!, 3DNow!+, SSE, SSE2, SSE3.
inline constexpr CpuidBit kIsaIndicators[] = {
    cpuid_bit::kMmx, cpuid_bit::kMmxExt, cpuid_bit::k3DNow, cpuid_bit::k3DNowExt,
    cpuid_bit::kSse, cpuid_bit::kSse2,   cpuid_bit::kSse3,
};
inline constexpr size_t kIsaIndicatorCount = std::size(kIsaIndicators);

// The six power-management flags of the window, in its order.
inline constexpr CpuidBit kPowerIndicators[] = {
    cpuid_bit::kTs, cpuid_bit::kFid, cpuid_bit::kVid, cpuid_bit::kTtp, cpuid_bit::kTmAmd, cpuid_bit::kStc,
};

}  // namespace kest
