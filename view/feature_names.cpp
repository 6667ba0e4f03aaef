#include "view/feature_names.h"

namespace kest {
namespace {

// The word each page shows.
CpuidWord WordOfPage(FeaturePage page) {
    switch (page) {
        case FeaturePage::Standard2: return CpuidWord::L1Ecx;
        case FeaturePage::Extended: return CpuidWord::E1Edx;
        case FeaturePage::Ext1Ecx: return CpuidWord::E1Ecx;
        case FeaturePage::L7s0Ebx: return CpuidWord::L7Ebx;
        case FeaturePage::L7s0Ecx: return CpuidWord::L7Ecx;
        case FeaturePage::L7s0Edx: return CpuidWord::L7Edx;
        case FeaturePage::L7s1Eax: return CpuidWord::L71Eax;
        case FeaturePage::Ext8Ebx: return CpuidWord::E8Ebx;
        case FeaturePage::Ext21Eax: return CpuidWord::E21Eax;
        case FeaturePage::Standard1: break;
    }
    return CpuidWord::L1Edx;
}

// The captions of one word from the bit table; a bit without a row is
// "Reserved".
std::array<std::string, 32> Build(CpuidWord word) {
    std::array<std::string, 32> out;
    for (int i = 0; i < 32; ++i) {
        const CpuidBitRow* row = FindBitRow({word, static_cast<uint8_t>(i)});
        const std::string_view name = row ? row->caption : "Reserved";
        out[i] = "[" + std::to_string(i) + "]" + (i < 10 ? "  " : " ") + std::string(name);
    }
    return out;
}

}  // namespace

const std::array<std::string, 32>& FeatureNames(FeaturePage page) {
    static const auto pages = [] {
        std::array<std::array<std::string, 32>, kFeaturePages> all;
        for (size_t p = 0; p < kFeaturePages; ++p) all[p] = Build(WordOfPage(static_cast<FeaturePage>(p)));
        return all;
    }();
    return pages[static_cast<size_t>(page)];
}

namespace {

constexpr LaterFeatureWord kLaterWords[] = {
    {FeaturePage::Ext1Ecx, &CpuidData::ext1_ecx, 0x80000001, "Extended Features (ECX)",
     "Extended Feature Flags (ECX)", ctl::kLffExt1Ecx},
    {FeaturePage::L7s0Ebx, &CpuidData::l7s0_ebx, 7, "Structured Features (leaf 7, EBX)",
     "Structured Feature Flags (leaf 7, EBX)", ctl::kLffL7s0Ebx},
    {FeaturePage::L7s0Ecx, &CpuidData::l7s0_ecx, 7, "Structured Features (leaf 7, ECX)",
     "Structured Feature Flags (leaf 7, ECX)", ctl::kLffL7s0Ecx},
    {FeaturePage::L7s0Edx, &CpuidData::l7s0_edx, 7, "Structured Features (leaf 7, EDX)",
     "Structured Feature Flags (leaf 7, EDX)", ctl::kLffL7s0Edx},
    {FeaturePage::L7s1Eax, &CpuidData::l7s1_eax, 7, "Structured Features (leaf 7.1, EAX)",
     "Structured Feature Flags (leaf 7.1, EAX)", ctl::kLffL7s1Eax},
    {FeaturePage::Ext8Ebx, &CpuidData::ext8_ebx, 0x80000008, "Extended Features (80000008h, EBX)",
     "Extended Feature Flags (80000008h, EBX)", ctl::kLffExt8Ebx},
    {FeaturePage::Ext21Eax, &CpuidData::ext21_eax, 0x80000021, "Extended Features (80000021h, EAX)",
     "Extended Feature Flags (80000021h, EAX)", ctl::kLffExt21Eax},
};

}  // namespace

std::span<const LaterFeatureWord> LaterFeatureWords() { return kLaterWords; }

const LaterFeatureWord* FindLaterWord(FeaturePage page) {
    for (const LaterFeatureWord& w : kLaterWords)
        if (w.page == page) return &w;
    return nullptr;
}

bool WordAdmitted(const CpuidData& cpu, const LaterFeatureWord& w) {
    return w.leaf >= 0x80000000u ? cpu.mxecpuid >= w.leaf : cpu.maxcpuid >= w.leaf;
}

bool HasLaterWords(const CpuidData& cpu) { return cpu.maxcpuid >= 7 || cpu.ext1_ecx != 0; }

}  // namespace kest
