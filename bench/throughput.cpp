#include "bench/throughput.h"

#include <algorithm>

#include "cpu/format.h"

namespace kest {

uint32_t CorrectedCount(uint64_t tsc_start, uint64_t tsc_end) {
    return static_cast<uint32_t>(tsc_end - tsc_start) - kCountCorrection;
}

uint64_t CalibrationCount(uint64_t tsc_start, uint64_t tsc_end) {
    const uint64_t ticks = tsc_end - tsc_start;
    return ticks > kCountCorrection ? ticks - kCountCorrection : 0;
}

size_t VectorReps(size_t bytes) {
    return bytes == 0 ? 1 : std::max<size_t>(1, (kVectorMinBytes + bytes - 1) / bytes);
}

uint32_t AverageCount(const std::array<uint32_t, kPasses>& passes) {
    // Summed in 64 bits: three counts near the top of the 32-bit range must
    // not wrap into a small average.
    const uint64_t sum = uint64_t{passes[1]} + passes[2] + passes[3];
    return static_cast<uint32_t>(sum / 3);
}

int64_t TpValue(uint64_t cps, uint32_t average, int row) {
    if (average == 0) return 0;  // no measurement (or a count of nothing)
    return RoundHalfEven(static_cast<double>(cps) / average * (4.0 * row) * 10000.0);
}

uint32_t SearchRows(const ThroughputCaches& caches) {
    const uint64_t kb = uint64_t{caches.level1dc} + caches.level2cs + caches.level3cs;
    return static_cast<uint32_t>(std::min<uint64_t>(kb / 4, kTpTableRows));
}

// The per-test average:
//  - best starts as the 32 KB block's throughput (row 8);
//  - rows 9 .. 8 + c (never past row 2048) are searched in order; a row
//    strictly below best becomes best and k = row - 1, so row k + 1 is the
//    block with the lowest throughput within the caches above 32 KB;
//  - when such a row exists, the average is the total size of blocks 1 ..
//    k + 1 over the total time of the same rows (rows past the measured ones
//    are left out of both);
//  - otherwise (nothing below the 32 KB value, c = 0, or the test did not
//    run) the average is the 32 KB block's throughput.
// Everything in MB/s.
double TestAverage(const ThroughputState& st, const AverageCounts& counts, int test,
                   uint32_t search_rows, int measured_rows) {
    double best = static_cast<double>(st.tp_table[8][test]) / 10000.0;  // KB/s
    const uint32_t end = std::min<uint32_t>(8 + search_rows, kTpTableRows - 1);
    int k = 0;
    for (uint32_t row = 9; row <= end; ++row) {
        if (static_cast<double>(st.tp_table[row][test]) < best * 10000.0) {
            best = static_cast<double>(st.tp_table[row][test]) / 10000.0;
            k = static_cast<int>(row) - 1;
        }
    }
    const int last = std::min(k + 1, std::clamp(measured_rows, 0, kTpRows));
    uint64_t ticks = 0;
    if (k > 0) {
        for (int r = 1; r <= last; ++r) ticks += counts[r][test];
    }
    if (ticks == 0) return best / 1024.0;
    // Blocks 4, 8, ..., 4 x last KB: 2 x last x (last + 1) KB in all.
    const double kb = 2.0 * last * (last + 1.0);
    return static_cast<double>(st.cps) / static_cast<double>(ticks) * kb / 1024.0;
}

void ComputeResults(const RawCounts& raw, uint64_t cps, const TestSet& ran,
                    const ThroughputCaches& caches, int measured_rows, ThroughputState& st) {
    const int rows = std::clamp(measured_rows, 0, kTpRows);
    for (auto& row : st.tp_table) row.fill(0);
    AverageCounts counts{};
    st.cps = cps;
    st.ran = ran;
    st.rows = rows;

    for (int t = 0; t < kTestCount; ++t) {
        if (!ran[t]) continue;
        for (int r = 1; r <= rows; ++r) {
            counts[r][t] = AverageCount(raw[r][t]);
            st.tp_table[r][t] = TpValue(cps, counts[r][t], r);
        }
    }

    int64_t top = 0;
    for (int r = 1; r <= kTpRows; ++r)
        for (int t = 0; t < kTestCount; ++t) top = std::max(top, st.tp_table[r][t]);
    st.scale_max = static_cast<double>(top) / 10000.0;

    const uint32_t c = SearchRows(caches);
    for (int t = 0; t < kTestCount; ++t) st.averages[t] = TestAverage(st, counts, t, c, rows);
    st.memtestr = MemtestrText({st.averages[kTestRead], st.averages[kTestWrite], st.averages[kTestCopy]});
    st.test_done = true;
}

namespace {

class BlockGuard {
public:
    BlockGuard(ThroughputPlatform& p, uint32_t* block) : p_(p), block_(block) {}
    ~BlockGuard() {
        if (block_) p_.Free(block_);
    }
    BlockGuard(const BlockGuard&) = delete;
    BlockGuard& operator=(const BlockGuard&) = delete;

private:
    ThroughputPlatform& p_;
    uint32_t* block_;
};

// Ticks of one walk over a `bytes` block: the word loop once, or the vector
// loop VectorReps times with the correction taken off the whole count and
// the rest shared out, rounded.
uint32_t MeasureBlock(ThroughputPlatform& platform, VectorWidth vector, ThroughputTest test, uint32_t* block,
                      size_t bytes, uint32_t v) {
    if (vector == VectorWidth::None) return CorrectedCount(0, platform.TimeKernel(test, block, bytes / 4, v));
    const size_t reps = VectorReps(bytes);
    const uint64_t ticks = CalibrationCount(0, platform.TimeVectorKernel(vector, test, block, bytes, reps, v));
    return static_cast<uint32_t>(std::min<uint64_t>((ticks + reps / 2) / reps, UINT32_MAX));
}

uint64_t Calibrate(ThroughputPlatform& platform) {
    const uint64_t t0 = platform.ReadTsc().value_or(0);
    platform.SleepMs(1000);
    const uint64_t t1 = platform.ReadTsc().value_or(0);
    return CalibrationCount(t0, t1);
}

}  // namespace

void RunThroughput(ThroughputPlatform& platform, const ThroughputRunOptions& options,
                   ThroughputState& st, const ThroughputHooks& hooks) {
    const int rows = std::clamp(options.rows, 1, kTpRows);
    for (auto& row : st.tp_table) row.fill(0);
    auto raw = std::make_unique<RawCounts>();  // about 48 KB: not on the stack
    TestSet ran{};
    TestSet refused{};
    uint64_t cps = 0;
    {
        RaisedPriority priority(platform);
        cps = Calibrate(platform);

        for (int t = 0; t < kTestCount; ++t) {
            if (!options.selected[t]) continue;
            int position = 0;
            if (hooks.progress) hooks.progress(position);
            uint32_t* block = platform.Allocate(kBufferBytes);
            if (!block) {
                refused[t] = true;
                if (hooks.message) hooks.message(kInsufficientMemory);
                continue;
            }
            BlockGuard free_block(platform, block);
            const auto test = static_cast<ThroughputTest>(t);
            for (int pass = 0; pass < kPasses; ++pass) {
                for (int r = 1; r <= rows; ++r) {
                    const size_t bytes = size_t{4096} * static_cast<size_t>(r);
                    const uint32_t v = platform.Random();
                    (*raw)[r][t][pass] = MeasureBlock(platform, options.vector, test, block, bytes, v);
                    if (hooks.progress) hooks.progress(++position);
                }
            }
            ran[t] = true;
        }
    }
    ComputeResults(*raw, cps, ran, options.caches, rows, st);
    st.out_of_memory = refused;
    st.vector = options.vector;
}

BlockListResult RunThroughputBlocks(ThroughputPlatform& platform, const TestSet& selected,
                                    const std::vector<uint32_t>& blocks_kb, VectorWidth vector,
                                    const ThroughputHooks& hooks) {
    BlockListResult res;
    res.blocks_kb = blocks_kb;
    res.mbps.assign(blocks_kb.size(), {});
    uint32_t largest = 0;
    for (uint32_t kb : blocks_kb) largest = std::max(largest, kb);
    RaisedPriority priority(platform);
    res.cps = Calibrate(platform);
    uint32_t* block = platform.Allocate(size_t{largest} * 1024);
    if (!block) {
        res.refused = true;
        if (hooks.message) hooks.message(kInsufficientMemory);
        return res;
    }
    BlockGuard free_block(platform, block);
    int position = 0;
    for (int t = 0; t < kTestCount; ++t) {
        if (!selected[t]) continue;
        for (size_t i = 0; i < blocks_kb.size(); ++i) {
            const size_t bytes = size_t{blocks_kb[i]} * 1024;
            const size_t reps =
                vector == VectorWidth::None ? 1 : std::max<size_t>(1, kListedVectorMinBytes / bytes);
            uint64_t ticks = 0;
            for (int pass = 0; pass < kPasses; ++pass) {
                const auto test = static_cast<ThroughputTest>(t);
                const uint32_t v = platform.Random();
                const uint64_t count =
                    vector == VectorWidth::None
                        ? CorrectedCount(0, platform.TimeKernel(test, block, bytes / 4, v))
                        : CalibrationCount(0, platform.TimeVectorKernel(vector, test, block, bytes, reps, v));
                if (pass > 0) ticks += count;
                if (hooks.progress) hooks.progress(++position);
            }
            if (ticks > 0)
                res.mbps[i][t] = static_cast<double>(res.cps) * static_cast<double>(bytes) *
                                 static_cast<double>(reps) * (kPasses - 1) / static_cast<double>(ticks) / 1048576.0;
        }
    }
    return res;
}

}  // namespace kest
