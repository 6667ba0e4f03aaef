#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>

#include "cpu/format.h"

namespace kest {
namespace {

TEST(Format, DivTextTruncatesToTwoDecimals) {
    struct Case {
        int32_t a, b;
        const char* text;
    };
    const Case cases[] = {
        {2000, 3000, "0.66"}, {3000, 1500, "2.00"}, {999, 1000, "0.99"}, {2666, 1000, "2.66"},
        {1, 3, "0.33"},       {0, 1000, "0.00"},    {5, 1000, "0.00"},   {12345, 1000, "12.34"},
        {2147483647, 1000, "2147483.64"},
        {-2147483647 - 1, -1, "2147483648.00"},  // no overflow trap
    };
    for (const Case& c : cases) EXPECT_EQ(DivText(c.a, c.b), c.text) << c.a << "/" << c.b;
    EXPECT_THROW(DivText(1, 0), std::domain_error);
}

TEST(Format, HexToIntReadsHexadecimalOrGivesZero) {
    struct Case {
        const char* s;
        int32_t v;
    };
    const Case cases[] = {
        {"0", 0},           {"1F", 31},        {"1f", 31},          {"00000F29", 0xF29},
        {"7FFFFFFF", 0x7FFFFFFF}, {"FFFFFFFF", -1}, {"80000000", -2147483647 - 1},
        {"000000000010", 16},  // leading zeros beyond eight digits are fine
        {"", 0},            {"G", 0},          {"12 ", 0},          {" 12", 0},
        {"$12", 0},         {"-1", 0},         {"100000000", 0},    {"0x10", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(HexToInt(c.s), c.v) << '"' << c.s << '"';
}

TEST(Format, HexText) {
    struct Case {
        uint32_t v;
        bool strip;
        const char* text;
    };
    const Case cases[] = {
        {0, false, "00000000"},     {0, true, ""},
        {0x00000F29, false, "00000F29"}, {0x00000F29, true, "0F29"},
        {0x5, true, "05"},          {0x1234, true, "1234"},     {0x123, true, "0123"},
        {0x80000000, true, "80000000"}, {0x00FF0000, true, "FF0000"},
        {0x0ABCDEF1, true, "0ABCDEF1"}, {0xDEADBEEF, false, "DEADBEEF"},
    };
    for (const Case& c : cases) EXPECT_EQ(HexText(c.v, c.strip), c.text) << std::hex << c.v << " " << c.strip;
}

TEST(Format, StrToHexTextReversesAndSkipsZeroBytes) {
    EXPECT_EQ(StrToHexText("ABC"), "434241");
    EXPECT_EQ(StrToHexText(""), "");
    EXPECT_EQ(StrToHexText(std::string("A\0B", 3)), "4241");
    EXPECT_EQ(StrToHexText("\x01\xFF"), "FF01");
}

TEST(Format, BitsOf) {
    const auto bits = BitsOf(0x80000005);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(bits[i], (i == 0 || i == 2 || i == 31) ? 1 : 0) << i;
    for (uint8_t b : BitsOf(0)) EXPECT_EQ(b, 0);
    for (uint8_t b : BitsOf(0xFFFFFFFF)) EXPECT_EQ(b, 1);
}

TEST(Format, AssocText) {
    // The old codes keep their texts; every other count up to 254 is "N-way".
    const std::map<uint16_t, std::string> named = {{0, "off"},   {1, "direct map"}, {2, "2-way"},  {4, "4-way"},
                                                   {8, "8-way"}, {16, "16-way"},    {32, "32-way"}, {255, "fully"}};
    for (unsigned ways = 0; ways <= 255; ++ways) {
        const auto it = named.find(uint16_t(ways));
        const std::string want = it != named.end() ? it->second : std::to_string(ways) + "-way";
        EXPECT_EQ(AssocText(uint16_t(ways)), want) << ways;
    }
    EXPECT_EQ(AssocText(256), "");
    EXPECT_EQ(AssocText(0xFF00 + 8), "");
}

TEST(Format, SizeTexts) {
    EXPECT_EQ(KbText(512, false), "512Kb");
    EXPECT_EQ(KbText(12, true), "12K\xB5Ops");
    EXPECT_EQ(KbText(0, false), "0Kb");
    EXPECT_EQ(KbText(98304, false), "98304Kb");  // 96 MB of L3: not cut to 16 bits
    EXPECT_EQ(KbText(4294967295u, false), "4294967295Kb");
    EXPECT_EQ(BytesText(64, false), "64 bytes");
    EXPECT_EQ(BytesText(6, true), "6 \xB5Ops");
    EXPECT_EQ(BytesText(65535, false), "65535 bytes");
}

TEST(Format, RoundsHalfToEven) {
    struct Case { double in; int64_t out; };
    const Case cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2},
                          {7812.5, 7812}, {3906.25, 3906}, {1e300, INT64_MAX}, {-1e300, INT64_MIN}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Format, Cp1252ToUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("plain ASCII 0,13"), "plain ASCII 0,13");
    EXPECT_EQ(Cp1252ToUtf8("0,13\xB5m"), "0,13\xC2\xB5m");  // micro sign
    EXPECT_EQ(Cp1252ToUtf8("12K\xB5Ops"), "12K\xC2\xB5Ops");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\x99"), "\xE2\x84\xA2");  // trade mark
    EXPECT_EQ(Cp1252ToUtf8("\xAE"), "\xC2\xAE");      // registered
    EXPECT_EQ(Cp1252ToUtf8("\x9F\xFF"), "\xC5\xB8\xC3\xBF");
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");  // undefined: C1 controls
    EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));

    // Every byte becomes one well-formed character: 1 byte below 0x80, 2 for
    // Latin-1 and C1, 3 for the punctuation of 0x80-0x9F.
    for (int b = 0; b < 256; ++b) {
        const std::string out = Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
        const auto lead = static_cast<unsigned char>(out[0]);
        const std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        EXPECT_EQ(out.size(), len) << b;
        for (std::size_t i = 1; i < out.size(); ++i) EXPECT_EQ(static_cast<unsigned char>(out[i]) & 0xC0, 0x80) << b;
    }
}

// Encoding is the reverse of decoding for every defined byte; the undefined
// bytes, read as C1 controls, are never written back.
TEST(Format, Cp1252ByteReversesTheDecoding) {
    for (int b = 0; b < 256; ++b) {
        const std::string u = Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
        uint32_t cp = static_cast<unsigned char>(u[0]);
        if (u.size() == 2) cp = (cp & 0x1F) << 6 | (static_cast<unsigned char>(u[1]) & 0x3F);
        if (u.size() == 3)
            cp = (cp & 0x0F) << 12 | (static_cast<unsigned char>(u[1]) & 0x3F) << 6 |
                 (static_cast<unsigned char>(u[2]) & 0x3F);
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        if (undefined)
            EXPECT_EQ(Cp1252Byte(cp), std::nullopt) << b;
        else
            EXPECT_EQ(Cp1252Byte(cp), std::optional<char>(static_cast<char>(b))) << b;
    }
    EXPECT_EQ(Cp1252Byte(0x100), std::nullopt);   // Latin Extended-A, mostly missing
    EXPECT_EQ(Cp1252Byte(0x65E5), std::nullopt);  // CJK
}

}  // namespace
}  // namespace kest
