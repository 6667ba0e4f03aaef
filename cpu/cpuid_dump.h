// CPUID dumps saved by other tools, read as a CPUID source (first logical
// processor only). Three formats are recognised:
//   "CPUID 00000000: 0000000D-68747541-444D4163-69746E65 [notes]"
//   libcpuid's raw "basic_cpuid[1]=00000f29 00020800 00000000 bfebfbff"
//   cpuid -r's "   0x00000004 0x01: eax=0x... ebx=0x... ecx=0x... edx=0x..."
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cpu/cpuid_source.h"

namespace kest {

// A dump that cannot be read; what() names the file and, where it applies,
// the line: "dump.txt:12: ...".
class DumpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Leaves the dump lacks read as zeros. A dump has CPUID (HasCpuid is true).
std::unique_ptr<CpuidSource> LoadCpuidDump(const std::string& path);
// Same, from text already in memory; `name` is used in error messages.
std::unique_ptr<CpuidSource> ParseCpuidDump(std::string_view text, const std::string& name);

}  // namespace kest
