// Draws the logo pictures of the processor overview page: the product
// line's name set in a plain badge, one colour per maker. Run once; the JPEG
// files it writes into the given folder are committed and compiled into the
// program's resources.
//   cmake --build build --target kest_make_logos && build/ui/kest_make_logos ui/logos
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <cstdio>

namespace {

struct Badge {
    int code;
    const char* maker;
    const char* line1;
    const char* line2;  // may be empty
};

constexpr Badge kBadges[] = {
    {104, "AMD", "K6", ""},           {105, "AMD", "K6-2", ""},
    {106, "AMD", "K6-III", ""},       {107, "AMD", "Athlon", ""},
    {108, "AMD", "Duron", ""},        {109, "AMD", "Athlon", "XP"},
    {110, "AMD", "Opteron", ""},      {111, "AMD", "Athlon", "64"},
    {112, "AMD", "Athlon 64", "FX"},  {113, "AMD", "64-bit", ""},
    {202, "VIA", "C3", ""},           {302, "Intel", "Pentium", ""},
    {303, "Intel", "Pentium", "MMX"}, {305, "Intel", "Pentium", "II"},
    {306, "Intel", "Celeron", ""},    {307, "Intel", "Pentium", "III"},
    {308, "Intel", "Pentium 4", ""},  {309, "Intel", "Pentium 4", "Extreme"},
    {310, "Intel", "Pentium 4", "HT"}, {311, "Intel", "Celeron", "D"},
    {901, "Transmeta", "Crusoe", ""}, {1100, "IDT", "WinChip", ""},
    // The lines after the name tables.
    {114, "AMD", "Athlon", "X2 / II"},  {115, "AMD", "Phenom", ""},
    {116, "AMD", "APU", "A / E / FX"},  {117, "AMD", "Ryzen", ""},
    {118, "AMD", "Ryzen", "Threadripper"}, {119, "AMD", "EPYC", ""},
    {120, "AMD", "Sempron", ""},        {121, "AMD", "Turion", ""},
    {203, "VIA", "C7", ""},             {204, "VIA", "Nano", ""},
    {205, "Zhaoxin", "KaiXian", "KaiSheng"}, {206, "Hygon", "C86", ""},
    {312, "Intel", "Core", "Duo / Solo"}, {313, "Intel", "Core 2", ""},
    {314, "Intel", "Core", "i3 i5 i7 i9"}, {315, "Intel", "Core", "Ultra"},
    {316, "Intel", "Xeon", ""},         {317, "Intel", "Atom", ""},
    {318, "Intel", "Pentium", "Celeron"},
};

QColor MakerColour(const QString& maker) {
    if (maker == "AMD") return QColor(0x1f, 0x6f, 0x5c);
    if (maker == "Intel") return QColor(0x24, 0x4c, 0x8c);
    if (maker == "VIA") return QColor(0x6a, 0x3d, 0x8a);
    if (maker == "Transmeta") return QColor(0xa8, 0x55, 0x1c);
    if (maker == "Zhaoxin") return QColor(0x9a, 0x2e, 0x3a);
    if (maker == "Hygon") return QColor(0x2f, 0x5e, 0x7a);
    return QColor(0x55, 0x5d, 0x66);
}

// The largest bold font of at most `max_px` pixels in which `text` fits `width`.
QFont Fitting(const QString& text, int width, int max_px) {
    QFont f("DejaVu Sans");
    f.setBold(true);
    for (int px = max_px; px > 6; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(text) <= width) break;
    }
    return f;
}

QImage Draw(const Badge& b) {
    QImage img(79, 79, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = MakerColour(b.maker);
    QLinearGradient g(0, 0, 0, 79);
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(1, base.darker(115));
    QPainterPath badge;
    badge.addRoundedRect(QRectF(3.5, 3.5, 72, 72), 12, 12);
    p.fillPath(badge, g);
    p.setPen(QPen(base.darker(160), 1.5));
    p.drawPath(badge);
    // A thin rule between the maker and the product line.
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.drawLine(QPointF(14, 26.5), QPointF(65, 26.5));

    p.setPen(QColor(230, 236, 240));
    p.setFont(Fitting(b.maker, 60, 12));
    p.drawText(QRect(4, 9, 71, 15), Qt::AlignCenter, b.maker);

    p.setPen(Qt::white);
    const QString l1 = b.line1, l2 = b.line2;
    if (l2.isEmpty()) {
        p.setFont(Fitting(l1, 64, 17));
        p.drawText(QRect(4, 30, 71, 36), Qt::AlignCenter, l1);
    } else {
        p.setFont(Fitting(l1, 64, 15));
        p.drawText(QRect(4, 29, 71, 20), Qt::AlignCenter, l1);
        p.setFont(Fitting(l2, 60, 16));
        p.drawText(QRect(4, 49, 71, 20), Qt::AlignCenter, l2);
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("ui/logos");
    QDir().mkpath(dir);
    for (const Badge& b : kBadges) {
        const QString path = QStringLiteral("%1/%2.jpg").arg(dir).arg(b.code, 4, 10, QLatin1Char('0'));
        if (!Draw(b).save(path, "JPEG", 92)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
