// The rows of the name tables and what each column means. Internal to the
// identification; the tables themselves live in intel_table.cpp,
// amd_table.cpp and other_table.cpp, one entry per row of the name tables.
//
// A row is applied when its keys match. Every matching row is applied, in
// table order, so a row keyed on "any" L2 and a row keyed on one L2 size
// both apply (Intel family 15 model 1 stepping 3). Rows that carry values
// for a whole model ("model-level values") come before the rows that split
// that model, so the split rows can override them.
//
// Text cells: nullptr (kUnset) means the row does not assign the field, so
// it keeps what an earlier row gave it, or stays empty; kCleared means the
// row sets the text to empty. Texts are Windows-1252 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace kest::ident {

using Text = const char*;
inline constexpr Text kUnset = nullptr;
inline constexpr Text kCleared = "";

// One key column: any value, one value, every value but one, or a closed range.
struct Key {
    enum Op : uint8_t { kAny, kEq, kNe, kRange };
    Op op = kAny;
    uint32_t lo = 0, hi = 0;

    constexpr bool Matches(uint32_t v) const {
        switch (op) {
            case kAny: return true;
            case kEq: return v == lo;
            case kNe: return v != lo;
            case kRange: return v >= lo && v <= hi;
        }
        return false;
    }
};

constexpr Key Any() { return {}; }
constexpr Key Is(uint32_t v) { return {Key::kEq, v, v}; }
constexpr Key Not(uint32_t v) { return {Key::kNe, v, v}; }
constexpr Key Range(uint32_t lo, uint32_t hi) { return {Key::kRange, lo, hi}; }

// Caches filled in for processors whose CPUID does not describe them.
enum class CacheSet : uint8_t {
    kNone,
    kU8,   // 486: one unified 8 KB L1
    kU16,  // 486DX4, 5x86: one unified 16 KB L1
    kP5,   // Pentium
    kP55,  // Pentium MMX
    kK5,   // K5 model 0
};

// Family-level rows apply to every model of the family, also to processors
// whose extended family or model is set; model-level rows only to the
// processors the tables were written for (extended family and model 0).
enum class Level : uint8_t { kFamily, kModel };

// One field whose text depends on the stepping inside a single row
// (a Mendocino's package, an Athlon 64's revision). Steppings that no case
// names leave the field as the rest of the row set it.
enum class SteppingField : uint8_t { kNone, kCorecode, kPlatform };

struct SteppingText {
    uint8_t lo = 0, hi = 0;
    Text text = kUnset;
};

struct SteppingSplit {
    SteppingField field = SteppingField::kNone;
    std::array<SteppingText, 3> cases{};
};

constexpr SteppingSplit SplitBy(SteppingField field, std::initializer_list<SteppingText> cases) {
    SteppingSplit s{field, {}};
    size_t i = 0;
    for (const SteppingText& c : cases) s.cases.at(i++) = c;
    return s;
}

struct NameRow {
    // keys
    Level level = Level::kModel;
    uint8_t family = 0;  // base family
    Key model{};     // base model; ignored for family-level rows
    Key stepping{};
    Key cpu_type{};
    Key l2{};        // level2cs in KB
    // assignments
    Text familynote = kUnset;
    Text procname = kUnset;
    Text corecode = kUnset;
    uint16_t intprocn = 0;  // 0: not assigned (no row sets the code back to 0)
    Text modelnote = kUnset;
    Text platform = kUnset;
    Text techpar1 = kUnset;  // process technology
    Text techpar2 = kUnset;  // transistors
    Text techpar3 = kUnset;  // die size (package for the AMD 386)
    SteppingSplit by_stepping{};
    CacheSet cache = CacheSet::kNone;
    bool no_l2 = false;  // the processor has no L2: islevel2 := false
};

// AMD family 15: the extended brand id (leaf 0x80000001 EBX bits 0-11) read
// as index (bits 8-11) and NN (bits 0-7). The name is
//   [current name if append] + prefix + [mul * NN + add if mul != 0] + suffix
// and, with rating, modelrating is NN + 22 followed by "00+".
struct BrandRow {
    uint8_t index = 0;
    uint16_t intprocn = 0;
    bool append = false;
    Text prefix = kCleared;
    uint16_t mul = 0, add = 0;
    Text suffix = kCleared;
    bool rating = false;
    Text platform = kUnset;
};

std::span<const NameRow> IntelRows();
std::span<const NameRow> AmdRows();
std::span<const BrandRow> AmdBrandRows();
std::span<const NameRow> CentaurRows();
std::span<const NameRow> UmcRows();
std::span<const NameRow> CyrixRows();
std::span<const NameRow> NexGenRows();
std::span<const NameRow> RiseRows();
std::span<const NameRow> SisRows();
std::span<const NameRow> TransmetaRows();
std::span<const NameRow> GeodeRows();

// The vendor trees in the order the vendor string is compared with them.
enum class Tree : uint8_t { kAmd, kCentaur, kIntel, kOther };

struct VendorTree {
    std::string_view vendor;  // the 12 bytes of leaf 0
    Tree tree;
    std::span<const NameRow> (*rows)();
};

std::span<const VendorTree> VendorTrees();

}  // namespace kest::ident
