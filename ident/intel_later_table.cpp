// Intel processors after the name tables.
#include "ident/later_table.h"

namespace kest::ident {
namespace {

constexpr LaterFamily kFamilies[] = {
    {.family = 0},
};

constexpr LaterRow kRows[] = {
    {.family = 0},
};

}  // namespace

std::span<const LaterRow> IntelLaterRows() { return std::span(kRows).first(0); }
std::span<const LaterFamily> IntelLaterFamilies() { return std::span(kFamilies).first(0); }

}  // namespace kest::ident
