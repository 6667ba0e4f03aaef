#include "cpu/cpuid_bits.h"

namespace kest {
namespace {

// No two rows may name the same bit of the same word, and every bit is one
// of the 32 of its word.
constexpr bool RowsAreDistinct() {
    const size_t n = std::size(kCpuidBitRows);
    for (size_t i = 0; i < n; ++i) {
        if (kCpuidBitRows[i].id.bit > 31) return false;
        for (size_t j = i + 1; j < n; ++j)
            if (kCpuidBitRows[i].id == kCpuidBitRows[j].id) return false;
    }
    return true;
}
static_assert(RowsAreDistinct(), "two rows of cpu/cpuid_bits.inc name the same word and bit");

}  // namespace
}  // namespace kest
