// The logo pictures, stored as JPEG resources (type RCDATA, id = the
// product-line code) and decoded by the system's picture loader.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kest::win32 {

// The decoded logo of a product-line code, or nullptr.
HBITMAP LoadLogo(HINSTANCE instance, uint16_t code);

}  // namespace kest::win32
