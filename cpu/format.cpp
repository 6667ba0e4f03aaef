// zakfunctions: the small number-to-text conversions every unit uses.
#include "cpu/format.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace kest {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Code points of Windows-1252 bytes 0x80-0x9F. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their C1 control
// code points, as the WHATWG encoding standard maps them, so every byte
// string converts and the conversion can be reversed.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

int64_t RoundHalfEven(double x) {
    if (std::isnan(x)) return 0;
    // 2^63 is exactly representable; anything at or past it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (x >= kLimit) return std::numeric_limits<int64_t>::max();
    if (x <= -kLimit) return std::numeric_limits<int64_t>::min();
    const double f = std::floor(x);
    const double diff = x - f;
    double r = f;
    if (diff > 0.5) {
        r = f + 1;
    } else if (diff == 0.5) {
        r = std::fmod(f, 2.0) == 0 ? f : f + 1;
    }
    if (r >= kLimit) return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(r);
}

std::string DivText(int32_t a, int32_t b) {
    // Callers pass non-zero constants; a zero divisor is a programming error
    // and must not reach the hardware division.
    if (b == 0) throw std::domain_error("DivText: division by zero");
    // 64-bit arithmetic: the same digits as 32-bit truncating division for
    // every input that fits, and no overflow for INT32_MIN / -1 or for
    // remainders times ten.
    const int64_t x = a, y = b;
    const int64_t q = x / y;
    const int64_t r1 = (x % y) * 10;
    const int64_t d1 = r1 / y;
    const int64_t d2 = ((r1 % y) * 10) / y;
    return std::to_string(q) + "." + std::to_string(d1) + std::to_string(d2);
}

int32_t HexToInt(std::string_view s) {
    // Read as "$" + s by an integer parser: hexadecimal digits only, at most
    // 32 bits (values from 0x80000000 up come out negative); anything else
    // is a conversion error and gives 0.
    if (s.empty()) return 0;
    uint64_t v = 0;
    for (char c : s) {
        const int d = HexDigitValue(c);
        if (d < 0) return 0;
        v = (v << 4) | static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFu) return 0;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

std::string HexText(uint32_t v, bool strip) {
    char digits[8];
    for (int i = 0; i < 8; ++i) digits[i] = kHexDigits[(v >> (28 - 4 * i)) & 0xF];
    int skip = 0;
    if (strip) {
        while (skip < 8 && digits[skip] == '0') ++skip;
        if (skip % 2 == 1) --skip;  // drop whole zero bytes only
    }
    return std::string(digits + skip, digits + 8);
}

std::string StrToHexText(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (auto it = s.rbegin(); it != s.rend(); ++it)
        out += HexText(static_cast<unsigned char>(*it), true);
    return out;
}

std::array<uint8_t, 32> BitsOf(uint32_t v) {
    std::array<uint8_t, 32> bits{};
    for (int i = 0; i < 32; ++i) bits[i] = static_cast<uint8_t>((v >> i) & 1u);
    return bits;
}

std::string AssocText(uint16_t ways) {
    switch (ways) {
        case 0: return "off";
        case 1: return "direct map";
        case 2: return "2-way";
        case 4: return "4-way";
        case 8: return "8-way";
        case 16: return "16-way";
        case 32: return "32-way";
        case 255: return "fully";
        default:
            // Way counts of later caches (6, 12, 20 ...); 256 and above are
            // not way counts the decoders produce.
            if (ways < 255) return std::to_string(ways) + "-way";
            return "";
    }
}

std::string KbText(uint32_t v, bool uops) {
    // The whole number: large level-3 caches exceed 65535 KB.
    std::string out = std::to_string(v);
    if (uops) {
        out += 'K';
        out += kMicro;
        out += "Ops";
    } else {
        out += "Kb";
    }
    return out;
}

std::string BytesText(uint16_t v, bool uops) {
    std::string out = std::to_string(v);
    if (uops) {
        out += ' ';
        out += kMicro;
        out += "Ops";
    } else {
        out += " bytes";
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    for (char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out += ch;
        else if (b < 0xA0)
            AppendUtf8(out, kCp1252High[b - 0x80]);
        else
            AppendUtf8(out, b);  // 0xA0-0xFF are Latin-1
    }
    return out;
}

std::optional<char> Cp1252Byte(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    if (cp < 0xA0) return std::nullopt;  // C1 controls
    for (unsigned i = 0; i < 32; ++i)
        if (kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

}  // namespace kest
