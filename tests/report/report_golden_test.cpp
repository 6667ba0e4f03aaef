// The reports and the record of two whole processors, byte for byte against
// files written out by hand.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "report/fixtures.h"

#ifndef KEST_REPORT_GOLDEN_DIR
#define KEST_REPORT_GOLDEN_DIR "tests/report/golden"
#endif

namespace kest {
namespace {

std::string ReadGolden(const std::string& name) {
    std::ifstream in(std::string(KEST_REPORT_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << "missing golden file " << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

// The first line where the two differ, for a readable failure.
std::string FirstDifference(const std::string& want, const std::string& got) {
    std::istringstream a(want), b(got);
    std::string la, lb;
    for (int n = 1;; ++n) {
        bool ga = static_cast<bool>(std::getline(a, la)), gb = static_cast<bool>(std::getline(b, lb));
        if (!ga && !gb) return "identical lines (difference in the last line end?)";
        if (la != lb || ga != gb) return "line " + std::to_string(n) + "\n want: " + la + "\n  got: " + lb;
    }
}

struct GoldenCase {
    const char* file;
    test::Processor (*processor)();
    ReportFormat format;
};

class Golden : public testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, MatchesByteForByte) {
    const GoldenCase& c = GetParam();
    const test::Processor p = c.processor();
    const std::string got = RenderReport(c.format, p.Inputs());
    const std::string want = ReadGolden(c.file);
    ASSERT_FALSE(want.empty());
    EXPECT_EQ(got.size(), want.size());
    EXPECT_TRUE(got == want) << FirstDifference(want, got);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, Golden,
    testing::Values(GoldenCase{"p4_trace_text.txt", test::PentiumWithTraceCache, ReportFormat::Text},
                    GoldenCase{"p4_trace_report.html", test::PentiumWithTraceCache, ReportFormat::Html},
                    GoldenCase{"p4_trace_record.txt", test::PentiumWithTraceCache, ReportFormat::Record},
                    GoldenCase{"amd_l3_text.txt", test::AmdWithL3, ReportFormat::Text},
                    GoldenCase{"amd_l3_report.html", test::AmdWithL3, ReportFormat::Html},
                    GoldenCase{"amd_l3_record.txt", test::AmdWithL3, ReportFormat::Record}),
    [](const testing::TestParamInfo<GoldenCase>& info) {
        std::string n = info.param.file;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

}  // namespace
}  // namespace kest
