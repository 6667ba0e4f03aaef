// kestrune-cli: the processor report without a window.
#pragma once

#include <iosfwd>

namespace kest {

// Runs the command line; returns the exit code (0 success, 2 bad input or
// failure). Output goes to `out` only when everything succeeded; errors are
// one line on `err`.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace kest
