#include "cpu/instruction_sets.h"

#include <initializer_list>

namespace kest {

namespace {

namespace b = cpuid_bit;

bool HasAll(const CpuidData& cpu, std::initializer_list<CpuidBit> bits) {
    for (CpuidBit bit : bits)
        if (!Has(cpu, bit)) return false;
    return true;
}

// The sets after SSE3, in the order they are listed; each is printed by its
// short name in the bit table.
constexpr CpuidBit kLaterSets[] = {
    b::kSsse3,        b::kSse41,         b::kSse42,         b::kSse4a,        b::kAvx,
    b::kAvx2,         b::kFma3,          b::kFma4,          b::kXop,          b::kF16c,
    b::kBmi1,         b::kBmi2,          b::kAvx512f,       b::kAvx512dq,     b::kAvx512cd,
    b::kAvx512bw,     b::kAvx512vl,      b::kAvx512ifma,    b::kAvx512pf,     b::kAvx512er,
    b::kAvx512vbmi,   b::kAvx512vbmi2,   b::kAvx512vnni,    b::kAvx512bitalg, b::kAvx512vpopcntdq,
    b::kAvx5124vnniw, b::kAvx5124fmaps,  b::kAvx512vp2intersect, b::kAvx512fp16, b::kAvx512bf16,
    b::kAvxVnni,      b::kAvxIfma,       b::kAes,           b::kPclmulqdq,    b::kSha,
    b::kSha512,       b::kSm3,           b::kSm4,           b::kVaes,         b::kVpclmulqdq,
    b::kGfni,         b::kAmxTile,       b::kAmxBf16,       b::kAmxInt8,      b::kAmxFp16,
};

}  // namespace

int X86_64Level(const CpuidData& cpu) {
    // Baseline: long mode with CMOV, CX8, FPU, FXSR, MMX, SSE, SSE2. SYSCALL
    // is not asked: Intel processors report it only to 64-bit code, and
    // every processor with long mode has it there.
    if (!HasAll(cpu, {b::kFpu, b::kCx8, b::kCmov, b::kMmx, b::kFxsr, b::kSse, b::kSse2, b::kLm}))
        return 0;
    // v2: CMPXCHG16B, LAHF/SAHF, POPCNT, SSE3, SSE4.1, SSE4.2, SSSE3.
    if (!HasAll(cpu, {b::kCx16, b::kLahfSahf, b::kPopcnt, b::kSse3, b::kSse41, b::kSse42, b::kSsse3}))
        return 1;
    // v3: AVX, AVX2, BMI1, BMI2, F16C, FMA, LZCNT, MOVBE, OSXSAVE.
    if (!HasAll(cpu, {b::kAvx, b::kAvx2, b::kBmi1, b::kBmi2, b::kF16c, b::kFma3, b::kAbm, b::kMovbe, b::kOsxsave}))
        return 2;
    // v4: AVX512F, AVX512BW, AVX512CD, AVX512DQ, AVX512VL.
    if (!HasAll(cpu, {b::kAvx512f, b::kAvx512bw, b::kAvx512cd, b::kAvx512dq, b::kAvx512vl})) return 3;
    return 4;
}

std::string X86_64LevelText(int level) {
    return level <= 0 ? std::string() : "x86-64-v" + std::to_string(level);
}

std::vector<std::string> LaterSets(const CpuidData& cpu) {
    std::vector<std::string> out;
    for (CpuidBit set : kLaterSets)
        if (Has(cpu, set)) out.emplace_back(FindBitRow(set)->name);
    return out;
}

}  // namespace kest
