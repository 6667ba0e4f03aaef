// The screenshot: a picture of the main window saved as a Windows BMP file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kest {

// Pixels row by row from the top, three bytes (red, green, blue) each.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// The complete file: BITMAPFILEHEADER, BITMAPINFOHEADER, then 24-bit rows
// bottom-up in blue-green-red order, each padded to a multiple of 4 bytes.
// Empty when the image is empty or its pixel buffer has the wrong size.
std::string BmpBytes(const RgbImage& image);

// Saves the image (replacing any file of that name, never half-written).
// Returns the message "Cannot create file "<path>". <reason>" on failure.
std::optional<std::string> SaveBmp(const std::string& path, const RgbImage& image);

}  // namespace kest
