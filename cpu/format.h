// Small conversions from numbers to display text, shared by every unit.
// All texts are single-byte Windows-1252; the micro sign is byte 0xB5.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kest {

inline constexpr char kMicro = '\xB5';

// Nearest integer, ties to even, saturated to the int64 range; NaN gives 0.
int64_t RoundHalfEven(double x);
// a/b with two truncated decimals: DivText(2000, 3000) == "0.66".
std::string DivText(int32_t a, int32_t b);
// Hexadecimal digits (either case) to a number; 0 when s is not hexadecimal.
int32_t HexToInt(std::string_view s);
// Eight upper-case digits, or with strip the leading zero bytes removed.
std::string HexText(uint32_t v, bool strip);
// Byte-wise hex of the string read from its last character to its first.
std::string StrToHexText(std::string_view s);
std::array<uint8_t, 32> BitsOf(uint32_t v);
// "off", "direct map", "N-way" for 2 to 254 ways, "fully" for 255; empty
// for anything above.
std::string AssocText(uint16_t ways);
// "512Kb", or "12K\xB5Ops" for a trace cache.
std::string KbText(uint32_t v, bool uops);
// "64 bytes", or "6 \xB5Ops" for a trace cache.
std::string BytesText(uint16_t v, bool uops);

// Windows-1252 bytes to UTF-8 for display and JSON. The five bytes the code
// page leaves undefined become the C1 controls of the same number.
std::string Cp1252ToUtf8(std::string_view s);
// The Windows-1252 byte of a code point, or nothing when the code page has
// no such character. The C1 controls (0x80-0x9F) have none: the undefined
// bytes stand for them only when bytes are read, so text written for a
// report never gets an undefined byte.
std::optional<char> Cp1252Byte(uint32_t cp);

}  // namespace kest
