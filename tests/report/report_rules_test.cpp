// File names, extension rules, the record checksum and the zero-byte rule.
#include <gtest/gtest.h>

#include <algorithm>

#include "report/fixtures.h"
#include "report/text_encoding.h"

namespace kest {
namespace {

TEST(ReportNames, DefaultNamesFromSignatureDigits) {
    struct Case {
        const char *fam, *mdl, *stp, *digits;
    };
    const Case cases[] = {
        {"15", "2", "9", "F29"}, {"15", "0", "7", "F7"}, {"6", "8", "3", "683"},
        {"0", "0", "0", ""},     {"4", "10", "11", "4AB"},
        {"x", "1", "2", "12"},  // a label that is not a number gives no digit
    };
    for (const Case& c : cases) {
        WindowState w;
        w[ctl::kFam].text = c.fam, w[ctl::kMdl].text = c.mdl, w[ctl::kStp].text = c.stp;
        EXPECT_EQ(SignatureDigits(w), c.digits) << c.fam << "/" << c.mdl << "/" << c.stp;
        EXPECT_EQ(DefaultReportName(w), std::string("zakcpu_0x") + c.digits + "h");
    }
    WindowState w;
    w[ctl::kFam].text = "15", w[ctl::kMdl].text = "2", w[ctl::kStp].text = "9";
    EXPECT_EQ(DefaultScreenshotName(w, 0), "zakcpu0_0xF29h");
    EXPECT_EQ(DefaultScreenshotName(w, 12), "zakcpu12_0xF29h");
}

TEST(ReportNames, ExtensionRulesAreCaseSensitive) {
    struct Case {
        std::string (*rule)(std::string);
        const char *chosen, *saved;
    };
    const Case cases[] = {
        {WithTextExtension, "cpu", "cpu.txt"},
        {WithTextExtension, "/tmp/cpu.txt", "/tmp/cpu.txt"},
        {WithTextExtension, "cpu.TXT", "cpu.TXT.txt"},
        {WithTextExtension, "cpu.txt.bak", "cpu.txt.bak.txt"},
        {WithHtmlExtension, "page", "page.html"},
        {WithHtmlExtension, "page.htm", "page.htm"},
        {WithHtmlExtension, "page.html", "page.html"},
        {WithHtmlExtension, "page.HTM", "page.HTM.html"},
        {WithHtmlExtension, "page.txt", "page.txt.html"},
        {WithBitmapExtension, "shot", "shot.bmp"},
        {WithBitmapExtension, "shot.bmp", "shot.bmp"},
        {WithBitmapExtension, "shot.BMP", "shot.BMP.bmp"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.rule(c.chosen), c.saved) << c.chosen;
}

TEST(RecordChecksum, ExamplesAndThirtyTwoBitProducts) {
    CpuidData cpu;
    CacheInfo caches;
    cpu.stfamily = 6;
    EXPECT_EQ(RecordChecksum(cpu, caches, 0), 96u);

    cpu = CpuidData{};
    cpu.mxecpuid = 0x80000008;  // 10 x 2147483656 reduced modulo 2^32
    EXPECT_EQ(RecordChecksum(cpu, caches, 0), 80u);

    cpu = CpuidData{};
    cpu.stfamily = 15, cpu.st_model = 2, cpu.stepping = 9;
    EXPECT_EQ(RecordChecksum(cpu, caches, 0), 436u);

    // Each product is cut to 32 bits but the sum is not: six words of all
    // ones give six products near 2^32, whose sum passes 2^32.
    cpu = CpuidData{};
    cpu.maxcpuid = cpu.mxecpuid = cpu.featurs1 = cpu.featurs2 = cpu.feature1 = 0xFFFFFFFFu;
    const uint64_t want = (uint64_t{0x100000000} - 9) + (uint64_t{0x100000000} - 10) +
                          (uint64_t{0x100000000} - 11) + (uint64_t{0x100000000} - 12) +
                          (uint64_t{0x100000000} - 13);
    EXPECT_EQ(RecordChecksum(cpu, caches, 0), want);

    // Cache sizes and intprocn are covered, associativities are not.
    cpu = CpuidData{};
    caches.l1.level1dc = 1, caches.l1.level1ic = 1, caches.l2.level2cs = 1, caches.l3.level3cs = 1;
    caches.l1.l1dassoc = 200;
    EXPECT_EQ(RecordChecksum(cpu, caches, 1), 8u + 38 + 46 + 56 + 69);
}

TEST(DatabaseRecordLayout, AlwaysNinetyEightLinesWithoutZeroBytes) {
    test::Processor p = test::PentiumWithTraceCache();
    // A label that somehow holds a zero byte and a value with a line break.
    p.window[ctl::kCore].text = std::string("Willa\0mette", 11);
    p.window[ctl::kTech1].text = "line one\r\nline two";
    p.cpu.ext_name = std::string(48, '\0');  // no brand string at all
    p.cpu.mxecpuid = 0;
    const std::string rec = DatabaseRecord(p.Inputs());
    EXPECT_EQ(std::count(rec.begin(), rec.end(), '\n'), 98);
    EXPECT_EQ(rec.find('\0'), std::string::npos);
    EXPECT_NE(rec.find("\r\next_name=\r\n"), std::string::npos);
    EXPECT_NE(rec.find("\r\ncorecode=Willa\r\n"), std::string::npos);
    EXPECT_NE(rec.find("\r\ntechpar1=line one  line two\r\n"), std::string::npos);
    EXPECT_NE(rec.find("\r\nmxecpuid=0\r\n"), std::string::npos);
}

TEST(Reports, NeverContainZeroBytes) {
    test::Processor p = test::AmdWithL3();
    p.window[ctl::kCpuname].text = std::string("AMD\0junk", 8);
    p.window[ctl::kTech2].text = std::string("\0", 1);
    for (ReportFormat f : {ReportFormat::Text, ReportFormat::Html, ReportFormat::Record}) {
        const std::string out = RenderReport(f, p.Inputs());
        EXPECT_EQ(out.find('\0'), std::string::npos);
        EXPECT_EQ(out.find("junk"), std::string::npos);
    }
}

TEST(Reports, EveryLineEndsInCrLf) {
    const test::Processor p = test::AmdWithL3();
    for (ReportFormat f : {ReportFormat::Text, ReportFormat::Html, ReportFormat::Record}) {
        const std::string out = RenderReport(f, p.Inputs());
        ASSERT_GE(out.size(), 2u);
        EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
        for (size_t i = 0; i < out.size(); ++i) {
            if (out[i] == '\n') {
                ASSERT_TRUE(i > 0 && out[i - 1] == '\r') << "bare LF at " << i;
            }
        }
    }
}

// The later words' tables follow the three, each word whose leaf the maximum
// leaves admit, only for a processor with leaf 7 or an extended ECX word; the
// database record never changes with them.
TEST(Reports, LaterWordTablesOnlyWithLeafSevenOrExtendedEcx) {
    test::Processor p = test::AmdWithL3();  // maximum leaf 5, extended 0x8000001B
    const std::string plain_text = RenderReport(ReportFormat::Text, p.Inputs());
    const std::string plain_record = RenderReport(ReportFormat::Record, p.Inputs());
    EXPECT_EQ(plain_text.find("(ECX)"), std::string::npos);

    p.cpu.ext1_ecx = 0x1;  // LAHF/SAHF in 64-bit mode
    p.cpu.ext8_ebx = 0x200;
    std::string text = RenderReport(ReportFormat::Text, p.Inputs());
    EXPECT_NE(text.find("Extended Feature Flags (ECX):\r\n1  [0]  LAHF/SAHF in 64-bit Mode\r\n"), std::string::npos);
    EXPECT_NE(text.find("Extended Feature Flags (80000008h, EBX):"), std::string::npos);
    EXPECT_EQ(text.find("leaf 7"), std::string::npos);       // not admitted by a maximum leaf 5
    EXPECT_EQ(text.find("80000021h"), std::string::npos);    // nor by 0x8000001B
    EXPECT_LT(text.find("Extended Feature Flags:"), text.find("Extended Feature Flags (ECX):"));
    EXPECT_EQ(RenderReport(ReportFormat::Record, p.Inputs()), plain_record);

    p.cpu.maxcpuid = 7;
    p.cpu.l7s0_ebx = 1u << 5;
    const std::string html = RenderReport(ReportFormat::Html, p.Inputs());
    EXPECT_NE(html.find("Structured Feature Flags (leaf 7, EBX)"), std::string::npos);
    EXPECT_NE(html.find("[5]  AVX2 Instructions&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;Supported"), std::string::npos);
    EXPECT_NE(html.find("</TABLE></CENTER>"), std::string::npos);
}

TEST(Reports, FormatNames) {
    EXPECT_EQ(ParseReportFormat("text"), ReportFormat::Text);
    EXPECT_EQ(ParseReportFormat("html"), ReportFormat::Html);
    EXPECT_EQ(ParseReportFormat("record"), ReportFormat::Record);
    EXPECT_FALSE(ParseReportFormat("TEXT"));
    EXPECT_FALSE(ParseReportFormat(""));
}

TEST(TextEncoding, Utf8ToWindows1252) {
    EXPECT_EQ(Utf8ToCp1252("0,13\xC2\xB5m"), "0,13\xB5m");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC 5"), "\x80 5");  // euro sign
    EXPECT_EQ(Utf8ToCp1252("\xE6\x97\xA5"), "?");        // not in the code page
    EXPECT_EQ(Utf8ToCp1252("a\xFF"), "a?");               // broken sequence
    EXPECT_EQ(Utf8ToCp1252("13:45\xE2\x80\xAF" "PM"), "13:45 PM");
}

TEST(TextEncoding, LongTimeFormatLosesItsTimeZone) {
    // Long time formats as Qt's locales give them; the files carry the time
    // of day only, as the user's long time format does elsewhere.
    const std::pair<const char*, const char*> cases[] = {
        {"HH:mm:ss t", "HH:mm:ss"},
        {"h:mm:ss AP t", "h:mm:ss AP"},
        {"h:mm:ss\xE2\x80\xAF" "AP t", "h:mm:ss\xE2\x80\xAF" "AP"},
        {"H\xE6\x99\x82mm\xE5\x88\x86ss\xE7\xA7\x92 t", "H\xE6\x99\x82mm\xE5\x88\x86ss\xE7\xA7\x92"},
        {"t HH:mm:ss", "HH:mm:ss"},              // zone first
        {"HH:mm:ss tttt", "HH:mm:ss"},           // the long zone names of newer Qt
        {"HH 'h' mm 'o''clock' t", "HH 'h' mm 'o''clock'"},  // quoted text is kept
        {"HH:mm:ss 'at' t", "HH:mm:ss 'at'"},
        {"HH:mm:ss", "HH:mm:ss"},
        {"", ""},
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(WithoutTimeZone(in), want) << in;
}

}  // namespace
}  // namespace kest
