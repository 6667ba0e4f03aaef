// kestrune-cli --throughput, over the scripted machine.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <algorithm>
#include <sstream>

#include "bench/throughput_cli.h"
#include "cpu/cpuid_bits.h"
#include "fake_platform.h"

namespace kest {
namespace {

struct CliRun {
    int code = 0;
    std::string out, err;
};

CliRun RunCliWith(const std::vector<std::string>& tests, const std::string& format, fakes::FakePlatform& fake,
           int rows = 9, ThroughputCliOptions opt = {}) {
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

// --kernel vector: the machine's widest width (AVX-512 needs its state in
// XCR0), named in the output in place of memtestr; over the rows and over a
// list of blocks. A machine without a usable unit, and block sizes that are
// no multiple of 4 KB, are refused before anything runs.
TEST(ThroughputCli, VectorKernelNamesItsWidth) {
    using namespace cpuid_bit;
    const VectorSupport avx512{kOsxsave.Mask() | kAvx.Mask(), kSse2.Mask(), kAvx2.Mask() | kAvx512f.Mask(), 0xE7};
    ThroughputCliOptions vector;
    vector.kernel = "vector";
    {
        fakes::FakePlatform fake;
        fake.vector_support = avx512;
        const CliRun r = RunCliWith({"read"}, "csv", fake, 9, vector);
        ASSERT_EQ(r.code, 0) << r.err;
        std::string expected = "block_kb,read_mbps\n";
        for (int kb = 4; kb <= 36; kb += 4) expected += std::to_string(kb) + ",3906.25\n";
        EXPECT_EQ(r.out, expected + "average,3906.25\nkernel,AVX-512\n");
        EXPECT_EQ(std::count(fake.log.begin(), fake.log.end(), "vector AVX-512 x256"), 4);  // 1 MB per measurement
    }
    {
        fakes::FakePlatform fake;
        fake.vector_support = avx512;
        fake.vector_support.xcr0 = 0x07;  // the system saves no ZMM state
        const CliRun r = RunCliWith({}, "json", fake, 2, vector);
        const auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["kernel"], "AVX2");
        EXPECT_FALSE(j.contains("memtestr"));
    }
    {
        fakes::FakePlatform fake;
        fake.vector_support = avx512;
        ThroughputCliOptions blocks = vector;
        blocks.blocks_kb = {16, 262144};
        const CliRun r = RunCliWith({"copy", "write"}, "csv", fake, 9, blocks);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, "block_kb,copy_mbps,write_mbps\n16,3906.25,3906.25\n262144,3906.25,3906.25\nkernel,AVX-512\n");
        EXPECT_EQ(fake.log[2], "alloc 268435456");  // one block, the largest
    }
    for (const auto& [support, sizes] : {std::pair{VectorSupport{}, std::vector<uint32_t>{}},
                                         std::pair{avx512, std::vector<uint32_t>{16, 6}}}) {
        fakes::FakePlatform fake;
        fake.vector_support = support;
        ThroughputCliOptions bad = vector;
        bad.blocks_kb = sizes;
        const CliRun r = RunCliWith({}, "csv", fake, 9, bad);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
        EXPECT_TRUE(fake.log.empty());
    }
}

}  // namespace
}  // namespace kest
