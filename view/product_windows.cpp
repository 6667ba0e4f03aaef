#include "view/product.h"

namespace kest {

const std::string_view kDatabaseBrowserProgram = "kestdbbr.exe";
const std::string_view kWrittenWith = "Written with C++20, Win32 and the common controls.";

}  // namespace kest
