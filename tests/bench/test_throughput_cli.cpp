// kestrune-cli --throughput, over the scripted machine.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "bench/throughput_cli.h"
#include "fake_platform.h"

namespace kest {
namespace {

struct CliRun {
    int code = 0;
    std::string out, err;
};

CliRun RunCliWith(const std::vector<std::string>& tests, const std::string& format, fakes::FakePlatform& fake,
           int rows = 9) {
    ThroughputCliOptions opt;
    opt.rows = rows;
    opt.caches = ThroughputCaches{32, 512, 0};
    opt.platform = &fake;
    std::ostringstream out, err;
    CliRun r;
    r.code = RunThroughputCli(tests, format, out, err, opt);
    r.out = out.str();
    r.err = err.str();
    return r;
}

TEST(ThroughputCli, CsvOfSelectedTests) {
    fakes::FakePlatform fake;
    const CliRun r = RunCliWith({"write,copy"}, "csv", fake);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    std::string expected = "block_kb,copy_mbps,write_mbps\n";
    for (int kb = 4; kb <= 36; kb += 4) expected += std::to_string(kb) + ",3906.25,3906.25\n";
    expected += "average,3906.25,3906.25\nmemtestr,00000000" "0005F5E1" "0005F5E1\n";
    EXPECT_EQ(r.out, expected);
}

TEST(ThroughputCli, JsonOfAllTests) {
    fakes::FakePlatform fake;
    const CliRun r = RunCliWith({}, "json", fake);
    ASSERT_EQ(r.code, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["tests"], nlohmann::json({"copy", "read", "write"}));
    EXPECT_EQ(j["cps"], 2000000000u);
    ASSERT_EQ(j["blocks"].size(), 9u);
    EXPECT_EQ(j["blocks"][1]["block_kb"], 8);
    EXPECT_DOUBLE_EQ(j["blocks"][1]["read_mbps"].get<double>(), 3906.25);
    EXPECT_DOUBLE_EQ(j["averages_mbps"]["write"].get<double>(), 3906.25);
    EXPECT_EQ(j["memtestr"], "0005F5E1" "0005F5E1" "0005F5E1");
}

TEST(ThroughputCli, BadInputPrintsNothing) {
    struct Case { std::vector<std::string> tests; std::string format; };
    const Case cases[] = {{{"copy,fill"}, "csv"}, {{"read"}, "xml"}};
    for (const auto& c : cases) {
        fakes::FakePlatform fake;
        const CliRun r = RunCliWith(c.tests, c.format, fake);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
        EXPECT_TRUE(fake.log.empty());  // nothing measured
    }
}

TEST(ThroughputCli, RefusedBlockIsReported) {
    fakes::FakePlatform fake;
    fake.grants = {false};
    const CliRun r = RunCliWith({"read"}, "csv", fake, 1);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Insufficient memory.\n");
    EXPECT_EQ(r.out, "block_kb,read_mbps\n4,0.00\naverage,0.00\nmemtestr,000000000000000000000000\n");
}

}  // namespace
}  // namespace kest
