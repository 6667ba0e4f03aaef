#include "ui/throughput_page.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include "view/throughput_view.h"
#include "ui/main_window.h"
#include "ui/throughput_graph.h"

namespace kest::ui {
namespace {

// The part of the 2048-pixel images the page shows: scrolled from 0 to
// 1539, the right edge of the image reaches the right edge of the view.
constexpr int kViewWidth = kGraphWidth - kScrollMax;  // 509
constexpr int kViewX = 5;                             // centred on the 519-pixel page
constexpr int kViewHeight = kGraphHeight + kStripHeight;  // graph and strip
constexpr int kScrollY = kViewHeight + 2;
constexpr int kScrollHeight = 14;
constexpr int kRowY = kScrollY + kScrollHeight + 3;  // check boxes and button
constexpr int kHintY = kRowY + 21;
// The legend lies over everything under the strip; a right click on the
// graph takes it away again.
constexpr int kLegendY = kViewHeight;
constexpr int kLegendHeight = 56;  // down to the page's bottom edge (248)

const ControlName kBoxes[] = {ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy};

QLabel* NamedLabel(QWidget* parent, ControlName name, QRect r, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(parent);
    SetName(l, name);
    l->setGeometry(r);
    l->setAlignment(a);
    return l;
}

QFrame* Bevel(QWidget* parent, std::optional<ControlName> name, QRect r) {
    auto* f = new QFrame(parent);
    if (name) SetName(f, *name);
    f->setGeometry(r);
    f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return f;
}

MouseButton ButtonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return MouseButton::Other;
    }
}

// Restores the controls and the clock timer however a run ends.
class RunScope {
public:
    explicit RunScope(std::function<void()> done) : done_(std::move(done)) {}
    ~RunScope() { done_(); }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    std::function<void()> done_;
};

}  // namespace

void BuildThroughputPage(Tmain& window, QWidget* page) {
    auto* tp = new ThroughputPage(window, page);
    // Every population (window creation, Reset) empties the graph.
    QPointer<ThroughputPage> guard(tp);
    auto& hook = window.Model().Hooks().reset_throughput_graph;
    hook = [guard, previous = hook] {
        if (previous) previous();
        if (guard) guard->ResetGraph();
    };
}

ThroughputPage* FindThroughputPage(Tmain& window) { return window.findChild<ThroughputPage*>(QtName(ctl::kThroughputPage)); }

ThroughputPage::ThroughputPage(Tmain& window, QWidget* page)
    : QObject(page), window_(window), page_(page), st_(std::make_unique<ThroughputState>()) {
    SetName(this, ctl::kThroughputPage);
    make_platform_ = [] { return MakeLiveThroughputPlatform(); };
    message_ = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, window_.windowTitle(), text, QMessageBox::Ok, &window_);
        box.exec();
    };
    Build();
}

ThroughputPage::~ThroughputPage() = default;

void ThroughputPage::Build() {
    BuildGraphView();
    BuildTestRow();
    BuildHint();
    BuildLegend();
}

// The view: both images move inside it, the scale labels stay at its right
// edge; the scroll bar under it.
void ThroughputPage::BuildGraphView() {
    QWidget* p = page_;
    auto* view = new QWidget(p);
    SetName(view, ctl::kGraphView);
    view->setGeometry(kViewX, 0, kViewWidth, kViewHeight);
    graph_ = NamedLabel(view, ctl::kGraphMt, {0, 0, kGraphWidth, kGraphHeight});
    graph_->setMouseTracking(true);
    graph_->installEventFilter(this);
    vals_ = NamedLabel(view, ctl::kGraphMtVals, {0, kGraphHeight, kGraphWidth, kStripHeight});
    vals_->setPixmap(QPixmap::fromImage(DrawScaleStrip()));
    ShowGraph(DrawEmptyThroughputGraph());

    for (const auto& [name, y] : {std::pair{ctl::kTopTp, 4}, std::pair{ctl::kMiddleTp, 78}}) {
        auto* l = NamedLabel(view, name, {kViewWidth - 4 - 120, y, 120, 12}, Qt::AlignRight | Qt::AlignVCenter);
        QFont f = l->font();
        f.setBold(true);
        f.setPixelSize(9);
        l->setFont(f);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, QColor::fromRgb(kColourScaleText));
        l->setPalette(pal);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);  // the graph under it gets the mouse
        l->raise();
    }

    scroll_ = new QScrollBar(Qt::Horizontal, p);
    SetName(scroll_, ctl::kMtbScroll);
    scroll_->setGeometry(kViewX, kScrollY, kViewWidth, kScrollHeight);
    scroll_->setRange(0, kScrollMax);
    scroll_->setSingleStep(8);
    scroll_->setPageStep(kViewWidth);
    connect(scroll_, &QScrollBar::valueChanged, this, &ThroughputPage::mtb_scrollChange);
}

// The test check boxes, "Run Selected" and the progress bar.
void ThroughputPage::BuildTestRow() {
    QWidget* p = page_;
    NamedLabel(p, ctl::kTstChLabel, {kViewX, kRowY, 70, 17});
    int x = kViewX + 70;
    for (ControlName n : kBoxes) {
        auto* cb = new QCheckBox(p);
        SetName(cb, n);
        cb->setGeometry(x, kRowY, 56, 17);
        x += 58;
    }
    connect(p->findChild<QCheckBox*>(QtName(ctl::kCbRead)), &QCheckBox::toggled, this, &ThroughputPage::cb_readClick);
    connect(p->findChild<QCheckBox*>(QtName(ctl::kCbWrite)), &QCheckBox::toggled, this, &ThroughputPage::cb_writeClick);
    connect(p->findChild<QCheckBox*>(QtName(ctl::kCbCopy)), &QCheckBox::toggled, this, &ThroughputPage::cb_copyClick);

    // The loops: off runs the word test, on the vector loops.
    auto* vector = new QCheckBox(p);
    SetName(vector, ctl::kCbVector);
    vector->setGeometry(x, kRowY, 62, 17);
    x += 64;
    connect(vector, &QCheckBox::toggled, this, &ThroughputPage::cb_vectorClick);

    auto* run = new QPushButton(p);
    SetName(run, ctl::kTstRun);
    run->setGeometry(x + 6, kRowY - 2, 90, 21);
    run->setAutoDefault(false);
    connect(run, &QPushButton::clicked, this, &ThroughputPage::tst_runClick);

    bar_ = new QProgressBar(p);
    SetName(bar_, ctl::kTestPb);
    bar_->setGeometry(x + 102, kRowY + 2, kViewX + kViewWidth - (x + 102), 13);
    bar_->setTextVisible(false);
    bar_->setRange(0, kProgressMax);
}

void ThroughputPage::BuildHint() {
    QWidget* p = page_;
    WindowState& s = window_.Model().State();
    auto* hint = NamedLabel(p, ctl::kLabHint, {kViewX, kHintY, 200, 14});
    auto* hint2 = NamedLabel(p, ctl::kLabHint2, {kViewX, kHintY, 200, 14});
    s[ctl::kLabHint].text = "Toggle legend On/Off: Left/Right click";
    s[ctl::kLabHint2].text = "on diagram after performing test(s).";
    // One sentence on one line: the second label follows the first.
    QFontMetrics fm(hint->font());
    hint->resize(fm.horizontalAdvance(QString::fromStdString(s[ctl::kLabHint].text)) + 2, 14);
    hint2->setGeometry(hint->x() + hint->width() + 2, kHintY,
                       fm.horizontalAdvance(QString::fromStdString(s[ctl::kLabHint2].text)) + 2, 14);
}

// The legend: three rows (Read, Write, Copy) of key, name, throughput under
// the mouse and average, and the block size under the mouse.
void ThroughputPage::BuildLegend() {
    QWidget* p = page_;
    WindowState& s = window_.Model().State();
    auto* legend = new QFrame(p);
    SetName(legend, ctl::kPanelLegend);
    legend->setGeometry(kViewX, kLegendY, kViewWidth, kLegendHeight);
    legend->setFrameStyle(QFrame::Panel | QFrame::Raised);
    legend->setAutoFillBackground(true);
    legend->raise();
    const int head_y = 2, row_h = 13, row0 = 15;
    auto caption = [&](std::optional<ControlName> name, const std::string& text, QRect r) {
        auto* l = new QLabel(legend);
        if (name) SetName(l, *name);
        if (name) s[*name].text = text;
        else l->setText(QString::fromStdString(text));
        l->setGeometry(r);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    };
    caption(std::nullopt, "Block size:", {6, head_y, 100, 13});
    const LegendCaptions captions = LegendCaptionsFor(VectorWidth::None);
    caption(ctl::kLegTpCaption, captions.throughput, {196, head_y, 142, 13});
    caption(ctl::kLegAvCaption, captions.average, {344, head_y, 158, 13});
    Bevel(legend, std::nullopt, {4, row0, 104, row_h});
    NamedLabel(legend, ctl::kLegBsL1, {6, row0, 100, row_h}, Qt::AlignCenter);

    const char* names[] = {"Read", "Write", "Copy"};
    for (int i = 0; i < 3; ++i) {
        const ctl::LegendRow& row = ctl::LegendRowControls(i);
        const int y = row0 + i * row_h;
        Bevel(legend, row[1], {114, y, row_h, row_h});  // frame of the key
        auto* key = new Indicator(legend);
        SetName(key, row[0]);
        key->setFixedSize(row_h - 4, row_h - 4);
        key->move(116, y + 2);
        Bevel(legend, row[2], {129, y, 60, row_h});  // frame of the name
        NamedLabel(legend, row[3], {132, y, 56, row_h});
        s[row[3]].text = names[i];
        Bevel(legend, row[4], {194, y, 144, row_h});
        NamedLabel(legend, row[5], {196, y, 140, row_h}, Qt::AlignRight | Qt::AlignVCenter);
        Bevel(legend, row[6], {342, y, 160, row_h});
        NamedLabel(legend, row[7], {344, y, 156, row_h}, Qt::AlignRight | Qt::AlignVCenter);
        for (ControlName n : {row[1], row[2], row[4], row[6]}) s[n];  // known to the state, shown
    }
}

void ThroughputPage::ShowGraph(const QImage& image) { graph_->setPixmap(QPixmap::fromImage(image)); }

QImage ThroughputPage::GraphImage() const { return graph_->pixmap().toImage(); }

void ThroughputPage::Apply(std::initializer_list<ControlName> names) {
    WindowState& s = window_.Model().State();
    for (ControlName n : names)
        if (QWidget* w = window_.Control(n)) ApplyControlState(w, s[n]);
}

void ThroughputPage::ResetGraph() {
    ShowGraph(DrawEmptyThroughputGraph());
    st_->test_done = false;
    // With test_done false the legend could not be taken away again, and it
    // would cover "Run Selected"; the scale labels belonged to the cleared
    // picture.
    WindowState& s = window_.Model().State();
    s[ctl::kPanelLegend].visible = false;
    s[ctl::kTopTp].text.clear();
    s[ctl::kMiddleTp].text.clear();
    const LegendCaptions captions = LegendCaptionsFor(VectorWidth::None);
    s[ctl::kLegTpCaption].text = captions.throughput;
    s[ctl::kLegAvCaption].text = captions.average;
}

void ThroughputPage::CheckBoxClick(ControlName name, bool checked) {
    WindowState& s = window_.Model().State();
    s[name].checked = checked;
    window_.Model().UpdateRunButton();
    Apply({ctl::kTstRun});
}

void ThroughputPage::cb_copyClick(bool checked) { CheckBoxClick(ctl::kCbCopy, checked); }
void ThroughputPage::cb_readClick(bool checked) { CheckBoxClick(ctl::kCbRead, checked); }
void ThroughputPage::cb_writeClick(bool checked) { CheckBoxClick(ctl::kCbWrite, checked); }
void ThroughputPage::cb_vectorClick(bool checked) { window_.Model().State()[ctl::kCbVector].checked = checked; }

void ThroughputPage::tst_runClick() {
    WindowState& s = window_.Model().State();
    ThroughputRunOptions options;
    options.selected = {s[ctl::kCbCopy].checked, s[ctl::kCbRead].checked, s[ctl::kCbWrite].checked};
    if (!RunSelectedEnabled(options.selected[kTestCopy], options.selected[kTestRead], options.selected[kTestWrite]))
        return;
    const CacheInfo& c = window_.Model().Caches();
    options.caches = {c.l1.level1dc, c.l2.level2cs, c.l3.level3cs};
    options.rows = rows_;

    // The window is blocked from here on: the clock timer is off, and no
    // events are handled until the run ends.
    window_.RefreshTimer()->stop();
    window_.Model().PauseClock();  // a running measurement ends first
    s[ctl::kTestPb].visible = true;
    s[ctl::kTestPb].position = 0;
    s[ctl::kTstRun].enabled = false;
    s[ctl::kMtbScroll].enabled = false;
    window_.ApplyState();
    ShowGraph(DrawThroughputBackground(true));
    window_.repaint();  // once, so that the cleared graph and the disabled controls show

    RunScope restore([this, &s] {
        s[ctl::kTestPb].visible = false;
        s[ctl::kTestPb].position = 0;
        window_.Model().UpdateRunButton();
        s[ctl::kMtbScroll].enabled = true;
        window_.Model().ResumeClock();
        window_.ApplyState();
        window_.RefreshTimer()->start();
    });

    ThroughputHooks hooks;
    hooks.progress = [this](int position) {
        // The only control that repaints during the run.
        bar_->setValue(position);
        bar_->repaint();
    };
    hooks.message = [this](const std::string& text) { message_(QString::fromStdString(text)); };
    try {
        auto platform = make_platform_();
        if (s[ctl::kCbVector].checked) {
            options.vector = ChooseVectorWidth(*platform);
            if (options.vector == VectorWidth::None) {
                message_(QStringLiteral("This processor has no vector unit the test can use (SSE2)."));
                return;
            }
        }
        RunThroughput(*platform, options, *st_, hooks);
        PlaceCurves(*st_);
    } catch (const std::exception& e) {
        message_(QString::fromLocal8Bit(e.what()));
        return;
    }

    ShowGraph(DrawThroughputGraph(*st_));
    // The database record's "memtestr=": the word test's only.
    if (st_->vector == VectorWidth::None) window_.Model().Globals().memtestr = st_->memtestr;
    const LegendTexts l = LegendAfterRun(*st_);
    s[ctl::kLegTpCaption].text = l.captions.throughput;
    s[ctl::kLegAvCaption].text = l.captions.average;
    s[ctl::kTopTp].text = l.top_tp;
    s[ctl::kMiddleTp].text = l.middle_tp;
    s[ctl::kLegAvL1].text = l.leg_av_l1;
    s[ctl::kLegAvL2].text = l.leg_av_l2;
    s[ctl::kLegAvL3].text = l.leg_av_l3;
    const bool shown[3] = {l.read_row, l.write_row, l.copy_row};  // the legend's rows, top to bottom
    for (int row = 0; row < 3; ++row)
        for (ControlName n : ctl::LegendRowControls(row)) s[n].visible = shown[row];
}

void ThroughputPage::graph_mtMouseDown(Qt::MouseButton button) {
    ControlState& legend = window_.Model().State()[ctl::kPanelLegend];
    legend.visible = LegendVisibleAfterPress(legend.visible, ButtonOf(button), st_->test_done);
    Apply({ctl::kPanelLegend});
}

void ThroughputPage::graph_mtMouseMove(int x) {
    const ReadOut r = ReadOutAt(*st_, x);
    WindowState& s = window_.Model().State();
    s[ctl::kLegBsL1].text = r.leg_bs_l1;
    s[ctl::kLegTpL1].text = r.leg_tp_l1;
    s[ctl::kLegTpL2].text = r.leg_tp_l2;
    s[ctl::kLegTpL3].text = r.leg_tp_l3;
    Apply({ctl::kLegBsL1, ctl::kLegTpL1, ctl::kLegTpL2, ctl::kLegTpL3});
}

void ThroughputPage::mtb_scrollChange(int position) {
    window_.Model().State()[ctl::kMtbScroll].position = position;
    const int left = GraphLeftForScroll(position);
    graph_->move(left, 0);
    vals_->move(left, kGraphHeight);
}

bool ThroughputPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == graph_) {
        if (event->type() == QEvent::MouseButtonPress) {
            graph_mtMouseDown(static_cast<QMouseEvent*>(event)->button());
        } else if (event->type() == QEvent::MouseMove) {
            graph_mtMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint().x());
        }
    }
    return QObject::eventFilter(watched, event);
}

QString SaveThroughputRunScreenshot(Tmain& window, const QString& dir, int rows) {
    ThroughputPage* page = FindThroughputPage(window);
    if (!page) return {};
    window.Pages()->setCurrentWidget(window.findChild<QWidget*>(QtName(ctl::kCacheI)));
    window.CachePages()->setCurrentWidget(window.findChild<QWidget*>(QtName(ctl::kMemory)));
    QCoreApplication::processEvents();
    page->SetRows(rows);
    QDir().mkpath(dir);
    auto* vector = window.findChild<QCheckBox*>(QtName(ctl::kCbVector));
    // The word test, then the vector loops (the Vector box is left as it was).
    const bool was = vector->isChecked();
    QString first;
    for (const auto& [on, name] : {std::pair{false, "3d_throughput_after_run.png"},
                                   std::pair{true, "3e_throughput_vector_after_run.png"}}) {
        vector->setChecked(on);
        page->tst_runClick();
        page->graph_mtMouseDown(Qt::LeftButton);
        page->graph_mtMouseMove(101);
        QCoreApplication::processEvents();
        const QString path = dir + QLatin1Char('/') + QLatin1String(name);
        if (!window.grab().save(path)) return {};
        if (first.isEmpty()) first = path;
    }
    // The whole width of the vector run's graph (the page shows a quarter).
    page->GraphImage().save(dir + QStringLiteral("/3f_throughput_vector_graph.png"));
    vector->setChecked(was);
    return first;
}

}  // namespace kest::ui
