// Centaur/VIA, Zhaoxin and Hygon processors after the name tables.
#include "ident/later_table.h"

namespace kest::ident {
namespace {

constexpr LaterFamily kNoFamilies[] = {{.family = 0}};
constexpr LaterRow kNoRows[] = {{.family = 0}};

constexpr LaterFamily kHygonFamilies[] = {
    {.family = 0x18, .familynote = "24: Hygon Dhyana", .microarch = "Dhyana family"},
};

}  // namespace

std::span<const LaterRow> CentaurLaterRows() { return std::span(kNoRows).first(0); }
std::span<const LaterFamily> CentaurLaterFamilies() { return std::span(kNoFamilies).first(0); }
std::span<const LaterRow> ZhaoxinLaterRows() { return std::span(kNoRows).first(0); }
std::span<const LaterFamily> ZhaoxinLaterFamilies() { return std::span(kNoFamilies).first(0); }
std::span<const LaterRow> HygonLaterRows() { return std::span(kNoRows).first(0); }
std::span<const LaterFamily> HygonLaterFamilies() { return kHygonFamilies; }

}  // namespace kest::ident
