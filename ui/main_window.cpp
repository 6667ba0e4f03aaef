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

QPoint LaterMenuPoint(QWidget* toggle, QMenu* menu) {
    // Under the toggle, right edges aligned, so the menu stays over the window.
    const QPoint corner = toggle->mapToGlobal(QPoint(toggle->width(), toggle->height()));
    return {corner.x() - menu->sizeHint().width(), corner.y()};
}

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
        // Measured only when the value changes (its shorter forms and
        // tooltip come with it).
        const QVariant last = l->property("kest_value");
        if (l->pixmap().isNull() && (!last.isValid() || last.toString() != text)) {
            l->setProperty("kest_value", text);
            // The value, or the first of its shorter forms that fits the field.
            const int room = l->contentsRect().width() - 2 * std::max(l->indent(), 0);
            auto fits = [&](const QString& t) { return l->fontMetrics().horizontalAdvance(t) <= room; };
            QString shown = text;
            for (auto it = c.shorter.begin(); it != c.shorter.end() && !fits(shown); ++it) shown = DisplayText(*it);
            // The model's tooltip, else a value still longer than its field
            // can be read in full as the field's tooltip.
            const QString tip = !c.tooltip.empty() ? DisplayText(c.tooltip) : fits(shown) ? QString() : shown;
            if (l->text() != shown) l->setText(shown);
            if (l->toolTip() != tip) l->setToolTip(tip);
        }
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->text() != text) b->setText(text);
        if (b->isCheckable() && b->isChecked() != c.checked) {
            const QSignalBlocker block(b);
            b->setChecked(c.checked);
        }
        if (!c.tooltip.empty()) b->setToolTip(DisplayText(c.tooltip));
        QFont f = b->font();
        if (f.bold() != c.bold) {
            f.setBold(c.bold);
            b->setFont(f);
        }
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        if (g->title() != text) g->setTitle(text);
        if (const QString tip = DisplayText(c.tooltip); g->toolTip() != tip) g->setToolTip(tip);
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

QLabel* Caption(QWidget* parent, ControlName name, QRect r, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(parent);
    SetName(l, name);
    l->setGeometry(r);
    l->setAlignment(a);
    return l;
}

// A value label inside a sunken frame.
template <class L = QLabel>
L* Value(QWidget* parent, ControlName name, QRect r, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new L(parent);
    SetName(l, name);
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

QGroupBox* Group(QWidget* parent, std::optional<ControlName> name, QRect r) {
    auto* g = new QGroupBox(parent);
    if (name) SetName(g, *name);
    g->setGeometry(r);
    return g;
}

Indicator* Square(QWidget* parent, ControlName name, QPoint at) {
    auto* s = new Indicator(parent);
    SetName(s, name);
    s->move(at);
    return s;
}

// A panel that covers a group when visible: lowered, caption centred.
QLabel* Mask(QWidget* parent, ControlName name, QRect r, bool framed = true) {
    auto* m = new QLabel(parent);
    SetName(m, name);
    m->setGeometry(r);
    m->setAlignment(Qt::AlignCenter);
    m->setAutoFillBackground(true);
    if (framed) m->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m->raise();
    return m;
}

QPushButton* Button(QWidget* parent, ControlName name, QRect r) {
    auto* b = new QPushButton(parent);
    SetName(b, name);
    b->setGeometry(r);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

}  // namespace

Tmain::Tmain(MainWindowModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    SetName(this, ctl::kMain);
    Build();
    CollectControls();
    // Measurements end on their own thread; their fields are shown on this one.
    model_.MeasureBeside([this] { QMetaObject::invokeMethod(this, &Tmain::ClockEnded, Qt::QueuedConnection); });
    Run([this] { model_.FormCreate(); });
    refrtimer_ = new QTimer(this);
    SetName(refrtimer_, ctl::kRefrtimer);
    refrtimer_->setInterval(10000);
    connect(refrtimer_, &QTimer::timeout, this, &Tmain::refrtimerTimer);
    refrtimer_->start();
}

Tmain::~Tmain() { model_.EndClockThread(); }

void Tmain::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    // The first measurement once the window is on screen, so that its busy
    // core cannot hold up the first picture.
    if (painted_) return;
    painted_ = true;
    QTimer::singleShot(0, this, [this] { model_.StartClock(); });
}

void Tmain::ClockEnded() {
    Run([this] { model_.ClockEnded(); });
}

void Tmain::AfterFirstClock(const std::function<void()>& command) {
    if (model_.ClockShown()) {
        command();
        return;
    }
    QApplication::setOverrideCursor(Qt::BusyCursor);
    model_.AfterFirstClock([this, command] {
        ApplyState();  // the clock fields on screen before a screenshot is taken
        QApplication::restoreOverrideCursor();
        command();
    });
}

void Tmain::Build() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(536, 336);
    move(212, 169);
    setSizeGripEnabled(false);

    main_page_control_ = new QTabWidget(this);
    SetName(main_page_control_, ctl::kMainPageControl);
    main_page_control_->setGeometry(2, 2, 533, 303);
    main_page_control_->setUsesScrollButtons(false);
    const ControlName pages[] = {ctl::kCpuGen, ctl::kCpuFlags, ctl::kCacheI, ctl::kOthrInfo, ctl::kAbout};
    QWidget* page[5];
    for (int i = 0; i < 5; ++i) {
        page[i] = new QWidget;
        SetName(page[i], pages[i]);
        main_page_control_->addTab(page[i], QtName(pages[i]));
    }
    BuildCpuPage(page[0]);
    BuildFlagsPage(page[1]);
    BuildCachePage(page[2]);
    BuildOtherPage(page[3]);
    BuildAboutPage(page[4]);
    BuildButtonBar();
    main_page_control_->setCurrentIndex(0);
}

namespace {

// Caption and value columns of the page's full-width rows.
constexpr int cx = 4, cw = 82, vx = 88;

// Rows 1 to 4 of "CPU Information": vendor, name, rating, code name,
// platform and extended name.
void BuildIdentityRows(QWidget* p) {
    Caption(p, ctl::kLabelVstring, {cx, 3, cw, 17});
    Value(p, ctl::kVendor, {vx, 3, 435, 17});
    Caption(p, ctl::kLabelCpuname, {cx, 21, cw, 17});
    Value(p, ctl::kCpuname, {vx, 21, 266, 17});
    Caption(p, ctl::kLabelRat, {358, 21, 46, 17});
    Value(p, ctl::kPRating, {405, 21, 118, 17});
    Caption(p, ctl::kLabelCore, {cx, 39, cw, 17});
    Value(p, ctl::kCore, {vx, 39, 266, 17});
    Caption(p, ctl::kLabelPlt, {358, 39, 46, 17});
    Value<ClickLabel>(p, ctl::kPlt, {405, 39, 118, 17});
    Caption(p, ctl::kLabelExtname, {cx, 57, cw, 17});
    Value(p, ctl::kCpuextname, {vx, 57, 435, 17});

}

// The pictures lie on top of each other, at most one visible.
void BuildLogoBox(QWidget* p) {
    auto* box = new QFrame(p);
    SetName(box, ctl::kLogoBox);
    box->setGeometry(4, 80, 81, 81);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (uint16_t code : kLogoCodes) {
        auto* img = new QLabel(box);
        SetName(img, LogoName(code));
        img->setGeometry(1, 1, 79, 79);
        img->setPixmap(QPixmap::fromImage(LogoImage(code)));
        img->hide();
    }

}

// Model information, cache sizes, additional values and instruction sets.
void BuildInfoGroups(QWidget* p) {
    // Model information: standard and extended columns.
    auto* mdl = Group(p, ctl::kLabelMdlT, {89, 76, 120, 86});
    const ControlName mcap[] = {ctl::kLabelFam, ctl::kLabelModel, ctl::kLabelStp, ctl::kLabelBrand};
    const ControlName mstd[] = {ctl::kFam, ctl::kMdl, ctl::kStp, ctl::kBrand};
    const ControlName mext[] = {ctl::kEfam, ctl::kEmdl, ctl::kEstp, ctl::kEbrd};
    for (int i = 0; i < 4; ++i) {
        Caption(mdl, mcap[i], {5, 16 + i * 17, 52, 16});
        Value<ClickLabel>(mdl, mstd[i], {57, 16 + i * 17, 28, 16}, Qt::AlignCenter)->setIndent(0);
        Value(mdl, mext[i], {87, 16 + i * 17, 29, 16}, Qt::AlignCenter)->setIndent(0);
    }

    // Cache sizes.
    auto* cs = Group(p, ctl::kLabelCachesT, {212, 76, 112, 86});
    const ControlName ccap[] = {ctl::kLabelL1i, ctl::kLabelL1d, ctl::kLabelL2, ctl::kLabelL3};
    const ControlName cval[] = {ctl::kL1is, ctl::kL1ds, ctl::kL2s, ctl::kL3s};
    for (int i = 0; i < 4; ++i) {
        Caption(cs, ccap[i], {5, 16 + i * 17, 50, 16});
        Value(cs, cval[i], {55, 16 + i * 17, 53, 16}, Qt::AlignCenter)->setIndent(0);
    }

    // Additional values, each clickable.
    auto* ad = Group(p, ctl::kLabelAddT, {327, 76, 96, 86});
    const ControlName acap[] = {ctl::kLabelType, ctl::kLabelApic, ctl::kLabelCount, ctl::kLabelClfl};
    const ControlName aval[] = {ctl::kCtp, ctl::kApic, ctl::kLp, ctl::kFls};
    for (int i = 0; i < 4; ++i) {
        Caption(ad, acap[i], {5, 16 + i * 17, 58, 16});
        Value<ClickLabel>(ad, aval[i], {63, 16 + i * 17, 29, 16}, Qt::AlignCenter)->setIndent(0);
    }

    // Instruction sets.
    auto* is = Group(p, ctl::kLabelIsT, {426, 76, 97, 128});
    const ControlName iname[] = {ctl::kMmxSh, ctl::kEmmxSh, ctl::kA3dSh, ctl::kAe3dSh, ctl::kSseSh, ctl::kSse2Sh, ctl::kSse3Sh};
    const char* itext[] = {"MMX", "Ext. MMX", "3DNow!", "3DNow! Plus", "SSE", "SSE2", "SSE3"};
    for (int i = 0; i < 7; ++i) {
        Square(is, iname[i], {6, 14 + i * 16});
        Static(is, itext[i], {25, 14 + i * 16, 70, 16});
    }

}

// The help line and the clock frame with its speed bar and scale.
void BuildClockFrame(QWidget* p) {
    // Help line.
    Value(p, ctl::kHlpstring, {4, 165, 419, 17});

    // Clock frame.
    auto* clock = new QFrame(p);
    SetName(clock, ctl::kClockFrame);
    clock->setGeometry(4, 185, 395, 52);
    clock->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Caption(clock, ctl::kLabelCspeed, {4, 3, 62, 17});
    Value<ClickLabel>(clock, ctl::kCspeed, {66, 3, 78, 17}, Qt::AlignCenter)->setIndent(0);
    Caption(clock, ctl::kLabelFspeed, {148, 3, 58, 17});
    auto* bf = new QFrame(clock);
    SetName(bf, ctl::kBevelFspeed);
    bf->setGeometry(206, 3, 80, 17);
    bf->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Caption(clock, ctl::kFspeed, {207, 4, 78, 15}, Qt::AlignCenter);
    Caption(clock, ctl::kLabelMult, {290, 3, 56, 17});
    auto* bm = new QFrame(clock);
    SetName(bm, ctl::kBevelMult);
    bm->setGeometry(346, 3, 44, 17);
    bm->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Caption(clock, ctl::kMult, {347, 4, 42, 15}, Qt::AlignCenter);
    auto* bar = new QProgressBar(clock);
    SetName(bar, ctl::kSpeedbar);
    bar->setGeometry(6, 23, 387, 11);
    bar->setTextVisible(false);
    // Scale labels end at one third, two thirds and the end of the bar.
    const int ends[] = {6 + 129, 6 + 258, 6 + 387};
    const ControlName pbs[] = {ctl::kPb1, ctl::kPb2, ctl::kPb3};
    for (int i = 0; i < 3; ++i) {
        Caption(clock, pbs[i], {ends[i] - 70, 35, 70, 14}, Qt::AlignRight | Qt::AlignVCenter);
        auto* tick = new QFrame(clock);
        tick->setGeometry(ends[i] - 1, 34, 1, 3);
        tick->setFrameStyle(QFrame::VLine | QFrame::Plain);
    }

}

// The technology group and the x86-64 level.
void BuildTechnology(QWidget* p) {
    // Technology.
    auto* tech = Group(p, ctl::kTechTitle, {401, 205, 124, 53});
    const ControlName tech_lines[] = {ctl::kTech1, ctl::kTech2, ctl::kTech3};
    for (int i = 0; i < 3; ++i)
        Caption(tech, tech_lines[i], {4, 13 + i * 13, 117, 13});

    // The x86-64 level, between the clock frame and the serial number.
    Caption(p, ctl::kLabelIsaLvl, {cx, 240, cw, 17});
    Value<ClickLabel>(p, ctl::kIsaLvl, {vx, 240, 90, 17}, Qt::AlignCenter)->setIndent(0);

}

}  // namespace

void Tmain::BuildCpuPage(QWidget* p) {
    BuildIdentityRows(p);
    BuildLogoBox(p);
    BuildInfoGroups(p);
    BuildClockFrame(p);
    BuildTechnology(p);

    // Value fields that explain themselves on the help line.
    const std::pair<ControlName, void (MainWindowModel::*)()> clicks[] = {
        {ctl::kFam, &MainWindowModel::famClick},   {ctl::kMdl, &MainWindowModel::mdlClick},
        {ctl::kBrand, &MainWindowModel::brandClick}, {ctl::kCtp, &MainWindowModel::ctpClick},
        {ctl::kApic, &MainWindowModel::apicClick}, {ctl::kLp, &MainWindowModel::lpClick},
        {ctl::kFls, &MainWindowModel::flsClick}, {ctl::kIsaLvl, &MainWindowModel::isa_lvlClick},
        {ctl::kCspeed, &MainWindowModel::cspeedClick}, {ctl::kPlt, &MainWindowModel::pltClick}};
    for (const auto& [name, handler] : clicks) {
        auto* l = p->findChild<ClickLabel*>(QtName(name));
        auto h = handler;
        connect(l, &ClickLabel::clicked, this, [this, h] { Run([this, h] { (model_.*h)(); }); });
    }

    // Serial number.
    Caption(p, ctl::kLabelSn, {cx, 260, 80, 17});
    Value(p, ctl::kSerialnumber, {vx, 260, 336, 17});
    auto* fullsn = new QCheckBox(p);
    SetName(fullsn, ctl::kCheckBoxFullsn);
    fullsn->setGeometry(430, 260, 90, 17);
    connect(fullsn, &QCheckBox::toggled, this, [this](bool on) {
        Run([this, on] {
            model_.State()[ctl::kCheckBoxFullsn].checked = on;
            model_.CheckBox_fullsnClick();
        });
    });
}

void Tmain::BuildFlagsPage(QWidget* p) {
    // The three page buttons, and at the right a narrow toggle with the menu
    // of the later feature words.
    const ControlName names[] = {ctl::kBSff, ctl::kBAff, ctl::kBEff};
    for (int i = 0; i < 3; ++i) {
        auto* b = Button(p, names[i], {4 + i * 166, 4, 164, 21});
        connect(b, &QPushButton::clicked, this, [this, i] {
            Run([this, i] {
                if (i == 0) model_.b_sffClick();
                if (i == 1) model_.b_affClick();
                if (i == 2) model_.b_effClick();
            });
        });
    }
    auto* more = Button(p, ctl::kBLff, {502, 4, 23, 21});
    lff_pop_ = new QMenu(this);
    SetName(lff_pop_, ctl::kLffPop);
    for (const LaterFeatureWord& w : LaterFeatureWords()) {
        QAction* a = lff_pop_->addAction(QtName(w.action));
        SetName(a, w.action);
        a->setCheckable(true);
        actions_.insert(QtName(w.action), a);
        const FeaturePage page = w.page;
        connect(a, &QAction::triggered, this, [this, page] { Run([this, page] { model_.LaterFeatureClick(page); }); });
    }
    connect(more, &QPushButton::clicked, this,
            [this, more] { lff_pop_->popup(LaterMenuPoint(more, lff_pop_)); });

    auto* panel = new QFrame(p);
    SetName(panel, ctl::kSffP);
    panel->setGeometry(4, 28, 521, 246);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (int i = 0; i < 32; ++i) {
        const int col = i / 16, row = i % 16;
        const int x = 6 + col * 258, y = 4 + row * 15;
        Square(panel, ctl::FeatureIndicator(i), {x, y});
        Caption(panel, ctl::FeatureLabel(i), {x + 20, y, 229, 16});
    }
}

void Tmain::BuildCachePage(QWidget* p) {
    cache_control_ = new QTabWidget(p);
    SetName(cache_control_, ctl::kCacheControl);
    cache_control_->setGeometry(2, 2, 523, 273);
    const ControlName names[] = {ctl::kIntCache, ctl::kECache, ctl::kMemory};
    QWidget* sub[3];
    for (int i = 0; i < 3; ++i) {
        sub[i] = new QWidget;
        SetName(sub[i], names[i]);
        cache_control_->addTab(sub[i], QtName(names[i]));
    }
    BuildIntegratedCachePage(sub[0]);
    BuildExtendedCachePage(sub[1]);
    BuildThroughputPage(*this, sub[2]);
    cache_control_->setCurrentIndex(0);
}

void Tmain::BuildIntegratedCachePage(QWidget* p) {
    const ControlName levels[] = {ctl::kL1, ctl::kL2, ctl::kL3};
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
    SetName(pan, ctl::kCPan);
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
            auto* head = Caption(pan, ctl::CacheHead(c + 1, b), {colx[c], y, colw, 15},
                                 Qt::AlignCenter);
            QFont f = head->font();
            f.setBold(true);
            head->setFont(f);
        }
        for (int r = 1; r <= rows; ++r) {
            const int ry = y + 16 + (r - 1) * 16;
            for (int c = 0; c < 2; ++c) {
                Caption(pan, ctl::CacheCell(b, r, 2 * c + 1), {colx[c] + 4, ry, 110, 15});
                Value(pan, ctl::CacheCell(b, r, 2 * c + 2), {colx[c] + 116, ry, 128, 15});
            }
        }
        y += 16 + rows * 16 + 5;
    }
    // The right column of block 1 (heading and cells): the unified L2.
    Mask(pan, ctl::kL2MaskPanel, {colx[1] - 2, 2, colw + 4, 16 + 4 * 16 + 3}, false);
    // Blocks 2 and 3, both columns.
    const int b2 = 3 + 16 + 4 * 16 + 5;
    Mask(pan, ctl::kL3MaskPanel, {2, b2 - 1, 507, 215 - b2 - 1}, false);
}

void Tmain::BuildExtendedCachePage(QWidget* p) {
    const int capx = 8, capw = 150, colw = 112, x0 = 164;
    Static(p, "Level", {capx, 6, capw, 16});
    for (int l = 0; l < 3; ++l) {
        auto* t = Caption(p, ctl::ExtCacheTitle(l + 1), {x0 + l * (colw + 4), 6, colw, 16},
                          Qt::AlignCenter);
        QFont f = t->font();
        f.setBold(true);
        t->setFont(f);
    }
    const char* caps[] = {"Location", "Operational mode", "Status at boot time", "Socketing", "Cache type",
                          "Error correction type", "Supported SRAM type", "Current SRAM type", "Cache speed"};
    for (int r = 0; r < 9; ++r) {
        const int y = 26 + r * 24;
        Static(p, caps[r], {capx, y, capw, 18});
        for (int l = 0; l < 3; ++l)
            Value(p, ctl::ExtCacheRow(l + 1, ctl::kExtCacheRows[r]), {x0 + l * (colw + 4), y, colw, 18},
                  Qt::AlignCenter)
                ->setIndent(0);
    }
    Mask(p, ctl::kPanelExtcMask, {0, 0, 519, 250});
}

void Tmain::BuildOtherPage(QWidget* p) {
    auto* epm = Group(p, std::nullopt, {4, 4, 258, 128});
    epm->setTitle("Enhanced Power Management Flags");
    const ControlName en[] = {ctl::kEpm1s, ctl::kEpm2s, ctl::kEpm3s, ctl::kEpm4s, ctl::kEpm5s, ctl::kEpm6s};
    const char* et[] = {"Temperature Sensor", "Frequency ID Control", "Voltage ID Control", "Thermal Trip",
                        "Thermal Monitoring", "Software Thermal Control"};
    for (int i = 0; i < 6; ++i) {
        Square(epm, en[i], {10, 20 + i * 17});
        Static(epm, et[i], {32, 20 + i * 17, 220, 16});
    }
    Mask(epm, ctl::kEpmMaskPanel, {3, 16, 252, 109});

    auto* as = Group(p, std::nullopt, {266, 4, 259, 128});
    as->setTitle("Address Size");
    Static(as, "Physical address", {10, 28, 100, 18});
    Value(as, ctl::kAsP, {112, 28, 138, 18}, Qt::AlignCenter)->setIndent(0);
    Static(as, "Virtual address", {10, 60, 100, 18});
    Value(as, ctl::kAsV, {112, 60, 138, 18}, Qt::AlignCenter)->setIndent(0);
    Mask(as, ctl::kAsMaskPanel, {3, 16, 253, 109});

    auto* dmi = Group(p, std::nullopt, {4, 136, 521, 110});
    dmi->setTitle("DMI CPU Information (may be incorrect)");
    const ControlName dn[] = {ctl::kDmiCur, ctl::kDmiMax, ctl::kDmiStatus};
    const char* dt[] = {"CPU Current speed", "CPU Max Speed", "CPU Status"};
    for (int i = 0; i < 3; ++i) {
        Static(dmi, dt[i], {10, 22 + i * 26, 140, 18});
        Value(dmi, dn[i], {156, 22 + i * 26, 200, 18}, Qt::AlignCenter)->setIndent(0);
    }
    Mask(dmi, ctl::kDmiMaskPanel, {3, 16, 515, 91});
}

void Tmain::BuildAboutPage(QWidget* p) {
    auto* name = Caption(p, ctl::kAboutName, {4, 12, 521, 34}, Qt::AlignCenter);
    QFont big("DejaVu Serif");
    big.setPixelSize(26);
    big.setBold(true);
    name->setFont(big);
    Caption(p, ctl::kAboutVersion, {4, 48, 521, 16}, Qt::AlignCenter);
    Static(p, "CPU identification, caches, feature flags and clock of this machine.", {4, 82, 521, 16},
           Qt::AlignCenter);
    Static(p, "Written with C++20, Qt 6 Widgets and libjpeg.", {4, 100, 521, 16}, Qt::AlignCenter);
    Static(p, "Questions and reports:", {4, 130, 521, 16}, Qt::AlignCenter);
    auto link = [&](ControlName n, QRect r, auto slot) {
        auto* l = Caption(p, n, r, Qt::AlignCenter);
        auto* cl = new ClickLabel(p);
        SetName(cl, n);
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
    link(ctl::kQeltMail, {4, 148, 521, 16}, [this] {
        if (Actions().qelt_mailClick) Actions().qelt_mailClick(*this);
    });
    link(ctl::kVormMail, {4, 166, 521, 16}, [this] {
        if (Actions().vorm_mailClick) Actions().vorm_mailClick(*this);
    });
    link(ctl::kOffCUrl, {4, 196, 521, 16}, [this] {
        if (Actions().off_c_urlClick) Actions().off_c_urlClick(*this);
    });
    Caption(p, ctl::kAboutSignature, {4, 250, 521, 16}, Qt::AlignCenter);
}

void Tmain::BuildButtonBar() {
    auto* strip = new QFrame(this);
    SetName(strip, ctl::kButtonStrip);
    strip->setGeometry(2, 307, 532, 27);
    strip->setFrameStyle(QFrame::Panel | QFrame::Raised);
    struct B {
        ControlName name;
        const char* hint;
        void (Tmain::*slot)();
    } buttons[] = {{ctl::kButtonRefresh, "Reset application", &Tmain::button_refreshClick},
                   {ctl::kButtonSnap, "Save snapshot as bitmap", &Tmain::button_snapClick},
                   {ctl::kDbase, "Database operations", &Tmain::dbaseClick},
                   {ctl::kButtonClose, "Close application", &Tmain::button_closeClick}};
    for (int i = 0; i < 4; ++i) {
        auto* b = Button(this, buttons[i].name, {6 + i * 79, 311, 75, 19});
        b->setToolTip(buttons[i].hint);
        connect(b, &QPushButton::clicked, this, buttons[i].slot);
    }

    save_pop_ = new QMenu(this);
    SetName(save_pop_, ctl::kSavePop);
    dbase_pop_ = new QMenu(this);
    SetName(dbase_pop_, ctl::kDbasePop);
    // Entries that write a file wait for a measured clock.
    struct E {
        QMenu* menu;
        ControlName name;
        std::function<void(Tmain&)> WindowActions::*cmd;
        bool writes_file;
    } entries[] = {{save_pop_, ctl::kScreenshot1, &WindowActions::Screenshot1Click, true},
                   {save_pop_, ctl::kExtfile1, &WindowActions::extfile1Click, true},
                   {save_pop_, ctl::kHTMLfile1, &WindowActions::HTMLfile1Click, true},
                   {dbase_pop_, ctl::kDatabasebrowser1, &WindowActions::Databasebrowser1Click, false},
                   {dbase_pop_, ctl::kAddtodatabase1, &WindowActions::Addtodatabase1Click, true}};
    for (const E& e : entries) {
        QAction* a = e.menu->addAction(QtName(e.name));
        SetName(a, e.name);
        actions_.insert(QtName(e.name), a);
        auto cmd = e.cmd;
        auto command = [this, cmd] {
            if (Actions().*cmd) (Actions().*cmd)(*this);
            ApplyState();
        };
        if (e.writes_file)
            connect(a, &QAction::triggered, this, [this, command] { AfterFirstClock(command); });
        else
            connect(a, &QAction::triggered, this, command);
    }
}

void Tmain::CollectControls() {
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) widgets_.insert(w->objectName(), w);
    widgets_.insert(QtName(ctl::kMain), this);
}

void Tmain::RegisterControl(QWidget* w) { widgets_.insert(w->objectName(), w); }

void Tmain::ApplyState() {
    for (const auto& [name, c] : model_.State().All()) {
        if (name == ctl::kMain.View()) {
            setWindowTitle(DisplayText(c.text));
            continue;
        }
        if (name == ctl::kMainPageControl.View() || name == ctl::kCacheControl.View()) continue;  // the user's tab stays
        const QString n = QString::fromStdString(name);
        if (QWidget* w = widgets_.value(n)) {
            ApplyControlState(w, c);
        } else if (QAction* a = actions_.value(n)) {
            a->setText(DisplayText(c.text));
            a->setEnabled(c.enabled);
            if (a->isCheckable()) a->setChecked(c.checked);
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

void Tmain::button_snapClick() { save_pop_->popup(PopupPoint(widgets_.value(QtName(ctl::kButtonSnap)), -35)); }

void Tmain::dbaseClick() { dbase_pop_->popup(PopupPoint(widgets_.value(QtName(ctl::kDbase)), -18)); }

void Tmain::button_closeClick() { close(); }

void Tmain::refrtimerTimer() {
    Run([this] { model_.refrtimerTimer(); });
}

}  // namespace kest::ui
