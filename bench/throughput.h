// Cache/memory throughput test: copy, read and write passes over blocks of
// 4 KB to 4096 KB timed with the time-stamp counter, turned into throughput,
// per-test averages and the memtestr text. The word loops are the test; the
// vector loops measure the same blocks at the width the machine allows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/vector_kernels.h"
#include "cpu/machine.h"
#include "record/memtestr.h"

namespace kest {

// Column order of every table: copy, read, write (the order the tests run in).
enum ThroughputTest : int { kTestCopy = 0, kTestRead = 1, kTestWrite = 2 };
inline constexpr int kTestCount = 3;

inline constexpr int kTpRows = 1024;            // measured rows; row r is a block of 4r KB
inline constexpr int kTpTableRows = 2049;       // rows 0..2048 of tp_table
inline constexpr int kPasses = 4;               // the first one is dropped
inline constexpr uint32_t kCountCorrection = 25;
inline constexpr size_t kBufferBytes = 33554432;  // 32 MB
inline constexpr int kProgressMax = 4096;       // measurements of one test

// A vector measurement walks its block until at least this many bytes have
// gone by: one pass over a small block is over in a few dozen ticks.
inline constexpr size_t kVectorMinBytes = size_t{1} << 20;
// Walks of a `bytes` block in one vector measurement.
size_t VectorReps(size_t bytes);
// The largest block of a list of measured block sizes (RunThroughputBlocks),
// and the bytes one vector measurement of such a list covers at least: the
// figures are compared with other tools' long runs.
inline constexpr uint32_t kMaxListedBlockKb = 1048576;  // 1 GB
inline constexpr size_t kListedVectorMinBytes = size_t{64} << 20;

inline constexpr char kInsufficientMemory[] = "Insufficient memory.";

using TestSet = std::array<bool, kTestCount>;  // indexed by ThroughputTest

// Cache sizes in KB, the ones the average search is bounded by.
struct ThroughputCaches {
    uint32_t level1dc = 0;
    uint32_t level2cs = 0;
    uint32_t level3cs = 0;
};

// Results kept between runs (they live as long as the window).
struct ThroughputState {
    // Throughput of row r in 1/10000 KB per second; rows 1..1024 measured,
    // the others stay 0. Cleared at the start of every run.
    std::array<std::array<int64_t, kTestCount>, kTpTableRows> tp_table{};
    // Vertical pixel position of each measured row, placed by the window's
    // PlaceCurves (view/throughput_view.h) after a run; only the rows of the
    // tests that ran are rewritten.
    std::array<std::array<int32_t, kTestCount>, kTpRows + 1> graph_y{};
    bool test_done = false;
    std::string memtestr = kMemtestrDefault;

    // The last run.
    uint64_t cps = 0;                        // counter ticks per second
    double scale_max = 0;                    // M: largest throughput, KB/s
    std::array<double, kTestCount> averages{};  // MB/s
    TestSet ran{};                           // tests that ran to the end
    TestSet out_of_memory{};                 // tests whose buffer was refused
    int rows = 0;                            // rows measured (1024 for a full run)
    VectorWidth vector = VectorWidth::None;  // the loops that ran: None for the word ones
};

// Average cycle counts per row (index 1..1024) and test.
using AverageCounts = std::array<std::array<uint32_t, kTestCount>, kTpRows + 1>;
// Raw counts: [row][test][pass].
using RawCounts = std::array<std::array<std::array<uint32_t, kPasses>, kTestCount>, kTpRows + 1>;

// ---- Arithmetic (pure) ---------------------------------------------------

// Low 32 bits of the counter difference minus the correction (wraps).
uint32_t CorrectedCount(uint64_t tsc_start, uint64_t tsc_end);
// Counter ticks over the one-second calibration sleep minus the correction,
// in 64 bits: a counter at 4294.97 MHz or more does not wrap.
uint64_t CalibrationCount(uint64_t tsc_start, uint64_t tsc_end);
// (pass 2 + pass 3 + pass 4) div 3; the first pass is not used.
uint32_t AverageCount(const std::array<uint32_t, kPasses>& passes);
// Throughput of a 4r KB block timed at `average` ticks, in 1/10000 KB/s;
// 0 when the count is 0.
int64_t TpValue(uint64_t cps, uint32_t average, int row);
// c: the number of rows the average search covers past the 32 KB block.
uint32_t SearchRows(const ThroughputCaches& caches);
// The per-test average in MB/s (see throughput.cpp for the rules).
double TestAverage(const ThroughputState& st, const AverageCounts& counts, int test,
                   uint32_t search_rows, int measured_rows);
// Everything a run derives from its raw counts: averages of passes 2-4,
// tp_table, scale maximum, per-test averages, memtestr; sets test_done.
// Tests not in `ran` contribute zeros.
void ComputeResults(const RawCounts& raw, uint64_t cps, const TestSet& ran,
                    const ThroughputCaches& caches, int measured_rows, ThroughputState& st);

// ---- The run -------------------------------------------------------------

// What the run needs from the machine: priority, sleeping and the counter
// of every timed measurement, and besides those the block, the random
// values and the measuring loops.
class ThroughputPlatform : public Machine {
public:
    // A block of `bytes` bytes, or nullptr when there is not enough memory.
    virtual uint32_t* Allocate(size_t bytes) = 0;
    virtual void Free(uint32_t* block) = 0;
    // The pseudo-random value stored by the write test.
    virtual uint32_t Random() = 0;
    // Runs the kernel of `test` over the first n words; counter difference.
    virtual uint64_t TimeKernel(ThroughputTest test, uint32_t* words, size_t n, uint32_t v) = 0;
    // Runs the vector loop of `test` at `width` `reps` times over the first
    // `bytes` bytes of the block; counter difference.
    virtual uint64_t TimeVectorKernel(VectorWidth width, ThroughputTest test, uint32_t* block, size_t bytes,
                                      size_t reps, uint32_t v) = 0;
};

// The machine this program runs on.
std::unique_ptr<ThroughputPlatform> MakeLiveThroughputPlatform();

struct ThroughputRunOptions {
    TestSet selected{true, true, true};
    ThroughputCaches caches;
    int rows = kTpRows;  // fewer rows make a shorter run (tests, quick looks)
    VectorWidth vector = VectorWidth::None;  // a width: the vector loops instead of the word ones
};

struct ThroughputHooks {
    // Position of the progress bar (0..4 x rows), after every measurement.
    std::function<void(int)> progress;
    // A message box: "Insufficient memory."
    std::function<void(const std::string&)> message;
};

// A whole run: clears tp_table, raises the priority, calibrates, measures
// the selected tests, restores the priority and computes the results.
void RunThroughput(ThroughputPlatform& platform, const ThroughputRunOptions& options,
                   ThroughputState& st, const ThroughputHooks& hooks = {});

// Chosen block sizes instead of the 1024 rows (kestrune-cli, benchmark
// scripts): each block in KB (a multiple of 4, at most kMaxListedBlockKb)
// measured 4 times, the first dropped, throughput from the whole count of
// the other three; a vector measurement walks the block until
// kListedVectorMinBytes have gone by.
struct BlockListResult {
    uint64_t cps = 0;
    std::vector<uint32_t> blocks_kb;
    std::vector<std::array<double, kTestCount>> mbps;  // per block, per test; 0 for tests not run
    bool refused = false;                               // the block could not be allocated
};
BlockListResult RunThroughputBlocks(ThroughputPlatform& platform, const TestSet& selected,
                                    const std::vector<uint32_t>& blocks_kb, VectorWidth vector,
                                    const ThroughputHooks& hooks = {});

}  // namespace kest
