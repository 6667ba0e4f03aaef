#include "tests/view/harness.h"

#include <fstream>

namespace kest::test {

void TempDir::Touch(const std::string& name, const std::string& content) const {
    std::ofstream(path_ + "/" + name, std::ios::binary) << content;
}

}  // namespace kest::test
