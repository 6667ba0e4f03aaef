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

const ControlName kBoxes[] = {ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy};

// A control of the page, built by the window from its layout row.
template <class W = QWidget>
W* Part(QWidget* page, ControlName name) {
    return page->findChild<W*>(QtName(name));
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
    graph_ = Part<QLabel>(page_, ctl::kGraphMt);
    graph_->setMouseTracking(true);
    graph_->installEventFilter(this);
    vals_ = Part<QLabel>(page_, ctl::kGraphMtVals);
    vals_->setPixmap(QPixmap::fromImage(DrawScaleStrip()));
    ShowGraph(DrawEmptyThroughputGraph());

    scroll_ = Part<QScrollBar>(page_, ctl::kMtbScroll);
    scroll_->setRange(0, kScrollMax);
    scroll_->setSingleStep(8);
    scroll_->setPageStep(scroll_->width());
    connect(scroll_, &QScrollBar::valueChanged, this, &ThroughputPage::mtb_scrollChange);
}

// The test check boxes, "Run Selected" and the progress bar.
void ThroughputPage::BuildTestRow() {
    connect(Part<QCheckBox>(page_, ctl::kCbRead), &QCheckBox::toggled, this, &ThroughputPage::cb_readClick);
    connect(Part<QCheckBox>(page_, ctl::kCbWrite), &QCheckBox::toggled, this, &ThroughputPage::cb_writeClick);
    connect(Part<QCheckBox>(page_, ctl::kCbCopy), &QCheckBox::toggled, this, &ThroughputPage::cb_copyClick);
    // The loops: off runs the word test, on the vector loops.
    connect(Part<QCheckBox>(page_, ctl::kCbVector), &QCheckBox::toggled, this, &ThroughputPage::cb_vectorClick);
    connect(Part<QPushButton>(page_, ctl::kTstRun), &QPushButton::clicked, this, &ThroughputPage::tst_runClick);
    bar_ = Part<QProgressBar>(page_, ctl::kTestPb);
    bar_->setRange(0, kProgressMax);
}

void ThroughputPage::BuildHint() {
    auto* hint = Part<QLabel>(page_, ctl::kLabHint);
    auto* hint2 = Part<QLabel>(page_, ctl::kLabHint2);
    // One sentence on one line: the second label follows the first.
    QFontMetrics fm(hint->font());
    const auto [first, second] = HintPlacement(fm.horizontalAdvance(hint->text()), fm.horizontalAdvance(hint2->text()));
    hint->setGeometry(first.x, first.y, first.w, first.h);
    hint2->setGeometry(second.x, second.y, second.w, second.h);
}

// The legend's row names; every legend control is known to the state, shown.
void ThroughputPage::BuildLegend() {
    WindowState& s = window_.Model().State();
    for (int i = 0; i < 3; ++i) {
        const ctl::LegendRow& row = ctl::LegendRowControls(i);
        s[row[3]].text = LayoutRow(row[3])->caption;  // the row's name, as the layout writes it
        for (ControlName n : {row[1], row[2], row[4], row[6]}) s[n];
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
    ShowClearedGraph(window_.Model().State());
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
                message_(QString::fromUtf8(kNoVectorUnitMessage));
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
    ShowCompletedRun(*st_, s, window_.Model().Globals().memtestr);
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
