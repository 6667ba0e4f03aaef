// JPEG pictures decoded with libjpeg into QImage.
#pragma once

#include <QByteArray>
#include <QImage>

namespace kest::ui {

// The decoded picture, or a null image when the data is not a readable JPEG.
QImage DecodeJpeg(const QByteArray& data);

// The logo picture of a product-line code from the resources (":/logos/0308.jpg").
QImage LogoImage(unsigned code);

}  // namespace kest::ui
