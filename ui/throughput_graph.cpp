#include "ui/throughput_graph.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>

namespace kest {
namespace {

QColor Rgb(uint32_t rgb) { return QColor::fromRgb(rgb); }

// One-pixel pen, no antialiasing: the lines land on whole pixels.
QPen PixelPen(const QColor& colour) {
    QPen pen(colour);
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

}  // namespace

QColor ThroughputColour(ThroughputTest test) {
    switch (test) {
        case kTestCopy: return Rgb(kColourCopy);
        case kTestRead: return Rgb(kColourRead);
        case kTestWrite: return Rgb(kColourWrite);
    }
    return Qt::white;
}

QImage DrawThroughputBackground(bool middle_line, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(PixelPen(Qt::white));
    p.drawRect(0, 0, width - 1, height - 1);  // frame on the outermost pixels
    for (int k = 1; k <= 64; ++k) {
        const int x = 32 * k;
        if (x < width) p.drawLine(x, 0, x, height - 1);
    }
    if (middle_line) {
        const int y = height / 2 + 5;  // 92 for a height of 175
        p.setPen(PixelPen(Rgb(kColourMiddleLine)));
        p.drawLine(1, y, width - 1, y);
    }
    return image;
}

void DrawThroughputCurves(QImage& image, const ThroughputState& st, const TestSet& tests) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int t = 0; t < kTestCount; ++t) {
        if (!tests[t]) continue;
        p.setPen(PixelPen(ThroughputColour(static_cast<ThroughputTest>(t))));
        QPoint from(1, st.graph_y[1][t]);
        for (int r = 1; r <= kTpRows; ++r) {
            const QPoint to(2 * r, st.graph_y[r][t]);
            p.drawLine(from, to);
            from = to;
        }
    }
}

QImage DrawThroughputGraph(const ThroughputState& st) {
    QImage image = DrawThroughputBackground(true);
    DrawThroughputCurves(image, st, st.ran);
    return image;
}

QImage DrawEmptyThroughputGraph() { return DrawThroughputBackground(false); }

QImage DrawScaleStrip(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(Qt::white);
    const QFontMetrics fm(font);
    for (int k = 1; 32 * k < width; ++k) {
        const QString text = QString::number(64 * k);
        const int w = fm.horizontalAdvance(text);
        const QRect box(32 * k - w / 2, 0, w, height);
        p.drawText(box, Qt::AlignCenter, text);
    }
    return image;
}

}  // namespace kest
