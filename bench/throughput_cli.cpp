#include "bench/throughput_cli.h"

#include <charconv>
#include <ostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cpu/cache_info.h"
#include "cpu/cpuid_pass.h"
#include "cpu/output_format.h"
#include "cpu/cpuid_source.h"
#include "cpu/format.h"

namespace kest {
namespace {

constexpr const char* kTestNames[kTestCount] = {"copy", "read", "write"};

// MB/s with two decimals, decimal point whatever the locale.
std::string Mbps(double v) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    return res.ec == std::errc() ? std::string(buf, res.ptr) : "0.00";
}

double RowMbps(const ThroughputState& st, int row, int test) {
    return static_cast<double>(st.tp_table[row][test]) / 10000.0 / 1024.0;
}

// Two decimals as a JSON number.
double Round2(double v) { return static_cast<double>(RoundHalfEven(v * 100.0)) / 100.0; }

ThroughputCaches LiveCaches() {
    auto source = MakeLiveCpuidSource();
    const CacheInfo info = DecodeCaches(RunCpuidPass(*source));
    return {info.l1.level1dc, info.l2.level2cs, info.l3.level3cs};
}

void PrintCsvHead(const TestSet& sel, std::ostream& out) {
    out << "block_kb";
    for (int t = 0; t < kTestCount; ++t)
        if (sel[t]) out << ',' << kTestNames[t] << "_mbps";
    out << '\n';
}

std::string KernelName(VectorWidth w) { return w == VectorWidth::None ? "word" : std::string(VectorWidthName(w)); }

void PrintCsv(const ThroughputState& st, const TestSet& sel, std::ostream& out) {
    PrintCsvHead(sel, out);
    for (int r = 1; r <= st.rows; ++r) {
        out << 4 * r;
        for (int t = 0; t < kTestCount; ++t)
            if (sel[t]) out << ',' << Mbps(RowMbps(st, r, t));
        out << '\n';
    }
    out << "average";
    for (int t = 0; t < kTestCount; ++t)
        if (sel[t]) out << ',' << Mbps(st.averages[t]);
    out << '\n';
    if (st.vector == VectorWidth::None)
        out << "memtestr," << st.memtestr << '\n';
    else
        out << "kernel," << KernelName(st.vector) << '\n';
}

void PrintBlocksCsv(const BlockListResult& res, const TestSet& sel, VectorWidth w, std::ostream& out) {
    PrintCsvHead(sel, out);
    for (size_t i = 0; i < res.blocks_kb.size(); ++i) {
        out << res.blocks_kb[i];
        for (int t = 0; t < kTestCount; ++t)
            if (sel[t]) out << ',' << Mbps(res.mbps[i][t]);
        out << '\n';
    }
    out << "kernel," << KernelName(w) << '\n';
}

nlohmann::ordered_json TestList(const TestSet& sel) {
    auto tests = nlohmann::ordered_json::array();
    for (int t = 0; t < kTestCount; ++t)
        if (sel[t]) tests.push_back(kTestNames[t]);
    return tests;
}

void PrintBlocksJson(const BlockListResult& res, const TestSet& sel, VectorWidth w, std::ostream& out) {
    nlohmann::ordered_json j;
    j["cps"] = res.cps;
    j["kernel"] = KernelName(w);
    j["tests"] = TestList(sel);
    auto blocks = nlohmann::ordered_json::array();
    for (size_t i = 0; i < res.blocks_kb.size(); ++i) {
        nlohmann::ordered_json b;
        b["block_kb"] = res.blocks_kb[i];
        for (int t = 0; t < kTestCount; ++t)
            if (sel[t]) b[std::string(kTestNames[t]) + "_mbps"] = Round2(res.mbps[i][t]);
        blocks.push_back(std::move(b));
    }
    j["blocks"] = std::move(blocks);
    out << j.dump(2) << '\n';
}

void PrintJson(const ThroughputState& st, const TestSet& sel, std::ostream& out) {
    nlohmann::ordered_json j;
    j["cps"] = st.cps;
    if (st.vector != VectorWidth::None) j["kernel"] = KernelName(st.vector);
    j["tests"] = TestList(sel);
    auto blocks = nlohmann::ordered_json::array();
    for (int r = 1; r <= st.rows; ++r) {
        nlohmann::ordered_json b;
        b["block_kb"] = 4 * r;
        for (int t = 0; t < kTestCount; ++t)
            if (sel[t]) b[std::string(kTestNames[t]) + "_mbps"] = Round2(RowMbps(st, r, t));
        blocks.push_back(std::move(b));
    }
    j["blocks"] = std::move(blocks);
    nlohmann::ordered_json av = nlohmann::ordered_json::object();
    for (int t = 0; t < kTestCount; ++t)
        if (sel[t]) av[kTestNames[t]] = Round2(st.averages[t]);
    j["averages_mbps"] = std::move(av);
    j["scale_max_mbps"] = Round2(st.scale_max / 1024.0);
    if (st.vector == VectorWidth::None) j["memtestr"] = st.memtestr;
    out << j.dump(2) << '\n';
}

}  // namespace

std::optional<TestSet> ParseThroughputTests(const std::vector<std::string>& tests) {
    TestSet sel{};
    bool any = false;
    for (const auto& item : tests) {
        std::stringstream ss(item);
        std::string name;
        while (std::getline(ss, name, ',')) {
            if (name.empty()) continue;
            bool known = false;
            for (int t = 0; t < kTestCount; ++t) {
                if (name == kTestNames[t]) {
                    sel[t] = true;
                    known = any = true;
                }
            }
            if (!known) return std::nullopt;
        }
    }
    if (!any) sel = {true, true, true};
    return sel;
}

int RunThroughputCli(const std::vector<std::string>& tests, const std::string& format,
                     std::ostream& out, std::ostream& err) {
    return RunThroughputCli(tests, format, out, err, ThroughputCliOptions{});
}

int RunThroughputCli(const std::vector<std::string>& tests, const std::string& format,
                     std::ostream& out, std::ostream& err, const ThroughputCliOptions& options) {
    const auto sel = ParseThroughputTests(tests);
    if (!sel) {
        err << "unknown throughput test (use copy, read, write)\n";
        return 2;
    }
    const auto picked = PickFormat(format, kThroughputFormats);
    if (format.empty() || !picked) {
        err << "unknown format: " << format << " (use " << FormatList(kThroughputFormats) << ")\n";
        return 2;
    }
    if (options.rows < 1 || options.rows > kTpRows) {
        err << "rows must be 1 to " << kTpRows << '\n';
        return 2;
    }
    if (options.kernel != "word" && options.kernel != "vector") {
        err << "unknown kernel: " << options.kernel << " (use word, vector)\n";
        return 2;
    }
    for (uint32_t kb : options.blocks_kb) {
        if (kb == 0 || kb % 4 != 0 || kb > kMaxListedBlockKb) {
            err << "block sizes must be multiples of 4 KB from 4 to " << kMaxListedBlockKb << " KB\n";
            return 2;
        }
    }

    std::unique_ptr<ThroughputPlatform> live;
    ThroughputPlatform* platform = options.platform;
    if (!platform) {
        live = MakeLiveThroughputPlatform();
        platform = live.get();
    }
    VectorWidth width = VectorWidth::None;
    if (options.kernel == "vector") {
        width = ChooseVectorWidth(*platform);
        if (width == VectorWidth::None) {
            err << "this processor has no vector unit the test can use (SSE2)\n";
            return 2;
        }
    }
    bool refused = false;
    ThroughputHooks hooks;
    hooks.message = [&](const std::string& text) {
        err << text << '\n';
        refused = true;
    };
    if (!options.blocks_kb.empty()) {
        const BlockListResult res = RunThroughputBlocks(*platform, *sel, options.blocks_kb, width, hooks);
        if (*picked == OutputFormat::Csv)
            PrintBlocksCsv(res, *sel, width, out);
        else
            PrintBlocksJson(res, *sel, width, out);
        return refused ? 2 : 0;
    }

    ThroughputRunOptions run;
    run.selected = *sel;
    run.vector = width;
    run.caches = options.caches ? *options.caches : LiveCaches();
    run.rows = options.rows;

    auto st = std::make_unique<ThroughputState>();
    RunThroughput(*platform, run, *st, hooks);

    if (*picked == OutputFormat::Csv)
        PrintCsv(*st, *sel, out);
    else
        PrintJson(*st, *sel, out);
    return refused ? 2 : 0;
}

}  // namespace kest
