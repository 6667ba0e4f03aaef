// UTF-8 (the program's own text) to UTF-16 (the Windows API's) and back.
// Only the Windows side of the seams includes this.
#pragma once

#include <string>
#include <string_view>

namespace kest {

// A broken sequence becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace kest
