// kestrune-cli as a user runs it: options, dumps, errors and exit codes.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
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
    auto r = Invoke({"--cpuid-dump", Write("xp.txt", kAthlonXp), "--mhz", "1800"});
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

TEST_F(CliTest, DumpWithoutMhzHasZeroClock) {
    auto r = Invoke({"--cpuid-dump", Write("xp.txt", kAthlonXp)});
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

}  // namespace
