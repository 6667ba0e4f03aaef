// The captions of the 32 bits of each feature word, as the feature-flag page
// and the reports print them: "[0]  Floating-point Unit", "[11] SYSENTER...".
#pragma once

#include <array>
#include <string>

namespace kest {

enum class FeaturePage { Standard1, Standard2, Extended };

// Entry i is the complete caption of bit i: "[", i, "]", two blanks for bits
// 0-9 and one for 10-31, then the name.
const std::array<std::string, 32>& FeatureNames(FeaturePage page);

// The three tables by their own names.
inline const std::array<std::string, 32>& StandardPage1Names() { return FeatureNames(FeaturePage::Standard1); }
inline const std::array<std::string, 32>& StandardPage2Names() { return FeatureNames(FeaturePage::Standard2); }
inline const std::array<std::string, 32>& ExtendedNames() { return FeatureNames(FeaturePage::Extended); }

}  // namespace kest
