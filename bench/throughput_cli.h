// The throughput test without a window (kestrune-cli --throughput).
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "bench/throughput.h"

namespace kest {

struct ThroughputCliOptions {
    // Rows measured: 1024 (4 KB .. 4096 KB) for the full test; fewer give a
    // short run over 4 KB .. 4 x rows KB (the averages then cover only those
    // rows).
    int rows = kTpRows;
    // Cache sizes bounding the average search; by default decoded from this
    // processor's CPUID leaves.
    std::optional<ThroughputCaches> caches;
    // The machine; by default the live one.
    ThroughputPlatform* platform = nullptr;
    // "word" (the test) or "vector" (the widest vector loops the machine
    // allows; the output names the width and has no memtestr).
    std::string kernel = "word";
    // Block sizes in KB to measure instead of the rows (no averages then).
    std::vector<uint32_t> blocks_kb;
};

// Runs the tests named in `tests` ("copy", "read", "write"; empty = all
// three; they always run in the order copy, read, write) and prints, per
// block size, the throughput of each test in MB/s, then the per-test
// averages and memtestr. `format` is "csv" or "json".
//
// csv:  block_kb,copy_mbps,read_mbps,write_mbps   (only the columns of the
//       tests run), one line per block, then "average,..." with the
//       averages in the same columns and "memtestr,<24 hex digits>".
// json: {"cps":..,"tests":[..],"blocks":[{"block_kb":4,"copy_mbps":..},..],
//        "averages_mbps":{"copy":..},"scale_max_mbps":..,"memtestr":".."}
//
// With the vector kernel the memtestr line (key) gives way to "kernel,AVX2"
// ("kernel": "AVX2"). With blocks_kb, one line per listed block, then the
// kernel line; the JSON has cps, kernel, tests and blocks.
//
// Returns 0 on success; 2 for a bad test name or format (one line on `err`,
// nothing on `out`) and when a test's 32 MB block could not be allocated
// ("Insufficient memory." on `err`; that test's figures are zeros).
int RunThroughputCli(const std::vector<std::string>& tests, const std::string& format,
                     std::ostream& out, std::ostream& err);
int RunThroughputCli(const std::vector<std::string>& tests, const std::string& format,
                     std::ostream& out, std::ostream& err, const ThroughputCliOptions& options);

// Parses "copy,read" or {"copy", "read"} style lists; nullopt for an unknown name.
std::optional<TestSet> ParseThroughputTests(const std::vector<std::string>& tests);

}  // namespace kest
