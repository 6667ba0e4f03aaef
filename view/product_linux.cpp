#include "view/product.h"

namespace kest {

const std::string_view kDatabaseBrowserProgram = "kestdbbr";
const std::string_view kWrittenWith = "Written with C++20, Qt 6 Widgets and libjpeg.";

}  // namespace kest
