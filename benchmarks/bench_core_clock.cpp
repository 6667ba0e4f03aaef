// Cross-check of the busy-core clock: two dependent chains of different
// latency timed against the monotonic clock on the same core, an addition
// of one register to another (one clock each) and a multiplication of two
// registers (three clocks each on current Intel and AMD cores). When both
// give the same clock, the chains measure the core and not the instruction. The chains here are written
// apart from the program's own so that they check it rather than repeat it.
// Run pinned (taskset -c N), as scripts/core_clock_check.sh does, and read
// the label: "add 2966.1 MHz  imul 2965.8 MHz  (-0.01%)", the medians of
// fifteen measurements of each.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

#if defined(__x86_64__) || defined(__i386__)

uint64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &ts);
    return uint64_t(ts.tv_sec) * 1000000000ull + uint64_t(ts.tv_nsec);
}

// Nanoseconds for `blocks` x 100 dependent additions.
uint64_t TimeAdds(uint64_t blocks) {
    unsigned long acc = 0;
    const unsigned long step = 3;
    const uint64_t t0 = NowNs();
    for (uint64_t i = 0; i < blocks; ++i)
        __asm__ volatile(".rept 100\n\tadd %1, %0\n\t.endr" : "+r"(acc) : "r"(step));
    return NowNs() - t0;
}

// Nanoseconds for `blocks` x 100 dependent multiplications.
uint64_t TimeImuls(uint64_t blocks) {
    unsigned long acc = 1;
    const unsigned long factor = 1;
    const uint64_t t0 = NowNs();
    for (uint64_t i = 0; i < blocks; ++i)
        __asm__ volatile(".rept 100\n\timul %1, %0\n\t.endr" : "+r"(acc) : "r"(factor));
    return NowNs() - t0;
}

// One measurement as the program makes it: runs of about 8.4 million clocks
// for at least 40 ms and at least three runs, the fastest run counting.
double Measure(uint64_t (*run)(uint64_t), uint64_t blocks, double clocks_per_op) {
    const double clocks = double(blocks) * 100 * clocks_per_op;
    const uint64_t start = NowNs();
    double best = 0;
    for (int n = 1;; ++n) {
        const uint64_t ns = run(blocks);
        if (ns > 0) best = std::max(best, clocks * 1000.0 / double(ns));
        if (n >= 3 && NowNs() - start >= 40'000'000) break;
    }
    return best;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Each iteration makes one measurement with each chain, one after the
// other, so that both see the same state of the core; the medians of the
// measurements are compared.
void BM_CoreClockChains(benchmark::State& state) {
    constexpr uint64_t kAddBlocks = (uint64_t{1} << 23) / 100;
    constexpr uint64_t kImulBlocks = kAddBlocks / 3;
    std::vector<double> adds, imuls;
    for (auto _ : state) {
        adds.push_back(Measure(TimeAdds, kAddBlocks, 1));
        imuls.push_back(Measure(TimeImuls, kImulBlocks, 3));
    }
    const double add_mhz = Median(adds), imul_mhz = Median(imuls);
    state.counters["add_MHz"] = add_mhz;
    state.counters["imul_MHz"] = imul_mhz;
    char label[96];
    std::snprintf(label, sizeof label, "add %.1f MHz  imul %.1f MHz  (%+.2f%%)", add_mhz, imul_mhz,
                  add_mhz > 0 ? (imul_mhz / add_mhz - 1) * 100 : 0.0);
    state.SetLabel(label);
}
BENCHMARK(BM_CoreClockChains)->Unit(benchmark::kMillisecond)->Iterations(15);

#endif

}  // namespace
