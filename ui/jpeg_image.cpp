#include "ui/jpeg_image.h"

#include <csetjmp>
#include <cstdio>

#include <QFile>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace kest::ui {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// jump back to DecodeJpeg.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void SilentMessage(j_common_ptr) {}

// Holds only plain locals: the objects that outlive a jump are the caller's.
bool DecodeInto(const unsigned char* data, unsigned long size, QImage* out) {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = SilentMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3 || cinfo.output_width == 0 || cinfo.output_height == 0 ||
        cinfo.output_width > 8192 || cinfo.output_height > 8192) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    *out = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                  QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data) {
    if (data.isEmpty()) return {};
    QImage image;
    if (!DecodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
                    static_cast<unsigned long>(data.size()), &image))
        return {};
    return image;
}

QImage LogoImage(unsigned code) {
    QFile f(QStringLiteral(":/logos/%1.jpg").arg(code, 4, 10, QLatin1Char('0')));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return DecodeJpeg(f.readAll());
}

}  // namespace kest::ui
