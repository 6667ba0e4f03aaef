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
#include "view/throughput_graph_style.h"

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

// ---- building from the layout rows ----

namespace {

Qt::Alignment AlignmentOf(TextAlign a) {
    switch (a) {
        case TextAlign::Center: return Qt::AlignCenter;
        case TextAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case TextAlign::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QLabel* NewLabel(const ControlRow& row, QWidget* parent) {
    auto* l = row.Has(kClickable) || row.kind == ControlKind::Link ? new ClickLabel(parent) : new QLabel(parent);
    l->setAlignment(AlignmentOf(row.align));
    if (!row.caption.empty()) l->setText(QString::fromUtf8(row.caption.data(), static_cast<qsizetype>(row.caption.size())));
    return l;
}

QFrame* NewFrame(QWidget* parent, int style) {
    auto* f = new QFrame(parent);
    f->setFrameStyle(style);
    return f;
}

// The widget of one row, of its kind, without its geometry.
QWidget* NewWidget(const ControlRow& row, QWidget* parent) {
    switch (row.kind) {
        case ControlKind::Window: break;
        case ControlKind::Tabs: {
            auto* tabs = new QTabWidget(parent);
            tabs->setUsesScrollButtons(false);
            return tabs;
        }
        case ControlKind::Page: {
            // Placed by its page control.
            auto* page = new QWidget;
            qobject_cast<QTabWidget*>(parent)->addTab(page, QtName(row.name));
            return page;
        }
        case ControlKind::Group: {
            auto* g = new QGroupBox(parent);
            if (!row.caption.empty()) g->setTitle(QString::fromUtf8(row.caption.data(), static_cast<qsizetype>(row.caption.size())));
            return g;
        }
        case ControlKind::Panel: return NewFrame(parent, QFrame::Panel | QFrame::Sunken);
        case ControlKind::RaisedPanel: return NewFrame(parent, QFrame::Panel | QFrame::Raised);
        case ControlKind::Tick: return NewFrame(parent, QFrame::VLine | QFrame::Plain);
        case ControlKind::Label:
        case ControlKind::Picture: return NewLabel(row, parent);
        case ControlKind::Value: {
            QLabel* l = NewLabel(row, parent);
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            // A left-aligned value keeps its text off the frame.
            l->setIndent(row.align == TextAlign::Left ? 3 : 0);
            return l;
        }
        case ControlKind::Indicator: return new Indicator(parent);
        case ControlKind::Mask: {
            QLabel* m = NewLabel(row, parent);
            if (!row.Has(kFrameless)) m->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            return m;
        }
        case ControlKind::Button: {
            auto* b = new QPushButton(parent);
            b->setAutoDefault(false);
            b->setFocusPolicy(Qt::TabFocus);
            return b;
        }
        case ControlKind::CheckBox: return new QCheckBox(parent);
        case ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(parent);
            bar->setTextVisible(false);
            return bar;
        }
        case ControlKind::ScrollBar: return new QScrollBar(Qt::Horizontal, parent);
        case ControlKind::Link: {
            QLabel* l = NewLabel(row, parent);
            l->setCursor(Qt::PointingHandCursor);
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, QColor::fromRgb(kLinkColour));
            l->setPalette(pal);
            return l;
        }
        case ControlKind::Area: return new QWidget(parent);
    }
    throw std::logic_error("no widget for the window's own row");
}

void ApplyLook(QWidget* w, TextLook look) {
    QFont f = w->font();
    switch (look) {
        case TextLook::Normal: return;
        case TextLook::Bold: f.setBold(true); break;
        case TextLook::Title:
            f = QFont(QStringLiteral("DejaVu Serif"));
            f.setPixelSize(26);
            f.setBold(true);
            break;
        case TextLook::Scale: {
            f.setBold(true);
            f.setPixelSize(9);
            QPalette pal = w->palette();
            pal.setColor(QPalette::WindowText, QColor::fromRgb(kColourScaleText));
            w->setPalette(pal);
            w->setAttribute(Qt::WA_TransparentForMouseEvents);  // the graph under it gets the mouse
            w->raise();
            break;
        }
    }
    w->setFont(f);
}

// One row's widget, named, placed and set as the row says.
QWidget* BuildControl(const ControlRow& row, QWidget* parent) {
    QWidget* w = NewWidget(row, parent);
    SetName(w, row.name);
    if (row.kind == ControlKind::Page) return w;
    const QRect r(row.rect.x, row.rect.y, row.rect.w, row.rect.h);
    if (row.kind == ControlKind::Indicator) {
        w->setFixedSize(r.size());
        w->move(r.topLeft());
    } else {
        w->setGeometry(r);
    }
    if (row.kind == ControlKind::Link) {
        QFont f = w->font();
        f.setUnderline(true);
        w->setFont(f);
    }
    ApplyLook(w, row.look);
    if (!row.hint.empty()) w->setToolTip(QString::fromUtf8(row.hint.data(), static_cast<qsizetype>(row.hint.size())));
    if (row.Has(kCovers) || row.kind == ControlKind::Mask) {
        w->setAutoFillBackground(true);
        w->raise();
    }
    return w;
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
    const LayoutRect self = LayoutRow(ctl::kMain)->rect;
    setFixedSize(self.w, self.h);
    move(self.x, self.y);
    setSizeGripEnabled(false);

    QHash<QString, QWidget*> built{{QtName(ctl::kMain), this}};
    for (const ControlRow& row : MainLayout())
        if (row.kind != ControlKind::Window) built.insert(QtName(row.name), BuildControl(row, built.value(QtName(row.parent))));
    auto page = [&built](ControlName name) { return built.value(QtName(name)); };
    main_page_control_ = qobject_cast<QTabWidget*>(page(ctl::kMainPageControl));
    cache_control_ = qobject_cast<QTabWidget*>(page(ctl::kCacheControl));

    BuildCpuPage(page(ctl::kCpuGen));
    BuildFlagsPage(page(ctl::kCpuFlags));
    BuildIntegratedCachePage(page(ctl::kIntCache));
    BuildThroughputPage(*this, page(ctl::kMemory));
    BuildAboutPage(page(ctl::kAbout));
    BuildButtonBar();
    cache_control_->setCurrentIndex(0);
    main_page_control_->setCurrentIndex(0);
}

void Tmain::BuildCpuPage(QWidget* p) {
    for (uint16_t code : kLogoCodes) {
        auto* img = p->findChild<QLabel*>(QtName(LogoName(code)));
        img->setPixmap(QPixmap::fromImage(LogoImage(code)));
        img->hide();
    }

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

    connect(p->findChild<QCheckBox*>(QtName(ctl::kCheckBoxFullsn)), &QCheckBox::toggled, this, [this](bool on) {
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
        connect(p->findChild<QPushButton*>(QtName(names[i])), &QPushButton::clicked, this, [this, i] {
            Run([this, i] {
                if (i == 0) model_.b_sffClick();
                if (i == 1) model_.b_affClick();
                if (i == 2) model_.b_effClick();
            });
        });
    }
    auto* more = p->findChild<QPushButton*>(QtName(ctl::kBLff));
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
}

void Tmain::BuildIntegratedCachePage(QWidget* p) {
    const ControlName levels[] = {ctl::kL1, ctl::kL2, ctl::kL3};
    for (int i = 0; i < 3; ++i) {
        connect(p->findChild<QPushButton*>(QtName(levels[i])), &QPushButton::clicked, this, [this, i] {
            Run([this, i] {
                if (i == 0) model_.l1Click();
                if (i == 1) model_.l2Click();
                if (i == 2) model_.l3Click();
            });
        });
    }
}

void Tmain::BuildAboutPage(QWidget* p) {
    const std::pair<ControlName, std::function<void(Tmain&)> WindowActions::*> links[] = {
        {ctl::kQeltMail, &WindowActions::qelt_mailClick},
        {ctl::kVormMail, &WindowActions::vorm_mailClick},
        {ctl::kOffCUrl, &WindowActions::off_c_urlClick}};
    for (const auto& [name, cmd] : links) {
        auto c = cmd;
        connect(p->findChild<ClickLabel*>(QtName(name)), &ClickLabel::clicked, this, [this, c] {
            if (Actions().*c) (Actions().*c)(*this);
        });
    }
}

void Tmain::BuildButtonBar() {
    const std::pair<ControlName, void (Tmain::*)()> buttons[] = {{ctl::kButtonRefresh, &Tmain::button_refreshClick},
                                                                 {ctl::kButtonSnap, &Tmain::button_snapClick},
                                                                 {ctl::kDbase, &Tmain::dbaseClick},
                                                                 {ctl::kButtonClose, &Tmain::button_closeClick}};
    for (const auto& [name, slot] : buttons)
        connect(findChild<QPushButton*>(QtName(name)), &QPushButton::clicked, this, slot);

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
