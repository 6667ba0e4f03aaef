// The date and time of reports in the C runtime's formats of the user's
// locale (set by the program's main), through the wide strftime so that
// every locale's letters arrive intact.
#include <cwchar>

#include "cpu/utf16_windows.h"
#include "report/text_encoding.h"

namespace kest {

DateTimeTexts LocaleDateTime(std::time_t t) {
    std::tm tm{};
    if (const std::tm* local = std::localtime(&t)) tm = *local;
    wchar_t date[128] = {}, time[128] = {};
    std::wcsftime(date, 128, L"%x", &tm);
    std::wcsftime(time, 128, L"%X", &tm);
    return {Utf8ToCp1252(WideToUtf8(date)), Utf8ToCp1252(WideToUtf8(time))};
}

}  // namespace kest
