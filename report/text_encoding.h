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

// Makes LocaleDateTime follow the user's formats (LC_TIME from the
// environment); LC_ALL, LC_TIME or LANG set to C or POSIX keep the C
// library's own. Numbers keep their point. Programs call it once at start.
void UseUserTimeLocale();

// A Qt time format without its time-zone fields: the long time format of a
// Qt locale ends in "t" ("HH:mm:ss t", "h:mm:ss AP t"), but the reports and
// the record carry the time of day only ("13:45:07", "1:45:07 PM"). The
// blank that joined a removed field goes with it; quoted text is kept.
std::string WithoutTimeZone(std::string_view qt_time_format);

}  // namespace kest
