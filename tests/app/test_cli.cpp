// kestrune-cli as a user runs it: options, dumps, errors and exit codes.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int code;
    std::string out, err;
};

Result Invoke(std::vector<std::string> args) {
    args.insert(args.begin(), "kestrune-cli");
    std::vector<const char*> argv;
    for (auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    int code = kest::RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kest-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& text) {
        auto p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    fs::path dir_;
};

// An Athlon XP "Thoroughbred" as an InstLatx64-style dump.
const char* kAthlonXp =
    "------[ Logical CPU #0 ]------\n"
    "CPUID 00000000: 00000001-68747541-444D4163-69746E65\n"
    "CPUID 00000001: 00000681-00000000-00000000-0383FBFF\n"
    "CPUID 80000000: 80000008-68747541-444D4163-69746E65\n"
    "CPUID 80000001: 00000781-00000000-00000000-C1C3FBFF\n"
    "CPUID 80000002: 20444D41-6C687441-74286E6F-5820296D\n"
    "CPUID 80000003: 00000050-00000000-00000000-00000000\n"
    "CPUID 80000004: 00000000-00000000-00000000-00000000\n"
    "CPUID 80000005: 0408FF08-FF20FF10-40020140-40020140\n"
    "CPUID 80000006: 00000000-41004100-01008140-00000000\n"
    "CPUID 80000007: 00000000-00000000-00000000-00000001\n"
    "CPUID 80000008: 00002022-00000000-00000000-00000000\n";

TEST_F(CliTest, DumpGivesJsonRecordsWithTheRecordsFieldNames) {
    auto r = Invoke({"--cpuid-dump", Write("xp.txt", kAthlonXp), "--mhz", "1800", "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["CpuidData"]["vendorst"], "AuthenticAMD");
    EXPECT_EQ(j["CpuidData"]["stfamily"], 6);
    EXPECT_EQ(j["CpuidData"]["st_model"], 8);
    EXPECT_EQ(j["CpuidData"]["signature"], "00000681");
    EXPECT_EQ(j["CacheInfo"]["level1dc"], 64);
    EXPECT_EQ(j["CacheInfo"]["level2cs"], 256);
    EXPECT_EQ(j["CacheInfo"]["l2cassoc"], 16);
    // A dump describes another machine: no DMI is read for it.
    EXPECT_EQ(j["DmiProcessorInfo"]["dmiread"], false);
    EXPECT_EQ(j["ClockInfo"]["coretext"], "1800.00 MHz");
    EXPECT_EQ(j["ClockInfo"]["mhzint"], 1800);
    for (const char* rec : {"CpuidData", "CacheInfo", "ProcessorNames", "DmiProcessorInfo", "ClockInfo"})
        EXPECT_TRUE(j.contains(rec)) << rec;
}

// Leaf 1 ECX bit 31 and leaf 0x40000000 in a dump: the JSON names the
// hypervisor and the platform says the processor is seen through it. The
// leaf counts only with the flag.
TEST_F(CliTest, HypervisorOfADumpReachesTheJson) {
    std::string dump = kAthlonXp;
    const std::string leaf1 = "CPUID 00000001: 00000681-00000000-00000000-0383FBFF\n";
    ASSERT_NE(dump.find(leaf1), std::string::npos);
    dump += "CPUID 40000000: 40000001-4B4D564B-564B4D56-0000004D\n";
    const std::string without_flag = dump;
    dump.replace(dump.find(leaf1), leaf1.size(), "CPUID 00000001: 00000681-00000000-80000000-0383FBFF\n");

    auto r = Invoke({"--cpuid-dump", Write("vm.txt", dump), "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["CpuidData"]["hypervisor"], std::string("KVMKVMKVM\0\0\0", 12));
    EXPECT_EQ(j["ProcessorNames"]["hypervisor"], "KVM");
    const std::string platform = j["ProcessorNames"]["platform"];
    EXPECT_TRUE(platform == "virtual machine: KVM" || platform.ends_with(" (virtual machine: KVM)")) << platform;

    r = Invoke({"--cpuid-dump", Write("host.txt", without_flag), "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["CpuidData"]["hypervisor"], "");
    EXPECT_EQ(j["ProcessorNames"]["hypervisor"], "");
    EXPECT_EQ(std::string(j["ProcessorNames"]["platform"]).find("virtual machine"), std::string::npos);
}

TEST_F(CliTest, DumpWithoutMhzHasZeroClock) {
    auto r = Invoke({"--cpuid-dump", Write("xp.txt", kAthlonXp), "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["ClockInfo"]["coremhz"], 0.0);
    EXPECT_EQ(j["ClockInfo"]["mhzint"], 0);
}

TEST_F(CliTest, BadInputIsOneLineOnStderrExitTwoAndNothingOnStdout) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
    };
    std::string bad = Write("bad.txt", "CPUID 00000000: 00000001-68747541\n");
    std::vector<Case> cases = {
        {"missing dump file", {"--cpuid-dump", (dir_ / "nope.txt").string()}},
        {"malformed dump", {"--cpuid-dump", bad}},
        {"missing dmi dump", {"--cpuid-dump", Write("ok.txt", kAthlonXp), "--dmi-dump", (dir_ / "nope.bin").string()}},
        {"unknown option", {"--frobnicate"}},
        {"unknown format", {"--format", "yaml"}},
        {"negative clock", {"--mhz", "-5"}},
        {"clock not a number", {"--mhz", "fast"}},
        {"report format with the throughput test", {"--throughput", "--format", "html"}},
        {"throughput format without the test", {"--format", "csv"}},
        {"unknown throughput test", {"--throughput", "--tests", "copy,fly"}},
        {"throughput of a dump", {"--throughput", "--cpuid-dump", Write("t.txt", kAthlonXp)}},
        {"rows without the test", {"--throughput-rows", "3"}},
        {"rows out of range", {"--throughput", "--throughput-rows", "0"}},
        {"output folder missing", {"--cpuid-dump", Write("o.txt", kAthlonXp), "-o", (dir_ / "no" / "r.txt").string()}},
    };
    for (const auto& c : cases) {
        auto r = Invoke(c.args);
        EXPECT_EQ(r.code, 2) << c.what;
        EXPECT_EQ(r.out, "") << c.what;
        ASSERT_FALSE(r.err.empty()) << c.what;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << c.what << ": " << r.err;
    }
}

TEST_F(CliTest, MalformedDumpErrorNamesFileAndLine) {
    std::string path = Write("bad.txt", "CPUID 00000000: 00000001-68747541-444D4163-69746E65\nCPUID zz\n");
    auto r = Invoke({"--cpuid-dump", path});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(path + ":2"), std::string::npos) << r.err;
}

TEST_F(CliTest, ReportFormatsAreWindows1252WithCrLfAndTextIsTheDefault) {
    std::string dump = Write("xp.txt", kAthlonXp);
    auto text = Invoke({"--cpuid-dump", dump, "--mhz", "1800"});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("AMD Athlon(tm) XP Processor"), std::string::npos);
    EXPECT_NE(text.out.find("1800.00 MHz"), std::string::npos);
    // Every line ends in CR LF, and no bare LF is left.
    for (size_t i = text.out.find('\n'); i != std::string::npos; i = text.out.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && text.out[i - 1] == '\r') << "bare LF at " << i;

    auto html = Invoke({"--cpuid-dump", dump, "--mhz", "1800", "--format", "html"});
    ASSERT_EQ(html.code, 0) << html.err;
    EXPECT_NE(html.out.find("<TABLE"), std::string::npos);

    auto record = Invoke({"--cpuid-dump", dump, "--mhz", "1800", "--format", "record"});
    ASSERT_EQ(record.code, 0) << record.err;
    EXPECT_NE(record.out.find("intprocn=109\r\n"), std::string::npos);
    EXPECT_NE(record.out.find("vendorst=AuthenticAMD\r\n"), std::string::npos);
    for (const auto* out : {&text.out, &html.out, &record.out})
        EXPECT_EQ(out->find('\0'), std::string::npos);
}

TEST_F(CliTest, OutputFileGetsExactlyWhatStdoutWouldShowAndReplacesTheOldFile) {
    std::string dump = Write("xp.txt", kAthlonXp);
    std::string target = Write("report.txt", "an older report\n");
    auto printed = Invoke({"--cpuid-dump", dump, "--mhz", "1800", "--format", "record"});
    auto written = Invoke({"--cpuid-dump", dump, "--mhz", "1800", "--format", "record", "-o", target});
    ASSERT_EQ(written.code, 0) << written.err;
    EXPECT_EQ(written.out, "");
    std::ifstream in(target, std::ios::binary);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The record carries the date and time of saving; the rest must agree.
    auto cut_time = [](std::string s) {
        auto a = s.find("\r\ndatetime="), b = s.find("\r\n", a + 2);
        if (a != std::string::npos && b != std::string::npos) s.erase(a, b - a);
        return s;
    };
    EXPECT_EQ(cut_time(file), cut_time(printed.out));
}

TEST_F(CliTest, ShortThroughputRunPrintsEveryBlockAndMemtestr) {
    auto r = Invoke({"--throughput", "--tests", "write,read", "--throughput-rows", "3"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_EQ(all.size(), 1u + 3u + 2u) << r.out;
    // Tests always run in the order copy, read, write, whatever the order asked.
    EXPECT_EQ(all[0], "block_kb,read_mbps,write_mbps");
    EXPECT_EQ(all[1].rfind("4,", 0), 0u);
    EXPECT_EQ(all[3].rfind("12,", 0), 0u);
    EXPECT_EQ(all[4].rfind("average,", 0), 0u);
    ASSERT_EQ(all[5].rfind("memtestr,", 0), 0u);
    EXPECT_EQ(all[5].size(), std::string("memtestr,").size() + 24);
}

}  // namespace
