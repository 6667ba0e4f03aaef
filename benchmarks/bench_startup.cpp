// Start-up cost: the CPUID pass, the cache decoding and the identification,
// from the processor we run on and from a saved dump.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "cpu/cache_info.h"
#include "cpu/cpuid_dump.h"
#include "cpu/cpuid_pass.h"
#include "ident/startup.h"

namespace kest {
namespace {

// A dump of this machine's processor in the "CPUID llllllll: a-b-c-d [SL nn]"
// form, so the dump benchmarks read as many leaves as a real dump has.
std::string DumpOfThisProcessor() {
    auto live = MakeLiveCpuidSource();
    std::string text = "------[ Logical CPU #0 ]------\n";
    auto line = [&](uint32_t leaf, uint32_t sub, bool note) {
        const CpuidRegs r = live->Query(leaf, sub);
        char buf[96];
        std::snprintf(buf, sizeof buf, "CPUID %08X: %08X-%08X-%08X-%08X", leaf, r.eax, r.ebx, r.ecx, r.edx);
        text += buf;
        if (note) {
            std::snprintf(buf, sizeof buf, " [SL %02X]", sub);
            text += buf;
        }
        text += '\n';
        return r;
    };
    auto leaves = [&](uint32_t first) {
        const uint32_t last = live->Query(first).eax;
        for (uint32_t leaf = first; leaf <= last && leaf - first < 0x100; ++leaf) {
            if (leaf == 4 || leaf == 0x8000001D) {
                for (uint32_t sub = 0; sub < 16; ++sub)
                    if ((line(leaf, sub, true).eax & 0x1F) == 0) break;
            } else {
                line(leaf, 0, false);
            }
        }
    };
    leaves(0);
    leaves(0x80000000);
    return text;
}

void BM_CpuidPassLive(benchmark::State& state) {
    auto live = MakeLiveCpuidSource();
    for (auto _ : state) benchmark::DoNotOptimize(RunCpuidPass(*live));
}
BENCHMARK(BM_CpuidPassLive)->Unit(benchmark::kMicrosecond);

void BM_StartupLive(benchmark::State& state) {
    auto live = MakeLiveCpuidSource();
    for (auto _ : state) benchmark::DoNotOptimize(RunStartup(*live));
}
BENCHMARK(BM_StartupLive)->Unit(benchmark::kMicrosecond);

void BM_ParseDump(benchmark::State& state) {
    const std::string text = DumpOfThisProcessor();
    for (auto _ : state) benchmark::DoNotOptimize(ParseCpuidDump(text, "bench"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseDump)->Unit(benchmark::kMicrosecond);

// The dump parsed once, outside the timing.
void BM_CpuidPassParsedDump(benchmark::State& state) {
    auto dump = ParseCpuidDump(DumpOfThisProcessor(), "bench");
    for (auto _ : state) benchmark::DoNotOptimize(RunCpuidPass(*dump));
}
BENCHMARK(BM_CpuidPassParsedDump)->Unit(benchmark::kMicrosecond);

// Everything a start-up from a dump does: parse, pass, cache decoding,
// identification.
void BM_StartupFromDump(benchmark::State& state) {
    const std::string text = DumpOfThisProcessor();
    for (auto _ : state) {
        auto dump = ParseCpuidDump(text, "bench");
        benchmark::DoNotOptimize(RunStartup(*dump));
    }
}
BENCHMARK(BM_StartupFromDump)->Unit(benchmark::kMicrosecond);

// The identification alone for a later processor that no row names (an
// unknown Intel family 6 model with a brand string): every row of its maker
// is tried before the family fallback.
void BM_IdentifyUnknownLaterModel(benchmark::State& state) {
    CpuidData cpu;
    cpu.cpuid_ok = true;
    cpu.maxcpuid = 0x20;
    cpu.vendorst = "GenuineIntel";
    cpu.stfamily = 6;
    cpu.st_model = 0xF;
    cpu.se_model = 0xF;
    cpu.stepping = 1;
    cpu.ext_name = std::string("      Intel(R) Core(TM) i9-99999K CPU @ 9.90GHz", 48);
    for (auto _ : state) {
        CacheInfo caches;
        benchmark::DoNotOptimize(IdentifyProcessor(cpu, caches));
    }
}
BENCHMARK(BM_IdentifyUnknownLaterModel)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kest
