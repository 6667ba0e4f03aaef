#include "report/text_encoding.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "cpu/format.h"

namespace kest {

namespace {

char FromCodePoint(uint32_t cp) {
    if (auto b = Cp1252Byte(cp)) return *b;
    if (cp == 0x202F || cp == 0x2009) return ' ';  // narrow blanks some locales put before AM/PM
    return '?';
}

}  // namespace

std::string Utf8ToCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) {
            out += '?';
            ++i;
            continue;
        }
        uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        out += FromCodePoint(cp);
        i += len;
    }
    return out;
}

std::string WithoutTimeZone(std::string_view f) {
    auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    std::string out;
    bool drop_next_blanks = false;
    for (size_t i = 0; i < f.size();) {
        if (f[i] == '\'') {  // quoted text, '' standing for one quote
            size_t end = i + 1;
            while (end < f.size()) {
                if (f[end] == '\'' && end + 1 < f.size() && f[end + 1] == '\'') {
                    end += 2;
                } else if (f[end] == '\'') {
                    ++end;
                    break;
                } else {
                    ++end;
                }
            }
            out.append(f.substr(i, end - i));
            i = end;
            drop_next_blanks = false;
        } else if (f[i] == 't') {  // t, tt, ttt, tttt: the time zone
            while (i < f.size() && f[i] == 't') ++i;
            if (!out.empty() && blank(out.back())) {
                while (!out.empty() && blank(out.back())) out.pop_back();
            } else {
                drop_next_blanks = true;
            }
        } else {
            if (!(drop_next_blanks && blank(f[i]))) {
                out += f[i];
                drop_next_blanks = false;
            }
            ++i;
        }
    }
    while (!out.empty() && blank(out.back())) out.pop_back();
    return out;
}

void UseUserTimeLocale() {
    const char* asked = std::getenv("LC_ALL");
    if (!asked || !*asked) asked = std::getenv("LC_TIME");
    if (!asked || !*asked) asked = std::getenv("LANG");
    const bool plain = asked && (std::strcmp(asked, "C") == 0 || std::strcmp(asked, "POSIX") == 0);
    std::setlocale(LC_TIME, plain ? "C" : "");
}

}  // namespace kest
