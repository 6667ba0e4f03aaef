#include <sys/stat.h>

#include "report/file_identity.h"

namespace kest {

bool IsSameFile(const std::string& target, const std::string& source) {
    struct stat out {};
    struct stat in {};
    return ::lstat(target.c_str(), &out) == 0 && ::stat(source.c_str(), &in) == 0 && in.st_dev == out.st_dev &&
           in.st_ino == out.st_ino;
}

}  // namespace kest
