#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTimer>

#include "cpu/format.h"
#include "ui/jpeg_image.h"

#include "ui/throughput_page.h"

namespace kest::ui {

WindowActions& Actions() {
    static WindowActions actions;
    return actions;
}

void ApplyWindowLook() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    QApplication::setFont(font);
}

QString DisplayText(const std::string& cp1252) {
    std::string bytes;
    bytes.reserve(cp1252.size());
    for (char ch : cp1252)
        if (ch != '\0') bytes += ch;
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

namespace {

// The platform's inactive-caption grey.
const QColor kDimmed(128, 128, 128);

// Tab pages take their caption from the state; their visibility belongs to
// the tab widget.
QTabWidget* OwningTabs(QWidget* w) {
    QWidget* stack = w->parentWidget();
    if (!stack) return nullptr;
    return qobject_cast<QTabWidget*>(stack->parentWidget());
}

}  // namespace

void ApplyControlState(QWidget* w, const ControlState& c) {
    if (QTabWidget* tabs = OwningTabs(w)) {
        const int i = tabs->indexOf(w);
        if (i >= 0) {
            tabs->setTabText(i, DisplayText(c.text));
            return;
        }
    }
    const QString text = DisplayText(c.text);
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->pixmap().isNull() && l->text() != text) {
            l->setText(text);
            // A value longer than its field ("Socket SP5 (virtual machine:
            // KVM)") can be read in full as the field's tooltip.
            const int room = l->contentsRect().width() - 2 * std::max(l->indent(), 0);
            const bool cut = l->fontMetrics().horizontalAdvance(text) > room;
            l->setToolTip(cut ? text : QString());
        }
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->text() != text) b->setText(text);
        if (b->isCheckable() && b->isChecked() != c.checked) {
            const QSignalBlocker block(b);
            b->setChecked(c.checked);
        }
        QFont f = b->font();
        if (f.bold() != c.bold) {
            f.setBold(c.bold);
            b->setFont(f);
        }
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        if (g->title() != text) g->setTitle(text);
    } else if (auto* ind = qobject_cast<Indicator*>(w)) {
        if (c.fill) ind->SetFill(*c.fill);
    } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
        bar->setRange(0, std::max(c.maximum, 1));
        bar->setValue(std::clamp(c.position, 0, std::max(c.maximum, 1)));
    } else if (auto* sb = qobject_cast<QScrollBar*>(w)) {
        sb->setRange(0, c.maximum);
        sb->setValue(c.position);
    }
    // Only a change between normal and dimmed touches the palette, so that
    // controls with a colour of their own (the links) keep it while normal.
    const bool dim = c.colour == TextColour::Dimmed;
    if (w->property("kest_dimmed").toBool() != dim) {
        QPalette pal = w->palette();
        const QColor want = dim ? kDimmed : QApplication::palette().color(QPalette::WindowText);
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(group, QPalette::WindowText, want);
            pal.setColor(group, QPalette::ButtonText, want);
        }
        w->setPalette(pal);
        w->setProperty("kest_dimmed", dim);
    }
    if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
    if (w->isVisibleTo(w->parentWidget()) != c.visible || w->isHidden() == c.visible) w->setVisible(c.visible);
}

// ---- small widgets ----

Indicator::Indicator(QWidget* parent) : QWidget(parent) { setFixedSize(16, 16); }

void Indicator::SetFill(uint32_t rgb) {
    if (rgb == fill_) return;
    fill_ = rgb;
    update();
}

void Indicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor::fromRgb(fill_));
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

// ---- builders ----

namespace {

QLabel* Caption(QWidget* parent, const QString& name, QRect r, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setAlignment(a);
    return l;
}

// A value label inside a sunken frame.
template <class L = QLabel>
L* Value(QWidget* parent, const QString& name, QRect r, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new L(parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setAlignment(a);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setIndent(3);
    return l;
}

// A caption of its own that no handler changes.
QLabel* Static(QWidget* parent, const QString& text, QRect r, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(r);
    l->setAlignment(a);
    return l;
}

QGroupBox* Group(QWidget* parent, const QString& name, QRect r) {
    auto* g = new QGroupBox(parent);
    if (!name.isEmpty()) g->setObjectName(name);
    g->setGeometry(r);
    return g;
}

Indicator* Square(QWidget* parent, const QString& name, QPoint at) {
    auto* s = new Indicator(parent);
    s->setObjectName(name);
    s->move(at);
    return s;
}

// A panel that covers a group when visible: lowered, caption centred.
QLabel* Mask(QWidget* parent, const QString& name, QRect r, bool framed = true) {
    auto* m = new QLabel(parent);
    m->setObjectName(name);
    m->setGeometry(r);
    m->setAlignment(Qt::AlignCenter);
    m->setAutoFillBackground(true);
    if (framed) m->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m->raise();
    return m;
}

QPushButton* Button(QWidget* parent, const QString& name, QRect r) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(r);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

}  // namespace

Tmain::Tmain(MainWindowModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("main");
    Build();
    CollectControls();
    Run([this] { model_.FormCreate(); });
    refrtimer_ = new QTimer(this);
    refrtimer_->setObjectName("refrtimer");
    refrtimer_->setInterval(10000);
    connect(refrtimer_, &QTimer::timeout, this, &Tmain::refrtimerTimer);
    refrtimer_->start();
}

Tmain::~Tmain() = default;

void Tmain::Build() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(536, 336);
    move(212, 169);
    setSizeGripEnabled(false);

    main_page_control_ = new QTabWidget(this);
    main_page_control_->setObjectName("main_page_control");
    main_page_control_->setGeometry(2, 2, 533, 303);
    main_page_control_->setUsesScrollButtons(false);
    const char* pages[] = {"_cpu_gen", "_cpu_flags", "_cache_i", "_othr_info", "_about"};
    QWidget* page[5];
    for (int i = 0; i < 5; ++i) {
        page[i] = new QWidget;
        page[i]->setObjectName(pages[i]);
        main_page_control_->addTab(page[i], pages[i]);
    }
    BuildCpuPage(page[0]);
    BuildFlagsPage(page[1]);
    BuildCachePage(page[2]);
    BuildOtherPage(page[3]);
    BuildAboutPage(page[4]);
    BuildButtonBar();
    main_page_control_->setCurrentIndex(0);
}

void Tmain::BuildCpuPage(QWidget* p) {
    // Rows 1 to 4.
    const int cx = 4, cw = 82, vx = 88;
    Caption(p, "Label_vstring", {cx, 3, cw, 17});
    Value(p, "vendor", {vx, 3, 435, 17});
    Caption(p, "Label_cpuname", {cx, 21, cw, 17});
    Value(p, "cpuname", {vx, 21, 266, 17});
    Caption(p, "Label_rat", {358, 21, 46, 17});
    Value(p, "p_rating", {405, 21, 118, 17});
    Caption(p, "Label_core", {cx, 39, cw, 17});
    Value(p, "core", {vx, 39, 266, 17});
    Caption(p, "Label_plt", {358, 39, 46, 17});
    Value(p, "plt", {405, 39, 118, 17});
    Caption(p, "Label_extname", {cx, 57, cw, 17});
    Value(p, "cpuextname", {vx, 57, 435, 17});

    // Logo box: the pictures lie on top of each other, at most one visible.
    auto* box = new QFrame(p);
    box->setObjectName("logo_box");
    box->setGeometry(4, 80, 81, 81);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (uint16_t code : LogoCodes()) {
        auto* img = new QLabel(box);
        img->setObjectName(QString::fromStdString(LogoName(code)));
        img->setGeometry(1, 1, 79, 79);
        img->setPixmap(QPixmap::fromImage(LogoImage(code)));
        img->hide();
    }

    // Model information: standard and extended columns.
    auto* mdl = Group(p, "Label_mdl_t", {89, 76, 120, 86});
    const char* mcap[] = {"Label_fam", "Label_model", "Label_stp", "Label_brand"};
    const char* mstd[] = {"fam", "mdl", "stp", "brand"};
    const char* mext[] = {"efam", "emdl", "estp", "ebrd"};
    for (int i = 0; i < 4; ++i) {
        Caption(mdl, mcap[i], {5, 16 + i * 17, 52, 16});
        Value<ClickLabel>(mdl, mstd[i], {57, 16 + i * 17, 28, 16}, Qt::AlignCenter)->setIndent(0);
        Value(mdl, mext[i], {87, 16 + i * 17, 29, 16}, Qt::AlignCenter)->setIndent(0);
    }

    // Cache sizes.
    auto* cs = Group(p, "Label_caches_t", {212, 76, 112, 86});
    const char* ccap[] = {"Label_l1i", "Label_l1d", "Label_l2", "Label_l3"};
    const char* cval[] = {"l1is", "l1ds", "l2s", "l3s"};
    for (int i = 0; i < 4; ++i) {
        Caption(cs, ccap[i], {5, 16 + i * 17, 50, 16});
        Value(cs, cval[i], {55, 16 + i * 17, 53, 16}, Qt::AlignCenter)->setIndent(0);
    }

    // Additional values, each clickable.
    auto* ad = Group(p, "Label_add_t", {327, 76, 96, 86});
    const char* acap[] = {"Label_type", "Label_apic", "Label_count", "Label_clfl"};
    const char* aval[] = {"ctp", "apic", "lp", "fls"};
    for (int i = 0; i < 4; ++i) {
        Caption(ad, acap[i], {5, 16 + i * 17, 58, 16});
        Value<ClickLabel>(ad, aval[i], {63, 16 + i * 17, 29, 16}, Qt::AlignCenter)->setIndent(0);
    }

    // Instruction sets.
    auto* is = Group(p, "Label_is_t", {426, 76, 97, 128});
    const char* iname[] = {"mmx_sh", "emmx_sh", "a3d_sh", "ae3d_sh", "sse_sh", "sse2_sh", "sse3_sh"};
    const char* itext[] = {"MMX", "Ext. MMX", "3DNow!", "3DNow! Plus", "SSE", "SSE2", "SSE3"};
    for (int i = 0; i < 7; ++i) {
        Square(is, iname[i], {6, 14 + i * 16});
        Static(is, itext[i], {25, 14 + i * 16, 70, 16});
    }

    // Help line.
    Value(p, "hlpstring", {4, 165, 419, 17});

    // Clock frame.
    auto* clock = new QFrame(p);
    clock->setObjectName("clock_frame");
    clock->setGeometry(4, 185, 395, 52);
    clock->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Caption(clock, "Label_cspeed", {4, 3, 62, 17});
    Value(clock, "cspeed", {66, 3, 78, 17}, Qt::AlignCenter)->setIndent(0);
    Caption(clock, "Label_fspeed", {148, 3, 58, 17});
    auto* bf = new QFrame(clock);
    bf->setObjectName("Bevel_fspeed");
    bf->setGeometry(206, 3, 80, 17);
    bf->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Caption(clock, "fspeed", {207, 4, 78, 15}, Qt::AlignCenter);
    Caption(clock, "Label_mult", {290, 3, 56, 17});
    auto* bm = new QFrame(clock);
    bm->setObjectName("Bevel_mult");
    bm->setGeometry(346, 3, 44, 17);
    bm->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Caption(clock, "mult", {347, 4, 42, 15}, Qt::AlignCenter);
    auto* bar = new QProgressBar(clock);
    bar->setObjectName("speedbar");
    bar->setGeometry(6, 23, 387, 11);
    bar->setTextVisible(false);
    // Scale labels end at one third, two thirds and the end of the bar.
    const int ends[] = {6 + 129, 6 + 258, 6 + 387};
    const char* pbs[] = {"pb1", "pb2", "pb3"};
    for (int i = 0; i < 3; ++i) {
        Caption(clock, pbs[i], {ends[i] - 70, 35, 70, 14}, Qt::AlignRight | Qt::AlignVCenter);
        auto* tick = new QFrame(clock);
        tick->setGeometry(ends[i] - 1, 34, 1, 3);
        tick->setFrameStyle(QFrame::VLine | QFrame::Plain);
    }

    // Technology.
    auto* tech = Group(p, "tech_title", {401, 205, 124, 53});
    for (int i = 0; i < 3; ++i)
        Caption(tech, QStringLiteral("tech_%1").arg(i + 1), {4, 13 + i * 13, 117, 13});

    // Value fields that explain themselves on the help line.
    const std::pair<const char*, void (MainWindowModel::*)()> clicks[] = {
        {"fam", &MainWindowModel::famClick},   {"mdl", &MainWindowModel::mdlClick},
        {"brand", &MainWindowModel::brandClick}, {"ctp", &MainWindowModel::ctpClick},
        {"apic", &MainWindowModel::apicClick}, {"lp", &MainWindowModel::lpClick},
        {"fls", &MainWindowModel::flsClick}};
    for (const auto& [name, handler] : clicks) {
        auto* l = p->findChild<ClickLabel*>(name);
        auto h = handler;
        connect(l, &ClickLabel::clicked, this, [this, h] { Run([this, h] { (model_.*h)(); }); });
    }

    // Serial number.
    Caption(p, "Label_sn", {cx, 260, 80, 17});
    Value(p, "serialnumber", {vx, 260, 336, 17});
    auto* fullsn = new QCheckBox(p);
    fullsn->setObjectName("CheckBox_fullsn");
    fullsn->setGeometry(430, 260, 90, 17);
    connect(fullsn, &QCheckBox::toggled, this, [this](bool on) {
        Run([this, on] {
            model_.State()["CheckBox_fullsn"].checked = on;
            model_.CheckBox_fullsnClick();
        });
    });
}

void Tmain::BuildFlagsPage(QWidget* p) {
    const char* names[] = {"b_sff", "b_aff", "b_eff"};
    for (int i = 0; i < 3; ++i) {
        auto* b = Button(p, names[i], {4 + i * 175, 4, 173, 21});
        connect(b, &QPushButton::clicked, this, [this, i] {
            Run([this, i] {
                if (i == 0) model_.b_sffClick();
                if (i == 1) model_.b_affClick();
                if (i == 2) model_.b_effClick();
            });
        });
    }
    auto* panel = new QFrame(p);
    panel->setObjectName("sff_p");
    panel->setGeometry(4, 28, 521, 246);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (int i = 0; i < 32; ++i) {
        const int col = i / 16, row = i % 16;
        const int x = 6 + col * 258, y = 4 + row * 15;
        Square(panel, QStringLiteral("S%1").arg(i), {x, y});
        Caption(panel, QStringLiteral("Label_s%1").arg(i), {x + 20, y, 229, 16});
    }
}

void Tmain::BuildCachePage(QWidget* p) {
    cache_control_ = new QTabWidget(p);
    cache_control_->setObjectName("_cache_control");
    cache_control_->setGeometry(2, 2, 523, 273);
    const char* names[] = {"_int_cache", "_e_cache", "_memory"};
    QWidget* sub[3];
    for (int i = 0; i < 3; ++i) {
        sub[i] = new QWidget;
        sub[i]->setObjectName(names[i]);
        cache_control_->addTab(sub[i], names[i]);
    }
    BuildIntegratedCachePage(sub[0]);
    BuildExtendedCachePage(sub[1]);
    BuildThroughputPage(*this, sub[2]);
    cache_control_->setCurrentIndex(0);
}

void Tmain::BuildIntegratedCachePage(QWidget* p) {
    const char* levels[] = {"l1", "l2", "l3"};
    for (int i = 0; i < 3; ++i) {
        auto* b = Button(p, levels[i], {4 + i * 172, 4, 170, 20});
        connect(b, &QPushButton::clicked, this, [this, i] {
            Run([this, i] {
                if (i == 0) model_.l1Click();
                if (i == 1) model_.l2Click();
                if (i == 2) model_.l3Click();
            });
        });
    }
    auto* pan = new QFrame(p);
    pan->setObjectName("c_pan");
    pan->setGeometry(4, 27, 511, 215);
    pan->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    // Two columns of three blocks; each block a heading and rows of
    // caption/value pairs for the left (cells 1, 2) and right (3, 4) column.
    const int colx[2] = {4, 258};
    const int colw = 249;
    int y = 3;
    for (int b = 1; b <= 3; ++b) {
        const int rows = b == 1 ? 4 : 2;
        for (int c = 0; c < 2; ++c) {
            auto* head = Caption(pan, QStringLiteral("head_%1%2").arg(c + 1).arg(b), {colx[c], y, colw, 15},
                                 Qt::AlignCenter);
            QFont f = head->font();
            f.setBold(true);
            head->setFont(f);
        }
        for (int r = 1; r <= rows; ++r) {
            const int ry = y + 16 + (r - 1) * 16;
            for (int c = 0; c < 2; ++c) {
                Caption(pan, QStringLiteral("l%1%2%3").arg(b).arg(r).arg(2 * c + 1), {colx[c] + 4, ry, 110, 15});
                Value(pan, QStringLiteral("l%1%2%3").arg(b).arg(r).arg(2 * c + 2), {colx[c] + 116, ry, 128, 15});
            }
        }
        y += 16 + rows * 16 + 5;
    }
    // The right column of block 1 (heading and cells): the unified L2.
    Mask(pan, "l2_mask_panel", {colx[1] - 2, 2, colw + 4, 16 + 4 * 16 + 3}, false);
    // Blocks 2 and 3, both columns.
    const int b2 = 3 + 16 + 4 * 16 + 5;
    Mask(pan, "l3_mask_panel", {2, b2 - 1, 507, 215 - b2 - 1}, false);
}

void Tmain::BuildExtendedCachePage(QWidget* p) {
    const int capx = 8, capw = 150, colw = 112, x0 = 164;
    Static(p, "Level", {capx, 6, capw, 16});
    for (int l = 0; l < 3; ++l) {
        auto* t = Caption(p, QStringLiteral("ext_l%1_tit").arg(l + 1), {x0 + l * (colw + 4), 6, colw, 16},
                          Qt::AlignCenter);
        QFont f = t->font();
        f.setBold(true);
        t->setFont(f);
    }
    const char* rows[] = {"loc", "om", "status", "sock", "ctp", "ect", "srt", "crt", "spd"};
    const char* caps[] = {"Location", "Operational mode", "Status at boot time", "Socketing", "Cache type",
                          "Error correction type", "Supported SRAM type", "Current SRAM type", "Cache speed"};
    for (int r = 0; r < 9; ++r) {
        const int y = 26 + r * 24;
        Static(p, caps[r], {capx, y, capw, 18});
        for (int l = 0; l < 3; ++l)
            Value(p, QStringLiteral("ext_l%1_%2").arg(l + 1).arg(rows[r]), {x0 + l * (colw + 4), y, colw, 18},
                  Qt::AlignCenter)
                ->setIndent(0);
    }
    Mask(p, "panel_extc_mask", {0, 0, 519, 250});
}

void Tmain::BuildOtherPage(QWidget* p) {
    auto* epm = Group(p, "", {4, 4, 258, 128});
    epm->setTitle("Enhanced Power Management Flags");
    const char* en[] = {"epm1s", "epm2s", "epm3s", "epm4s", "epm5s", "epm6s"};
    const char* et[] = {"Temperature Sensor", "Frequency ID Control", "Voltage ID Control", "Thermal Trip",
                        "Thermal Monitoring", "Software Thermal Control"};
    for (int i = 0; i < 6; ++i) {
        Square(epm, en[i], {10, 20 + i * 17});
        Static(epm, et[i], {32, 20 + i * 17, 220, 16});
    }
    Mask(epm, "epm_mask_panel", {3, 16, 252, 109});

    auto* as = Group(p, "", {266, 4, 259, 128});
    as->setTitle("Address Size");
    Static(as, "Physical address", {10, 28, 100, 18});
    Value(as, "as_p", {112, 28, 138, 18}, Qt::AlignCenter)->setIndent(0);
    Static(as, "Virtual address", {10, 60, 100, 18});
    Value(as, "as_v", {112, 60, 138, 18}, Qt::AlignCenter)->setIndent(0);
    Mask(as, "as_mask_panel", {3, 16, 253, 109});

    auto* dmi = Group(p, "", {4, 136, 521, 110});
    dmi->setTitle("DMI CPU Information (may be incorrect)");
    const char* dn[] = {"dmi_cur", "dmi_max", "dmi_status"};
    const char* dt[] = {"CPU Current speed", "CPU Max Speed", "CPU Status"};
    for (int i = 0; i < 3; ++i) {
        Static(dmi, dt[i], {10, 22 + i * 26, 140, 18});
        Value(dmi, dn[i], {156, 22 + i * 26, 200, 18}, Qt::AlignCenter)->setIndent(0);
    }
    Mask(dmi, "dmi_mask_panel", {3, 16, 515, 91});
}

void Tmain::BuildAboutPage(QWidget* p) {
    auto* name = Caption(p, "about_name", {4, 12, 521, 34}, Qt::AlignCenter);
    QFont big("DejaVu Serif");
    big.setPixelSize(26);
    big.setBold(true);
    name->setFont(big);
    Caption(p, "about_version", {4, 48, 521, 16}, Qt::AlignCenter);
    Static(p, "CPU identification, caches, feature flags and clock of this machine.", {4, 82, 521, 16},
           Qt::AlignCenter);
    Static(p, "Written with C++20, Qt 6 Widgets and libjpeg.", {4, 100, 521, 16}, Qt::AlignCenter);
    Static(p, "Questions and reports:", {4, 130, 521, 16}, Qt::AlignCenter);
    auto link = [&](const char* n, QRect r, auto slot) {
        auto* l = Caption(p, n, r, Qt::AlignCenter);
        auto* cl = new ClickLabel(p);
        cl->setObjectName(n);
        cl->setGeometry(l->geometry());
        cl->setAlignment(Qt::AlignCenter);
        delete l;
        cl->setCursor(Qt::PointingHandCursor);
        QPalette pal = cl->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 238));
        cl->setPalette(pal);
        QFont f = cl->font();
        f.setUnderline(true);
        cl->setFont(f);
        connect(cl, &ClickLabel::clicked, this, slot);
    };
    link("qelt_mail", {4, 148, 521, 16}, [this] {
        if (Actions().qelt_mailClick) Actions().qelt_mailClick(*this);
    });
    link("vorm_mail", {4, 166, 521, 16}, [this] {
        if (Actions().vorm_mailClick) Actions().vorm_mailClick(*this);
    });
    link("off_c_url", {4, 196, 521, 16}, [this] {
        if (Actions().off_c_urlClick) Actions().off_c_urlClick(*this);
    });
    Caption(p, "about_signature", {4, 250, 521, 16}, Qt::AlignCenter);
}

void Tmain::BuildButtonBar() {
    auto* strip = new QFrame(this);
    strip->setObjectName("button_strip");
    strip->setGeometry(2, 307, 532, 27);
    strip->setFrameStyle(QFrame::Panel | QFrame::Raised);
    struct B {
        const char* name;
        const char* hint;
        void (Tmain::*slot)();
    } buttons[] = {{"button_refresh", "Reset application", &Tmain::button_refreshClick},
                   {"button_snap", "Save snapshot as bitmap", &Tmain::button_snapClick},
                   {"dbase", "Database operations", &Tmain::dbaseClick},
                   {"button_close", "Close application", &Tmain::button_closeClick}};
    for (int i = 0; i < 4; ++i) {
        auto* b = Button(this, buttons[i].name, {6 + i * 79, 311, 75, 19});
        b->setToolTip(buttons[i].hint);
        connect(b, &QPushButton::clicked, this, buttons[i].slot);
    }

    save_pop_ = new QMenu(this);
    save_pop_->setObjectName("save_pop");
    dbase_pop_ = new QMenu(this);
    dbase_pop_->setObjectName("dbase_pop");
    struct E {
        QMenu* menu;
        const char* name;
        std::function<void(Tmain&)> WindowActions::*cmd;
    } entries[] = {{save_pop_, "Screenshot1", &WindowActions::Screenshot1Click},
                   {save_pop_, "extfile1", &WindowActions::extfile1Click},
                   {save_pop_, "HTMLfile1", &WindowActions::HTMLfile1Click},
                   {dbase_pop_, "Databasebrowser1", &WindowActions::Databasebrowser1Click},
                   {dbase_pop_, "Addtodatabase1", &WindowActions::Addtodatabase1Click}};
    for (const E& e : entries) {
        QAction* a = e.menu->addAction(e.name);
        a->setObjectName(e.name);
        actions_.insert(e.name, a);
        auto cmd = e.cmd;
        connect(a, &QAction::triggered, this, [this, cmd] {
            if (Actions().*cmd) (Actions().*cmd)(*this);
            ApplyState();
        });
    }
}

void Tmain::CollectControls() {
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) widgets_.insert(w->objectName(), w);
    widgets_.insert("main", this);
}

void Tmain::RegisterControl(QWidget* w) { widgets_.insert(w->objectName(), w); }

void Tmain::ApplyState() {
    for (const auto& [name, c] : model_.State().All()) {
        const QString n = QString::fromStdString(name);
        if (n == "main") {
            setWindowTitle(DisplayText(c.text));
            continue;
        }
        if (n == "main_page_control" || n == "_cache_control") continue;  // the user's tab stays
        if (QWidget* w = widgets_.value(n)) {
            ApplyControlState(w, c);
        } else if (QAction* a = actions_.value(n)) {
            a->setText(DisplayText(c.text));
            a->setEnabled(c.enabled);
        }
    }
}

void Tmain::Run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ApplyState();
        QMessageBox::critical(this, windowTitle(), QString::fromLocal8Bit(e.what()));
        return;
    }
    ApplyState();
}

QPoint Tmain::PopupPoint(QWidget* button, int dy) const {
    const QPoint win = frameGeometry().topLeft();
    return {win.x() + button->x() + 4, win.y() + button->y() + dy};
}

void Tmain::button_refreshClick() {
    Run([this] { model_.button_refreshClick(); });
}

void Tmain::button_snapClick() { save_pop_->popup(PopupPoint(widgets_.value("button_snap"), -35)); }

void Tmain::dbaseClick() { dbase_pop_->popup(PopupPoint(widgets_.value("dbase"), -18)); }

void Tmain::button_closeClick() { close(); }

void Tmain::refrtimerTimer() {
    Run([this] { model_.refrtimerTimer(); });
}

}  // namespace kest::ui
