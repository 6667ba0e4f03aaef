// A CPUID dump as a user may give it to kestrune-cli --cpuid-dump: the dump
// reader, the CPUID pass, cache decoding, identification, the window's
// model and the four output formats.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cpu/cpuid_dump.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<kest::CpuidSource> source;
    try {
        source = kest::ParseCpuidDump(text, "fuzz.txt");
    } catch (const kest::DumpError& e) {
        // A refusal names the file, and the line where there is one.
        kest::fuzz::Check(std::string_view(e.what()).rfind("fuzz.txt:", 0) == 0, "dump error without the file name");
        return 0;
    }
    const kest::StartupRecords rec = kest::RunStartup(*source);
    // Any clock the user may give with --mhz, chosen by the input's length.
    const double mhz = static_cast<double>(size % 5000) + 0.37;
    kest::fuzz::RenderEverything(rec, nullptr, mhz);
    return 0;
}
