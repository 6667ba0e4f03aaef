#include "cpu/instruction_sets.h"

#include <initializer_list>

namespace kest {

namespace {

// One CPUID bit: the word of CpuidData and the bit in it.
struct CpuidBit {
    uint32_t CpuidData::*word;
    int bit;
};

bool Has(const CpuidData& cpu, CpuidBit b) { return ((cpu.*(b.word) >> b.bit) & 1u) != 0; }

bool HasAll(const CpuidData& cpu, std::initializer_list<CpuidBit> bits) {
    for (CpuidBit b : bits)
        if (!Has(cpu, b)) return false;
    return true;
}

constexpr auto kEdx1 = &CpuidData::featurs1;
constexpr auto kEcx1 = &CpuidData::featurs2;
constexpr auto kEdxE = &CpuidData::feature1;
constexpr auto kEcxE = &CpuidData::ext1_ecx;
constexpr auto kEbx7 = &CpuidData::l7s0_ebx;
constexpr auto kEcx7 = &CpuidData::l7s0_ecx;
constexpr auto kEdx7 = &CpuidData::l7s0_edx;
constexpr auto kEax71 = &CpuidData::l7s1_eax;

struct LaterSet {
    const char* name;
    CpuidBit bit;
};

constexpr LaterSet kLaterSets[] = {
    {"SSSE3", {kEcx1, 9}},          {"SSE4.1", {kEcx1, 19}},          {"SSE4.2", {kEcx1, 20}},
    {"SSE4A", {kEcxE, 6}},          {"AVX", {kEcx1, 28}},             {"AVX2", {kEbx7, 5}},
    {"FMA3", {kEcx1, 12}},          {"FMA4", {kEcxE, 16}},            {"XOP", {kEcxE, 11}},
    {"F16C", {kEcx1, 29}},          {"BMI1", {kEbx7, 3}},             {"BMI2", {kEbx7, 8}},
    {"AVX-512F", {kEbx7, 16}},      {"AVX-512DQ", {kEbx7, 17}},       {"AVX-512CD", {kEbx7, 28}},
    {"AVX-512BW", {kEbx7, 30}},     {"AVX-512VL", {kEbx7, 31}},       {"AVX-512IFMA", {kEbx7, 21}},
    {"AVX-512PF", {kEbx7, 26}},     {"AVX-512ER", {kEbx7, 27}},       {"AVX-512VBMI", {kEcx7, 1}},
    {"AVX-512VBMI2", {kEcx7, 6}},   {"AVX-512VNNI", {kEcx7, 11}},     {"AVX-512BITALG", {kEcx7, 12}},
    {"AVX-512VPOPCNTDQ", {kEcx7, 14}}, {"AVX-512-4VNNIW", {kEdx7, 2}}, {"AVX-512-4FMAPS", {kEdx7, 3}},
    {"AVX-512VP2INTERSECT", {kEdx7, 8}}, {"AVX-512FP16", {kEdx7, 23}}, {"AVX-512BF16", {kEax71, 5}},
    {"AVX-VNNI", {kEax71, 4}},      {"AVX-IFMA", {kEax71, 23}},       {"AES", {kEcx1, 25}},
    {"PCLMULQDQ", {kEcx1, 1}},      {"SHA", {kEbx7, 29}},             {"SHA512", {kEax71, 0}},
    {"SM3", {kEax71, 1}},           {"SM4", {kEax71, 2}},             {"VAES", {kEcx7, 9}},
    {"VPCLMULQDQ", {kEcx7, 10}},    {"GFNI", {kEcx7, 8}},             {"AMX-TILE", {kEdx7, 24}},
    {"AMX-BF16", {kEdx7, 22}},      {"AMX-INT8", {kEdx7, 25}},        {"AMX-FP16", {kEax71, 21}},
};

}  // namespace

int X86_64Level(const CpuidData& cpu) {
    // Baseline: long mode with CMOV, CX8, FPU, FXSR, MMX, SSE, SSE2. SYSCALL
    // is not asked: Intel processors report it only to 64-bit code, and
    // every processor with long mode has it there.
    if (!HasAll(cpu, {{kEdx1, 0}, {kEdx1, 8}, {kEdx1, 15}, {kEdx1, 23}, {kEdx1, 24}, {kEdx1, 25}, {kEdx1, 26},
                      {kEdxE, 29}}))
        return 0;
    // v2: CMPXCHG16B, LAHF/SAHF, POPCNT, SSE3, SSE4.1, SSE4.2, SSSE3.
    if (!HasAll(cpu, {{kEcx1, 13}, {kEcxE, 0}, {kEcx1, 23}, {kEcx1, 0}, {kEcx1, 19}, {kEcx1, 20}, {kEcx1, 9}}))
        return 1;
    // v3: AVX, AVX2, BMI1, BMI2, F16C, FMA, LZCNT, MOVBE, OSXSAVE.
    if (!HasAll(cpu, {{kEcx1, 28}, {kEbx7, 5}, {kEbx7, 3}, {kEbx7, 8}, {kEcx1, 29}, {kEcx1, 12}, {kEcxE, 5},
                      {kEcx1, 22}, {kEcx1, 27}}))
        return 2;
    // v4: AVX512F, AVX512BW, AVX512CD, AVX512DQ, AVX512VL.
    if (!HasAll(cpu, {{kEbx7, 16}, {kEbx7, 30}, {kEbx7, 28}, {kEbx7, 17}, {kEbx7, 31}})) return 3;
    return 4;
}

std::string X86_64LevelText(int level) {
    return level <= 0 ? std::string() : "x86-64-v" + std::to_string(level);
}

std::vector<std::string> LaterSets(const CpuidData& cpu) {
    std::vector<std::string> out;
    for (const LaterSet& s : kLaterSets)
        if (Has(cpu, s.bit)) out.emplace_back(s.name);
    return out;
}

}  // namespace kest
