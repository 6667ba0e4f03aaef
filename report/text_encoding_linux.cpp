// The date and time of reports in the user's LC_TIME formats (glibc).
#include <locale.h>

#include "report/text_encoding.h"

namespace kest {

DateTimeTexts LocaleDateTime(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (!loc) loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
    char date[128] = {}, time[128] = {};
    if (loc) {
        strftime_l(date, sizeof date, "%x", &tm, loc);
        strftime_l(time, sizeof time, "%X", &tm, loc);
        freelocale(loc);
    }
    return {Utf8ToCp1252(date), Utf8ToCp1252(time)};
}

}  // namespace kest
