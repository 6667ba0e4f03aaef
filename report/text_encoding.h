// Text from the platform (UTF-8) to the single-byte texts of the reports, and
// the date and time that reports and records carry.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace kest {

// UTF-8 to Windows-1252; a character the code page lacks becomes '?', and a
// broken UTF-8 sequence gives '?' per byte.
std::string Utf8ToCp1252(std::string_view utf8);

struct DateTimeTexts {
    std::string date;  // the user's short date format
    std::string time;  // the user's long time format
};

// The date and time of `t` in the C library's locale formats of the user's
// LC_TIME setting ("%x" and "%X"), as Windows-1252 text. The window uses
// Qt's locale formats instead; this serves programs without Qt.
DateTimeTexts LocaleDateTime(std::time_t t);

}  // namespace kest
