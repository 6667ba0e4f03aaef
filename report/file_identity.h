// Whether two names lead to one file.
#pragma once

#include <string>

namespace kest {

// True when `target` (itself, a link at it not followed) and `source` (links
// followed) both exist and are the same file under any names: writing
// `target` would then replace `source`.
bool IsSameFile(const std::string& target, const std::string& source);

}  // namespace kest
