// Intel server dies and the Atom line after the name tables.
#include "ident/later_table.h"

namespace kest::ident {
namespace {

constexpr LaterRow kRows[] = {
    {.family = 0},
};

}  // namespace

std::span<const LaterRow> IntelServerAtomLaterRows() { return std::span(kRows).first(0); }

}  // namespace kest::ident
