// The "Cache/Memory Throughput" sub-page in the real window: its controls,
// the enabling rule through the check boxes, a run on a scripted machine,
// the legend toggle, the read-out under the mouse, scrolling and Reset.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include "bench/fake_platform.h"
#include "cpu/cpuid_bits.h"
#include "report/model_inputs.h"
#include "tests/view/processors.h"
#include "ui/main_window.h"
#include "ui/throughput_graph.h"
#include "ui/throughput_page.h"

namespace kest::test {
namespace {

uint32_t Px(const QImage& im, int x, int y) { return im.pixel(x, y) & 0xFFFFFF; }

// What the scripted machine saw while a kernel ran.
struct DuringRun {
    bool timer_active = false;  // at any measurement
    bool run_enabled = false;
    bool scroll_enabled = false;
    bool bar_visible = false;
    int bar_max = 0;
    int bar_value_max = 0;
};

struct Page {
    explicit Page(Processor proc = AthlonXP()) : p(std::move(proc)) {
        WindowSeams seams;
        seams.read_dmi = [](DmiProcessorInfo& d) { d.dmiread = false; };
        seams.measure_clock = [](ClockMethod) { return GivenClock(2000.0); };
        seams.find_in_current_dir = [](const std::string&) { return std::nullopt; };
        model = std::make_unique<MainWindowModel>(p.cpu, p.caches, p.names, globals, seams);
        window = std::make_unique<ui::Tmain>(*model);
        page = ui::FindThroughputPage(*window);
        page->SetRows(kRows);
        page->SetMessageSink([this](const QString& m) { messages << m; });
        page->SetPlatformFactory([this] {
            auto fake = std::make_unique<fakes::FakePlatform>();
            fake->grants = grants;
            fake->vector_support = support;
            // 2000 ticks per 4 KB up to 64 KB, twice as many above: the
            // throughput halves past row 16.
            fake->kernel_ticks = [this](ThroughputTest, size_t n, int) {
                Observe();
                const uint64_t kb4 = n / 1024;
                return (kb4 <= 16 ? 2 * ticks_per_4kb * kb4 : 4 * ticks_per_4kb * kb4) + 25;
            };
            return std::unique_ptr<ThroughputPlatform>(std::move(fake));
        });
    }

    void Observe() {
        seen.timer_active = seen.timer_active || window->RefreshTimer()->isActive();
        seen.run_enabled = seen.run_enabled || Control(ctl::kTstRun)->isEnabled();
        seen.scroll_enabled = seen.scroll_enabled || Control(ctl::kMtbScroll)->isEnabled();
        auto* bar = qobject_cast<QProgressBar*>(Control(ctl::kTestPb));
        seen.bar_visible = !bar->isHidden();
        seen.bar_max = bar->maximum();
        seen.bar_value_max = std::max(seen.bar_value_max, bar->value());
    }

    QWidget* Control(ControlName name) const { return window->Control(name); }
    QCheckBox* Box(ControlName name) const { return qobject_cast<QCheckBox*>(Control(name)); }
    QString Text(ControlName name) const { return qobject_cast<QLabel*>(Control(name))->text(); }
    bool Shown(ControlName name) const { return !Control(name)->isHidden(); }
    void Run() { qobject_cast<QPushButton*>(Control(ctl::kTstRun))->click(); }
    void Press(Qt::MouseButton b) {
        QWidget* g = Control(ctl::kGraphMt);
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(40, 40), g->mapToGlobal(QPointF(40, 40)), b, b,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(g, &e);
    }
    void Move(int x) {
        QWidget* g = Control(ctl::kGraphMt);
        const QPointF at(x, 60);
        QMouseEvent e(QEvent::MouseMove, at, g->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(g, &e);
    }

    static constexpr int kRows = 64;  // 256 KB: enough for the read-out at row 50
    Processor p;
    WindowGlobals globals;
    std::unique_ptr<MainWindowModel> model;
    std::unique_ptr<ui::Tmain> window;
    ui::ThroughputPage* page = nullptr;
    std::deque<bool> grants;
    VectorSupport support;       // the scripted machine's vector units
    uint64_t ticks_per_4kb = 1000;  // a 4 KB step takes twice this up to 64 KB, four times above
    QStringList messages;
    DuringRun seen;
};

TEST(ThroughputPage, ControlsAtStartAndTheyFitThePage) {
    Page w;
    EXPECT_EQ(w.Control(ctl::kGraphMt)->size(), QSize(2048, 175));
    EXPECT_EQ(w.Control(ctl::kGraphMt)->pos(), QPoint(0, 0));
    EXPECT_EQ(qobject_cast<QLabel*>(w.Control(ctl::kGraphMtVals))->pixmap().size(), QSize(2048, 17));
    EXPECT_EQ(w.Control(ctl::kGraphMtVals)->pos(), QPoint(0, 175));
    auto* scroll = qobject_cast<QScrollBar*>(w.Control(ctl::kMtbScroll));
    EXPECT_FALSE(scroll->isEnabled());
    EXPECT_EQ(scroll->maximum(), 1539);
    auto* bar = qobject_cast<QProgressBar*>(w.Control(ctl::kTestPb));
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 4096);
    EXPECT_TRUE(w.Control(ctl::kPanelLegend)->isHidden());
    EXPECT_EQ(w.Text(ctl::kTstChLabel), "Tests to run:");
    EXPECT_EQ(qobject_cast<QPushButton*>(w.Control(ctl::kTstRun))->text(), "Run Selected");
    for (ControlName n : {ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy}) EXPECT_TRUE(w.Box(n)->isChecked()) << n;
    EXPECT_EQ(w.Box(ctl::kCbCopy)->text(), "Copy");
    EXPECT_EQ(w.Text(ctl::kLabHint), "Toggle legend On/Off: Left/Right click");
    EXPECT_EQ(w.Text(ctl::kLabHint2), "on diagram after performing test(s).");
    EXPECT_EQ(w.Text(ctl::kLegL2), "Write");
    EXPECT_FALSE(w.page->Results().test_done);

    // Shown on screen, every control lies inside the sub-page (the images
    // inside their view, whose width is what the scroll range leaves), and
    // the scale labels end at the view's right edge.
    w.window->show();
    w.window->Pages()->setCurrentIndex(2);
    w.window->CachePages()->setCurrentWidget(w.window->findChild<QWidget*>(ui::QtName(ctl::kMemory)));
    QCoreApplication::processEvents();
    QWidget* sub = w.window->findChild<QWidget*>(ui::QtName(ctl::kMemory));
    QWidget* view = w.Control(ctl::kGraphView);
    EXPECT_EQ(view->width() + 1539, 2048);
    for (ControlName n : {ctl::kGraphView, ctl::kMtbScroll, ctl::kTstChLabel, ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy, ctl::kTstRun,
                          ctl::kTestPb, ctl::kLabHint, ctl::kLabHint2, ctl::kPanelLegend})
        EXPECT_TRUE(sub->rect().contains(w.Control(n)->geometry())) << n;
    for (ControlName n : {ctl::kTopTp, ctl::kMiddleTp}) {
        EXPECT_EQ(w.Control(n)->parentWidget(), view);
        EXPECT_GE(w.Control(n)->geometry().right(), view->width() - 8) << n;
        EXPECT_TRUE(view->rect().contains(w.Control(n)->geometry())) << n;
    }
    EXPECT_EQ(w.Control(ctl::kTopTp)->y(), 4);
    EXPECT_EQ(w.Control(ctl::kMiddleTp)->y(), 78);
    // The check boxes, the button and the hints do not overlap.
    const ControlName row[] = {ctl::kTstChLabel, ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy, ctl::kTstRun, ctl::kTestPb};
    for (size_t i = 0; i + 1 < std::size(row); ++i)
        EXPECT_LE(w.Control(row[i])->geometry().right(), w.Control(row[i + 1])->x()) << row[i];
    EXPECT_LE(w.Control(ctl::kLabHint)->geometry().right(), w.Control(ctl::kLabHint2)->x());
    EXPECT_GE(w.Control(ctl::kLabHint)->y(), w.Control(ctl::kTstRun)->geometry().bottom());
}

TEST(ThroughputPage, RunSelectedFollowsTheCheckBoxes) {
    Page w;
    QWidget* run = w.Control(ctl::kTstRun);
    w.Box(ctl::kCbRead)->click();
    w.Box(ctl::kCbCopy)->click();
    EXPECT_TRUE(run->isEnabled());  // write still checked
    w.Box(ctl::kCbWrite)->click();
    EXPECT_FALSE(run->isEnabled());
    EXPECT_FALSE(w.model->State()[ctl::kCbWrite].checked);
    // A clock tick applies the whole state: the rule holds.
    w.window->refrtimerTimer();
    EXPECT_FALSE(run->isEnabled());
    w.Run();  // a disabled button does nothing; neither does the handler
    w.page->tst_runClick();
    EXPECT_FALSE(w.page->Results().test_done);
    w.Box(ctl::kCbCopy)->click();
    EXPECT_TRUE(run->isEnabled());
}

TEST(ThroughputPage, RunBlocksTheWindowThenShowsItsResults) {
    Page w;
    w.Run();
    // During the run: the clock timer off, button and scroll bar disabled,
    // the progress bar shown and counting to 4 x rows.
    EXPECT_FALSE(w.seen.timer_active);
    EXPECT_FALSE(w.seen.run_enabled);
    EXPECT_FALSE(w.seen.scroll_enabled);
    EXPECT_TRUE(w.seen.bar_visible);
    EXPECT_EQ(w.seen.bar_max, 4096);
    EXPECT_EQ(w.seen.bar_value_max, 4 * Page::kRows - 1);  // seen before the last measurement ends
    // After it: everything back, results shown.
    EXPECT_TRUE(w.window->RefreshTimer()->isActive());
    EXPECT_TRUE(w.Control(ctl::kTstRun)->isEnabled());
    EXPECT_TRUE(w.Control(ctl::kMtbScroll)->isEnabled());
    EXPECT_FALSE(w.Shown(ctl::kTestPb));
    EXPECT_TRUE(w.page->Results().test_done);
    EXPECT_TRUE(w.messages.isEmpty());
    // 2000 cycles per 4 KB at 2000000000 cycles per second: 4000000 KB/s.
    EXPECT_EQ(w.Text(ctl::kTopTp), "3906 Mbps");
    EXPECT_EQ(w.Text(ctl::kMiddleTp), "1953 Mbps");
    EXPECT_EQ(w.Text(ctl::kLegAvL1), w.Text(ctl::kLegAvL3));
    EXPECT_TRUE(w.Text(ctl::kLegAvL2).endsWith(" Mbps"));

    // memtestr reaches the window's globals and with them the database record.
    const std::string memtestr = w.page->Results().memtestr;
    EXPECT_EQ(memtestr.size(), 24u);
    EXPECT_NE(memtestr, "000000000000000000000000");
    EXPECT_EQ(w.globals.memtestr, memtestr);
    EXPECT_EQ(ReportInputsFor(*w.model, "1.1.2024", "12:00").memtestr, memtestr);

    // The picture: green middle line, each curve at its rows' positions;
    // past row 16 the throughput halves (y = 90), past the measured rows it
    // is zero (y = 175, the bottom frame).
    const QImage g = w.page->GraphImage();
    EXPECT_EQ(Px(g, 33, 92), 0x00FF00u);
    const auto& y = w.page->Results().graph_y;
    EXPECT_EQ(y[10][kTestRead], 5);
    EXPECT_EQ(y[40][kTestRead], 90);
    EXPECT_EQ(Px(g, 20, 5), 0xFFFF00u);  // write drawn last, over copy and read
    EXPECT_EQ(Px(g, 80, 90), 0xFFFF00u);
    EXPECT_EQ(Px(g, 80, 5), 0x000000u);

    // The legend's texts fit their labels.
    for (ControlName n : {ctl::kLegAvL1, ctl::kLegAvL2, ctl::kLegAvL3, ctl::kTopTp, ctl::kMiddleTp}) {
        auto* l = qobject_cast<QLabel*>(w.Control(n));
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width()) << n;
    }
}

// Every text of the page fits its label and every check box its caption
// (CTest runs this again with a larger font and a scaled display).
void ExpectNothingClipped(Page& w) {
    for (QLabel* l : w.Control(ctl::kGraphView)->parentWidget()->findChildren<QLabel*>()) {
        if (l->isHidden() || l->text().isEmpty() || !l->pixmap().isNull()) continue;
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width())
            << l->objectName().toStdString() << " \"" << l->text().toStdString() << "\"";
    }
    for (ControlName n : {ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy, ctl::kCbVector})
        EXPECT_LE(w.Box(n)->sizeHint().width(), w.Box(n)->width()) << n;
}

// The Vector box: off at start; on, "Run Selected" runs the widest loops
// the scripted machine allows, the legend names the width and its much
// larger figures fit, and the database record keeps the word test's
// memtestr. Off again, the word test runs and the record follows it.
TEST(ThroughputPage, VectorRunSaysItsWidthAndLeavesTheRecordAlone) {
    Page w;
    w.window->show();
    w.window->Pages()->setCurrentIndex(2);
    w.window->CachePages()->setCurrentWidget(w.window->findChild<QWidget*>(ui::QtName(ctl::kMemory)));
    EXPECT_FALSE(w.Box(ctl::kCbVector)->isChecked());
    EXPECT_EQ(w.Box(ctl::kCbVector)->text(), "Vector");
    EXPECT_LE(w.Box(ctl::kCbCopy)->geometry().right(), w.Box(ctl::kCbVector)->x());
    EXPECT_LE(w.Box(ctl::kCbVector)->geometry().right(), w.Control(ctl::kTstRun)->x());
    w.Run();
    const std::string word_memtestr = w.globals.memtestr;
    ASSERT_EQ(word_memtestr, w.page->Results().memtestr);

    // AVX-512 in the processor, but the system saves only the YMM state.
    using namespace cpuid_bit;
    w.support = {kOsxsave.Mask() | kAvx.Mask(), kSse2.Mask(), kAvx2.Mask() | kAvx512f.Mask(), 0x07};
    w.ticks_per_4kb = 4;  // 8 ticks per 4 KB at 2 GHz: 1000000000 KB/s up to 64 KB
    w.Box(ctl::kCbVector)->click();
    w.Run();
    EXPECT_TRUE(w.messages.isEmpty());
    EXPECT_EQ(w.page->Results().vector, VectorWidth::Avx2);
    EXPECT_EQ(w.Text(ctl::kLegAvCaption), "Average (AVX2):");
    EXPECT_EQ(w.Text(ctl::kLegTpCaption), "Throughput (AVX2):");
    EXPECT_EQ(w.Text(ctl::kTopTp), "976562 Mbps");  // 976562.5, ties to even
    EXPECT_EQ(w.globals.memtestr, word_memtestr);
    EXPECT_EQ(ReportInputsFor(*w.model, "1.1.2024", "12:00").memtestr, word_memtestr);
    w.Press(Qt::LeftButton);
    w.Move(20);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.Shown(ctl::kPanelLegend));
    EXPECT_EQ(w.Text(ctl::kLegTpL1), "976562 Mbps");
    ExpectNothingClipped(w);

    w.Box(ctl::kCbVector)->click();
    w.ticks_per_4kb = 1500;
    w.Run();
    EXPECT_EQ(w.page->Results().vector, VectorWidth::None);
    EXPECT_EQ(w.Text(ctl::kLegAvCaption), "Average:");
    EXPECT_NE(w.globals.memtestr, word_memtestr);  // slower: the record follows the word test
    EXPECT_EQ(w.globals.memtestr, w.page->Results().memtestr);
}

TEST(ThroughputPage, LegendToggleOnlyAfterARun) {
    Page w;
    w.Press(Qt::LeftButton);
    EXPECT_FALSE(w.Shown(ctl::kPanelLegend));  // before any run: nothing

    w.Run();
    EXPECT_FALSE(w.Shown(ctl::kPanelLegend));  // the run does not show it
    w.Press(Qt::LeftButton);
    EXPECT_TRUE(w.Shown(ctl::kPanelLegend));
    w.Press(Qt::MiddleButton);
    EXPECT_TRUE(w.Shown(ctl::kPanelLegend));
    // A clock tick (which applies the whole state) leaves it as the user set it.
    w.window->refrtimerTimer();
    EXPECT_TRUE(w.Shown(ctl::kPanelLegend));
    w.Press(Qt::RightButton);
    EXPECT_FALSE(w.Shown(ctl::kPanelLegend));
    w.Press(Qt::LeftButton);

    // Only "Write": the legend stays, its Read and Copy rows go, the graph
    // shows only the write curve.
    w.Box(ctl::kCbRead)->click();
    w.Box(ctl::kCbCopy)->click();
    w.Run();
    EXPECT_TRUE(w.Shown(ctl::kPanelLegend));
    for (ControlName n : {ctl::kShWr, ctl::kLegB2, ctl::kLegB5, ctl::kLegL2, ctl::kLegTpL2, ctl::kLegAvL2}) EXPECT_TRUE(w.Shown(n)) << n;
    for (ControlName n : {ctl::kShRd, ctl::kLegB1, ctl::kLegL1, ctl::kLegTpB1, ctl::kLegAvL1, ctl::kShCp, ctl::kLegB6, ctl::kLegAvB3})
        EXPECT_FALSE(w.Shown(n)) << n;
    const QImage g = w.page->GraphImage();
    int red = 0, aqua = 0, yellow = 0;
    for (int x = 1; x < 2048; ++x)
        for (int yy = 1; yy < 175; ++yy) {
            const uint32_t c = Px(g, x, yy);
            red += c == 0xFF0000u;
            aqua += c == 0x00FFFFu;
            yellow += c == 0xFFFF00u;
        }
    EXPECT_EQ(red, 0);
    EXPECT_EQ(aqua, 0);
    EXPECT_GT(yellow, 2 * Page::kRows);  // x = 1 to 128 at least
}

TEST(ThroughputPage, ReadOutUnderTheMouse) {
    Page w;
    w.Move(101);  // before any run: zeros
    EXPECT_EQ(w.Text(ctl::kLegBsL1), "202 Kb");
    EXPECT_EQ(w.Text(ctl::kLegTpL1), "0 Mbps");
    EXPECT_EQ(w.Text(ctl::kLegTpL3), "0 Mbps");

    w.Box(ctl::kCbCopy)->click();  // read and write only
    w.Run();
    w.Move(101);  // row 50, the 200 KB block: half the top rate
    EXPECT_EQ(w.Text(ctl::kLegBsL1), "202 Kb");
    EXPECT_EQ(w.Text(ctl::kLegTpL1), "1953 Mbps");
    EXPECT_EQ(w.Text(ctl::kLegTpL2), "1953 Mbps");
    EXPECT_EQ(w.Text(ctl::kLegTpL3), "0 Mbps");
    w.Move(20);  // row 10: the top rate
    EXPECT_EQ(w.Text(ctl::kLegBsL1), "40 Kb");
    EXPECT_EQ(w.Text(ctl::kLegTpL1), "3906 Mbps");
}

TEST(ThroughputPage, ScrollingMovesBothImagesAndSurvivesAClockTick) {
    Page w;
    w.Run();
    auto* scroll = qobject_cast<QScrollBar*>(w.Control(ctl::kMtbScroll));
    scroll->setValue(700);
    EXPECT_EQ(w.Control(ctl::kGraphMt)->x(), -700);
    EXPECT_EQ(w.Control(ctl::kGraphMtVals)->x(), -700);
    scroll->setValue(1539);
    EXPECT_EQ(w.Control(ctl::kGraphMt)->x(), -1539);
    EXPECT_EQ(w.Control(ctl::kGraphMtVals)->x(), -1539);
    // The view's left edge is the image's x = 1539: 3078 KB.
    QWidget* graph = w.Control(ctl::kGraphMt);
    w.Move(graph->mapFrom(w.Control(ctl::kGraphView), QPoint(0, 10)).x());
    EXPECT_EQ(w.Text(ctl::kLegBsL1), "3078 Kb");
    w.window->refrtimerTimer();
    EXPECT_EQ(scroll->value(), 1539);
    EXPECT_EQ(graph->x(), -1539);
}

TEST(ThroughputPage, ResetEmptiesTheGraphAndForgetsTheRun) {
    Page w;
    w.Run();
    w.Press(Qt::LeftButton);
    ASSERT_TRUE(w.Shown(ctl::kPanelLegend));
    const std::string memtestr = w.globals.memtestr;
    qobject_cast<QPushButton*>(w.Control(ctl::kButtonRefresh))->click();
    EXPECT_FALSE(w.page->Results().test_done);
    EXPECT_EQ(w.page->GraphImage().convertToFormat(QImage::Format_RGB32),
              DrawEmptyThroughputGraph().convertToFormat(QImage::Format_RGB32));
    // The legend went with the picture (it would otherwise cover "Run
    // Selected" with no way to take it away), and so did the scale.
    EXPECT_FALSE(w.Shown(ctl::kPanelLegend));
    EXPECT_EQ(w.Text(ctl::kTopTp), "");
    w.Press(Qt::LeftButton);
    EXPECT_FALSE(w.Shown(ctl::kPanelLegend));
    EXPECT_EQ(w.globals.memtestr, memtestr);  // the last result stays for the database
    w.Run();
    w.Press(Qt::LeftButton);
    EXPECT_TRUE(w.Shown(ctl::kPanelLegend));
}

TEST(ThroughputPage, RefusedBufferIsReportedAndTheOtherTestsRun) {
    Page w;
    w.grants = {false, true, true};  // copy refused
    w.Run();
    ASSERT_EQ(w.messages.size(), 1);
    EXPECT_EQ(w.messages[0], "Insufficient memory.");
    EXPECT_TRUE(w.page->Results().test_done);
    w.Press(Qt::LeftButton);
    EXPECT_FALSE(w.Shown(ctl::kLegL3));
    EXPECT_TRUE(w.Shown(ctl::kLegL1));
    EXPECT_EQ(w.Text(ctl::kLegAvL3), "0.00 Mbps");
    EXPECT_TRUE(w.window->RefreshTimer()->isActive());
}

}  // namespace
}  // namespace kest::test
