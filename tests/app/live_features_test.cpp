// The later feature words, the x86-64 level and the core and thread counts of
// the machine the tests run on, against what the kernel, the C library's
// loader and lscpu say about it. Each test skips where its source is missing.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/cli.h"

namespace {

nlohmann::json LiveJson() {
    const char* argv[] = {"kestrune-cli", "--format", "json", "--mhz", "1000"};
    std::ostringstream out, err;
    const int code = kest::RunCli(5, argv, out, err);
    EXPECT_EQ(code, 0) << err.str();
    return nlohmann::json::parse(out.str());
}

// The standard output of a command, or nothing when it cannot run.
std::optional<std::string> Output(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((command + " 2>/dev/null").c_str(), "r"), ::pclose);
    if (!pipe) return std::nullopt;
    std::string text;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe.get())) > 0;) text.append(buf, n);
    return text;
}

// The kernel's /proc/cpuinfo names of bits it takes straight from the words
// (arch/x86/include/asm/cpufeatures.h); synthetic flags are not listed.
const std::map<std::string, std::pair<const char*, int>>& KernelFlags() {
    static const std::map<std::string, std::pair<const char*, int>> flags = [] {
        std::map<std::string, std::pair<const char*, int>> m;
        auto word = [&m](const char* field, std::initializer_list<std::pair<const char*, int>> bits) {
            for (auto [name, bit] : bits) m[name] = {field, bit};
        };
        word("featurs1", {{"fpu", 0}, {"vme", 1}, {"de", 2}, {"pse", 3}, {"tsc", 4}, {"msr", 5}, {"pae", 6},
                          {"mce", 7}, {"cx8", 8}, {"apic", 9}, {"sep", 11}, {"mtrr", 12}, {"pge", 13},
                          {"mca", 14}, {"cmov", 15}, {"pat", 16}, {"pse36", 17}, {"pn", 18}, {"clflush", 19},
                          {"dts", 21}, {"acpi", 22}, {"mmx", 23}, {"fxsr", 24}, {"sse", 25}, {"sse2", 26},
                          {"ss", 27}, {"ht", 28}, {"tm", 29}, {"ia64", 30}, {"pbe", 31}});
        word("featurs2", {{"pni", 0}, {"pclmulqdq", 1}, {"dtes64", 2}, {"monitor", 3}, {"ds_cpl", 4},
                          {"vmx", 5}, {"smx", 6}, {"est", 7}, {"tm2", 8}, {"ssse3", 9}, {"cid", 10},
                          {"sdbg", 11}, {"fma", 12}, {"cx16", 13}, {"xtpr", 14}, {"pdcm", 15}, {"pcid", 17},
                          {"dca", 18}, {"sse4_1", 19}, {"sse4_2", 20}, {"x2apic", 21}, {"movbe", 22},
                          {"popcnt", 23}, {"tsc_deadline_timer", 24}, {"aes", 25}, {"xsave", 26}, {"avx", 28},
                          {"f16c", 29}, {"rdrand", 30}, {"hypervisor", 31}});
        word("feature1", {{"syscall", 11}, {"mp", 19}, {"nx", 20}, {"mmxext", 22}, {"fxsr_opt", 25},
                          {"pdpe1gb", 26}, {"rdtscp", 27}, {"lm", 29}, {"3dnowext", 30}, {"3dnow", 31}});
        word("ext1_ecx", {{"lahf_lm", 0}, {"cmp_legacy", 1}, {"svm", 2}, {"extapic", 3}, {"cr8_legacy", 4},
                          {"abm", 5}, {"sse4a", 6}, {"misalignsse", 7}, {"3dnowprefetch", 8}, {"osvw", 9},
                          {"ibs", 10}, {"xop", 11}, {"skinit", 12}, {"wdt", 13}, {"lwp", 15}, {"fma4", 16},
                          {"tce", 17}, {"nodeid_msr", 19}, {"tbm", 21}, {"topoext", 22}, {"perfctr_core", 23},
                          {"perfctr_nb", 24}, {"bpext", 26}, {"ptsc", 27}, {"perfctr_llc", 28}, {"mwaitx", 29}});
        word("l7s0_ebx", {{"fsgsbase", 0}, {"tsc_adjust", 1}, {"sgx", 2}, {"bmi1", 3}, {"hle", 4}, {"avx2", 5},
                          {"fdp_excptn_only", 6}, {"smep", 7}, {"bmi2", 8}, {"erms", 9}, {"invpcid", 10},
                          {"rtm", 11}, {"cqm", 12}, {"zero_fcs_fds", 13}, {"mpx", 14}, {"rdt_a", 15},
                          {"avx512f", 16}, {"avx512dq", 17}, {"rdseed", 18}, {"adx", 19}, {"smap", 20},
                          {"avx512ifma", 21}, {"clflushopt", 23}, {"clwb", 24}, {"intel_pt", 25},
                          {"avx512pf", 26}, {"avx512er", 27}, {"avx512cd", 28}, {"sha_ni", 29},
                          {"avx512bw", 30}, {"avx512vl", 31}});
        word("l7s0_ecx", {{"avx512vbmi", 1}, {"umip", 2}, {"pku", 3}, {"ospke", 4}, {"waitpkg", 5},
                          {"avx512_vbmi2", 6}, {"gfni", 8}, {"vaes", 9}, {"vpclmulqdq", 10},
                          {"avx512_vnni", 11}, {"avx512_bitalg", 12}, {"tme", 13}, {"avx512_vpopcntdq", 14},
                          {"la57", 16}, {"rdpid", 22}, {"bus_lock_detect", 24}, {"cldemote", 25},
                          {"movdiri", 27}, {"movdir64b", 28}, {"enqcmd", 29}, {"sgx_lc", 30}});
        word("l7s0_edx", {{"avx512_4vnniw", 2}, {"avx512_4fmaps", 3}, {"fsrm", 4}, {"avx512_vp2intersect", 8},
                          {"srbds_ctrl", 9}, {"md_clear", 10}, {"serialize", 14}, {"tsxldtrk", 16},
                          {"pconfig", 18}, {"arch_lbr", 19}, {"ibt", 20}, {"amx_bf16", 22},
                          {"avx512_fp16", 23}, {"amx_tile", 24}, {"amx_int8", 25}, {"flush_l1d", 28},
                          {"arch_capabilities", 29}});
        word("l7s1_eax", {{"avx_vnni", 4}, {"avx512_bf16", 5}, {"cmpccxadd", 7}, {"fzrm", 10}, {"fsrs", 11},
                          {"fsrc", 12}, {"fred", 17}, {"lkgs", 18}, {"amx_fp16", 21}, {"avx_ifma", 23},
                          {"lam", 26}});
        return m;
    }();
    return flags;
}

TEST(LiveMachine, EveryKernelFlagOfTheWordsIsSetInTheJson) {
    std::ifstream cpuinfo("/proc/cpuinfo");
    if (!cpuinfo) GTEST_SKIP() << "no /proc/cpuinfo on this machine";
    std::string line, flags;
    while (std::getline(cpuinfo, line))
        if (line.rfind("flags", 0) == 0) {
            flags = line.substr(line.find(':') + 1);
            break;
        }
    if (flags.empty()) GTEST_SKIP() << "/proc/cpuinfo has no flags line";

    const nlohmann::json cpu = LiveJson()["CpuidData"];
    std::istringstream words(flags);
    int checked = 0;
    for (std::string flag; words >> flag;) {
        const auto it = KernelFlags().find(flag);
        if (it == KernelFlags().end()) continue;
        const auto [field, bit] = it->second;
        const uint32_t word = cpu.at(field).get<uint32_t>();
        EXPECT_TRUE((word >> bit) & 1u) << flag << ": bit " << bit << " of " << field << " is clear";
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

TEST(LiveMachine, LevelAgreesWithTheLoader) {
    const auto help = Output("/lib64/ld-linux-x86-64.so.2 --help");
    if (!help || help->find("x86-64-v") == std::string::npos)
        GTEST_SKIP() << "the loader does not list the x86-64 levels";
    // The loader lists v4 to v2 and marks the ones the processor meets.
    std::string want = "x86-64-v1";
    for (int level = 4; level >= 2; --level)
        if (help->find("x86-64-v" + std::to_string(level) + " (supported") != std::string::npos) {
            want = "x86-64-v" + std::to_string(level);
            break;
        }
    EXPECT_EQ(LiveJson()["Features"]["x86_64_level"].get<std::string>(), want);
}

// lscpu -J: a list of {"field", "data"} entries, nested under "children" in
// newer versions.
void CollectFields(const nlohmann::json& list, std::map<std::string, std::string>& out) {
    for (const auto& e : list) {
        if (e.contains("field") && e.contains("data") && e["data"].is_string())
            out.emplace(e["field"].get<std::string>(), e["data"].get<std::string>());
        if (e.contains("children")) CollectFields(e["children"], out);
    }
}

TEST(LiveMachine, CoresAndThreadsAgreeWithLscpu) {
    const auto text = Output("lscpu -J");
    if (!text || text->empty()) GTEST_SKIP() << "lscpu is not installed";
    std::map<std::string, std::string> f;
    CollectFields(nlohmann::json::parse(*text).at("lscpu"), f);
    if (!f.count("Socket(s):") || !f.count("Core(s) per socket:") || !f.count("Thread(s) per core:"))
        GTEST_SKIP() << "lscpu does not give sockets, cores and threads here";
    const unsigned sockets = std::stoul(f["Socket(s):"]);
    const unsigned cores = sockets * std::stoul(f["Core(s) per socket:"]);

    const nlohmann::json feat = LiveJson()["Features"];
    EXPECT_EQ(feat["packages"].get<unsigned>(), sockets);
    EXPECT_EQ(feat["cores"].get<unsigned>(), cores);
    // Every online logical processor; a hybrid processor's threads per core
    // differ between its kinds of core, so the total is what is compared.
    unsigned online = 0;
    std::istringstream list(f.count("On-line CPU(s) list:") ? f["On-line CPU(s) list:"] : f["CPU(s):"]);
    for (std::string part; std::getline(list, part, ',');) {
        const auto dash = part.find('-');
        online += dash == std::string::npos ? 1 : std::stoul(part.substr(dash + 1)) - std::stoul(part) + 1;
    }
    EXPECT_EQ(feat["threads"].get<unsigned>(), online);
}

}  // namespace
