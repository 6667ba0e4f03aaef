// The captions of the 32 bits of each feature word, as the feature-flag page
// and the reports print them: "[0]  Floating-point Unit", "[11] SYSENTER...",
// built from the bit table (cpu/cpuid_bits.inc).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "cpu/cpuid_bits.h"
#include "cpu/cpuid_data.h"
#include "view/controls.h"

namespace kest {

enum class FeaturePage {
    Standard1, Standard2, Extended,
    // The later words.
    Ext1Ecx, L7s0Ebx, L7s0Ecx, L7s0Edx, L7s1Eax, Ext8Ebx, Ext21Eax,
};
inline constexpr size_t kFeaturePages = static_cast<size_t>(FeaturePage::Ext21Eax) + 1;

// Entry i is the complete caption of bit i: "[", i, "]", two blanks for bits
// 0-9 and one for 10-31, then the name.
const std::array<std::string, 32>& FeatureNames(FeaturePage page);

// The three tables by their own names.
inline const std::array<std::string, 32>& StandardPage1Names() { return FeatureNames(FeaturePage::Standard1); }
inline const std::array<std::string, 32>& StandardPage2Names() { return FeatureNames(FeaturePage::Standard2); }
inline const std::array<std::string, 32>& ExtendedNames() { return FeatureNames(FeaturePage::Extended); }

// A feature word read after the first three: where it comes from, how the
// window's menu and the reports call it. One row per word.
struct LaterFeatureWord {
    FeaturePage page;
    uint32_t CpuidData::*word;
    uint32_t leaf;         // the word is read when the maximum leaf admits this one
    const char* caption;   // menu entry of the feature tab
    const char* title;     // heading of its table in the reports
    ControlName action;    // the menu entry
};

// In the order of the menu and the reports.
std::span<const LaterFeatureWord> LaterFeatureWords();
// The row of a later page, nothing for the first three.
const LaterFeatureWord* FindLaterWord(FeaturePage page);
// Whether the maximum leaves of `cpu` admit the word's leaf.
bool WordAdmitted(const CpuidData& cpu, const LaterFeatureWord& w);
// The reports print the later tables only for a processor with leaf 7 or a
// non-zero extended ECX word.
bool HasLaterWords(const CpuidData& cpu);

}  // namespace kest
