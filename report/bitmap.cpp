#include "report/bitmap.h"

#include "cpu/file_io.h"

namespace kest {

namespace {

void Put16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string BmpBytes(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0) return {};
    const uint64_t w = static_cast<uint64_t>(image.width), h = static_cast<uint64_t>(image.height);
    if (image.rgb.size() != w * h * 3) return {};
    const uint64_t row = (w * 3 + 3) / 4 * 4;
    const uint64_t pixels = row * h;
    const uint64_t total = 14 + 40 + pixels;
    if (total > 0xFFFFFFFFu) return {};

    std::string s;
    s.reserve(static_cast<size_t>(total));
    s += "BM";
    Put32(s, static_cast<uint32_t>(total));
    Put32(s, 0);        // reserved
    Put32(s, 14 + 40);  // offset of the pixels
    Put32(s, 40);       // BITMAPINFOHEADER
    Put32(s, static_cast<uint32_t>(w));
    Put32(s, static_cast<uint32_t>(h));  // positive: rows bottom-up
    Put16(s, 1);                         // planes
    Put16(s, 24);                        // bits per pixel
    Put32(s, 0);                         // BI_RGB
    Put32(s, static_cast<uint32_t>(pixels));
    Put32(s, 3780);  // 96 dpi in pixels per metre
    Put32(s, 3780);
    Put32(s, 0);  // palette colours
    Put32(s, 0);  // important colours
    for (uint64_t y = h; y-- > 0;) {
        const uint8_t* p = image.rgb.data() + y * w * 3;
        for (uint64_t x = 0; x < w; ++x, p += 3) {
            s += static_cast<char>(p[2]);
            s += static_cast<char>(p[1]);
            s += static_cast<char>(p[0]);
        }
        s.append(static_cast<size_t>(row - w * 3), '\0');
    }
    return s;
}

std::optional<std::string> SaveBmp(const std::string& path, const RgbImage& image) {
    std::string bytes = BmpBytes(image);
    if (bytes.empty()) return "Cannot create file \"" + path + "\". The picture is empty.";
    if (auto err = WriteFileSafely(path, bytes)) return "Cannot create file \"" + path + "\". " + *err;
    return std::nullopt;
}

}  // namespace kest
