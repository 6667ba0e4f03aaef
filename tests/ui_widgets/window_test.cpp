// The Qt window applies the model's states: names, texts, visibility,
// colours; the logo pictures decode; the single-instance guard.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <string>
#include <vector>

#include "tests/view/harness.h"
#include "tests/view/processors.h"
#include "ui/jpeg_image.h"
#include "ui/main_window.h"
#include "ui/report_actions.h"
#include "ui/single_instance.h"

namespace kest::test {
namespace {

struct Window {
    // With a gate, the clock is left to the window and each measurement
    // holds there; without one, the first is measured before the test goes on.
    explicit Window(Processor proc, double mhz = 2400.0, bool dmi = false, Gate* gate = nullptr)
        : p(std::move(proc)) {
        WindowSeams seams;
        seams.read_dmi = [dmi](DmiProcessorInfo& d) {
            d.dmiread = dmi;
            d.extclock = dmi ? 133 : 0;
            d.curspeed = dmi ? 2000 : 0;
            d.maxspeed = 3600;
            d.cpustatus = "CPU Disabled by POST";
            if (!dmi) return;
            // Cache records with the longest texts the firmware gives.
            d.l1handle = 0x700, d.l2handle = 0x701, d.l3handle = 0x702;
            for (uint16_t h : {0x700, 0x701, 0x702})
                d.caches.push_back({h, 0x0180, "Pipeline Burst Synchronous ", "Synchronous Asynchronous ", 10,
                                    "Single-bit ECC", "Instruction"});
        };
        seams.measure_clock = [mhz, gate](ClockMethod) {
            if (gate) gate->Pass();
            return GivenClock(mhz);
        };
        seams.find_in_current_dir = [](const std::string&) { return std::nullopt; };
        model = std::make_unique<MainWindowModel>(p.cpu, p.caches, p.names, globals, seams);
        window = std::make_unique<ui::Tmain>(*model);
        if (gate) return;
        model->StartClock();
        model->FinishClock();
        window->ApplyState();
    }
    QLabel* Label(ControlName name) { return qobject_cast<QLabel*>(window->Control(name)); }
    QString Text(ControlName name) { return Label(name)->text(); }
    bool Shown(ControlName name) { return !window->Control(name)->isHidden(); }

    Processor p;
    WindowGlobals globals;
    std::unique_ptr<MainWindowModel> model;
    std::unique_ptr<ui::Tmain> window;
};

TEST(Window, GeometryAndNames) {
    Window w(Pentium4HT());
    EXPECT_EQ(w.window->windowTitle(), "Kestrune");
    EXPECT_EQ(w.window->size(), QSize(536, 336));
    EXPECT_EQ(w.window->minimumSize(), w.window->maximumSize());
    EXPECT_EQ(w.window->Pages()->geometry(), QRect(2, 2, 533, 303));
    EXPECT_EQ(w.window->Pages()->currentIndex(), 0);
    EXPECT_EQ(w.window->Pages()->tabText(4), "About Program");
    EXPECT_EQ(w.window->CachePages()->tabText(0), "Integrated CPU Cache Information");
    // Every control the model knows (but the throughput legend, which that
    // page builds itself) has a widget or popup entry of that name.
    for (const auto& [name, c] : w.model->State().All()) {
        const ControlName n = ControlName::Of(name);
        if (name.starts_with("leg_") || name.starts_with("sh_") || n == ctl::kMainPageControl || n == ctl::kCacheControl)
            continue;
        EXPECT_TRUE(w.window->Control(n) || w.window->MenuEntry(n)) << name;
    }
    // And every named widget, popup entry and timer is one of the window's
    // declared controls (Qt's own parts of the tab bars aside).
    for (const QObject* o : w.window->findChildren<QObject*>()) {
        const QString n = o->objectName();
        if (!n.isEmpty() && !n.startsWith("qt_") && !qobject_cast<const QTabBar*>(o->parent())) {
            EXPECT_TRUE(IsControl(n.toStdString())) << n.toStdString();
        }
    }
    // Every widget lies where its layout row puts it, under its row's
    // parent; a page where its tab widget shows it. The hint labels are
    // fitted to their texts. Tab widgets lay out their pages once shown.
    w.window->show();
    w.window->Pages()->setCurrentIndex(2);
    QApplication::processEvents();
    for (const ControlRow& row : MainLayout()) {
        if (row.kind == ControlKind::Window || row.name == ctl::kLabHint || row.name == ctl::kLabHint2) continue;
        const QWidget* c = w.window->Control(row.name);
        ASSERT_NE(c, nullptr) << row.name;
        const QWidget* placed = row.kind == ControlKind::Page ? c->parentWidget() : c;  // the tabs' page stack
        EXPECT_EQ(placed->geometry(), QRect(row.rect.x, row.rect.y, row.rect.w, row.rect.h)) << row.name;
        EXPECT_EQ(placed->parentWidget()->objectName(), ui::QtName(row.parent)) << row.name;
    }
    auto* snap = qobject_cast<QPushButton*>(w.window->Control(ctl::kButtonSnap));
    EXPECT_EQ(snap->size(), QSize(75, 19));
    EXPECT_EQ(snap->toolTip(), "Save snapshot as bitmap");
    EXPECT_EQ(w.window->RefreshTimer()->interval(), 10000);
    EXPECT_TRUE(w.window->RefreshTimer()->isActive());
}

TEST(Window, Pentium4PageContents) {
    Window w(Pentium4HT(), 3066.0);
    EXPECT_EQ(w.Text(ctl::kVendor), "GenuineIntel");
    EXPECT_EQ(w.Text(ctl::kLabelL1i), "L1 Trace:");
    EXPECT_EQ(w.Text(ctl::kL1is), QString::fromUtf8("12K\u00B5Ops"));  // the micro sign converted
    EXPECT_EQ(w.Text(ctl::kTech1), QString::fromUtf8("CMOS Cu 0,13\u00B5m"));
    EXPECT_EQ(w.Text(ctl::kCpuextname), "              Intel(R) Pentium(R) 4 CPU 3.06GHz");
    EXPECT_EQ(w.Text(ctl::kCspeed), "3066.00 MHz");
    EXPECT_TRUE(w.Shown(ctl::kLogo0310));
    EXPECT_FALSE(w.Shown(ctl::kLogo0308));
    EXPECT_FALSE(w.Label(ctl::kLogo0310)->pixmap().isNull());
    EXPECT_FALSE(w.Shown(ctl::kFspeed));
    EXPECT_TRUE(w.Shown(ctl::kDmiMaskPanel));
    EXPECT_FALSE(w.Shown(ctl::kL2MaskPanel));
    EXPECT_FALSE(w.window->Control(ctl::kBEff)->isEnabled());
    EXPECT_FALSE(w.window->Control(ctl::kL3)->isEnabled());
    EXPECT_FALSE(w.window->Control(ctl::kDbase)->isEnabled());
    EXPECT_FALSE(w.window->MenuEntry(ctl::kDatabasebrowser1)->isEnabled());
    auto* bar = qobject_cast<QProgressBar*>(w.window->Control(ctl::kSpeedbar));
    EXPECT_EQ(bar->maximum(), 4000);
    EXPECT_EQ(bar->value(), 3066);
    // Dimmed captions use the grey, normal ones the window text colour.
    EXPECT_EQ(w.Label(ctl::kLabelL3)->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_NE(w.Label(ctl::kLabelL2)->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    auto* sq = qobject_cast<ui::Indicator*>(w.window->Control(ctl::kSse2Sh));
    EXPECT_EQ(sq->Fill(), kGreen);
}

TEST(Window, ButtonsAndClicksReachTheModel) {
    Window w(AthlonXP());
    qobject_cast<QPushButton*>(w.window->Control(ctl::kBEff))->click();
    EXPECT_EQ(w.Text(ctl::kLabelS30), "[30] AMD 3DNow! Plus Instructions");
    EXPECT_TRUE(qobject_cast<QPushButton*>(w.window->Control(ctl::kBEff))->font().bold());
    EXPECT_FALSE(qobject_cast<QPushButton*>(w.window->Control(ctl::kBSff))->font().bold());

    qobject_cast<QPushButton*>(w.window->Control(ctl::kL2))->click();
    EXPECT_TRUE(w.Shown(ctl::kL2MaskPanel));
    EXPECT_EQ(w.Text(ctl::kHead11), "Level 2 Cache");

    qobject_cast<ui::ClickLabel*>(w.window->Control(ctl::kLp))->clicked();
    EXPECT_EQ(w.Text(ctl::kHlpstring), "Logical Processor Count; per package: 1 core, 1 thread");

    // The core speed explains a busy-core run.
    ClockReading busy;
    busy.coremhz = 2966.4;
    busy.tscmhz = 2300;
    busy.method = ClockMethod::kBusyCore;
    busy.processor = 1;
    w.model->ShowClock(busy);
    qobject_cast<ui::ClickLabel*>(w.window->Control(ctl::kCspeed))->clicked();
    EXPECT_EQ(w.Text(ctl::kHlpstring), "Time-stamp counter: 2300.00 MHz (fixed rate); core measured busy on logical processor 1");

    qobject_cast<QPushButton*>(w.window->Control(ctl::kButtonRefresh))->click();
    EXPECT_EQ(w.Text(ctl::kHlpstring), "");
    EXPECT_FALSE(w.Shown(ctl::kL2MaskPanel));
    EXPECT_EQ(w.Text(ctl::kLabelS30), "[30] IA64 Compatibility");

    auto* read = qobject_cast<QCheckBox*>(w.window->Control(ctl::kCbRead));
    auto* write = qobject_cast<QCheckBox*>(w.window->Control(ctl::kCbWrite));
    auto* copy = qobject_cast<QCheckBox*>(w.window->Control(ctl::kCbCopy));
    read->setChecked(false);
    write->setChecked(false);
    EXPECT_TRUE(w.window->Control(ctl::kTstRun)->isEnabled());
    copy->setChecked(false);
    EXPECT_FALSE(w.window->Control(ctl::kTstRun)->isEnabled());
}

// Handles events until `done` holds, for at most ten seconds.
bool Until(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// The window is on screen with every field but the clock's before the
// clock is measured; a text report asked for meanwhile waits for the
// measurement, which then fills the clock fields and nothing else.
TEST(Window, ShownBeforeTheClockIsMeasured) {
    const ui::WindowActions saved = ui::Actions();
    ui::InstallReportActions();
    std::vector<QString> dialogs;  // the default file names the save dialog was opened with
    ui::SetSaveDialog([&](QWidget*, const QString&, const QString&, const QString&, const QString& file) {
        dialogs.push_back(file);
        return QString();  // cancelled
    });
    Gate gate;
    {
        Window w(AthlonXP(), 2000.0, true, &gate);
        w.window->show();
        ASSERT_TRUE(Until([&] { return gate.Entered() == 1; }));  // started once painted
        EXPECT_TRUE(w.window->isVisible());
        EXPECT_EQ(w.Text(ctl::kVendor), "AuthenticAMD");
        for (ControlName n : {ctl::kCspeed, ctl::kPRating, ctl::kMult, ctl::kFspeed}) EXPECT_EQ(w.Text(n), "") << n;
        EXPECT_TRUE(w.Label(ctl::kPb1)->isHidden());
        EXPECT_EQ(qobject_cast<QProgressBar*>(w.window->Control(ctl::kSpeedbar))->value(), 0);
        std::map<QLabel*, std::pair<QString, bool>> others;
        for (QLabel* l : w.window->findChildren<QLabel*>()) others[l] = {l->text(), l->isHidden()};

        w.window->MenuEntry(ctl::kExtfile1)->trigger();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialogs.empty());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        w.window->refrtimerTimer();  // a tick meanwhile starts no second measurement

        gate.Open();
        ASSERT_TRUE(Until([&] { return !dialogs.empty(); }));
        EXPECT_EQ(w.Text(ctl::kCspeed), "2000.00 MHz");
        EXPECT_EQ(w.Text(ctl::kPRating), "2400+");
        EXPECT_EQ(w.Text(ctl::kMult), "15.0");
        EXPECT_FALSE(w.Label(ctl::kPb1)->isHidden());
        EXPECT_EQ(qobject_cast<QProgressBar*>(w.window->Control(ctl::kSpeedbar))->value(), 2000);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(gate.Entered(), 1);
        const std::set<QString> clock = {"cspeed", "p_rating", "mult", "fspeed", "pb1", "pb2", "pb3"};
        for (QLabel* l : w.window->findChildren<QLabel*>()) {
            if (clock.count(l->objectName())) continue;
            const std::pair<QString, bool> now{l->text(), l->isHidden()};
            EXPECT_TRUE(others[l] == now) << l->objectName().toStdString();
        }
    }
    ui::SetSaveDialog(nullptr);
    ui::Actions() = saved;
}

TEST(Window, SerialCheckBoxReformats) {
    Processor p = PentiumIIISerialOff();
    p.cpu.featurs1 |= 1u << 18;
    p.cpu.serial_ecx = 0x1234ABCD;
    p.cpu.serial_edx = 0x00C0FFEE;
    Window w(std::move(p));
    auto* box = qobject_cast<QCheckBox*>(w.window->Control(ctl::kCheckBoxFullsn));
    ASSERT_TRUE(box->isEnabled());
    box->click();
    EXPECT_EQ(w.Text(ctl::kSerialnumber), "0000-0683-1234-ABCD-00C0-FFEE");
    EXPECT_FALSE(box->isChecked());
}

// This project's kind of machine: a current Xeon seen through a hypervisor,
// with the way counts and TLB figures of today's cores and a 480 MB L3.
Processor XeonUnderKvm(const std::string& platform, const std::string& hypervisor) {
    Processor p = ThisMachineEpyc();
    p.cpu.vendorst = "GenuineIntel";
    p.cpu.ext_name = Brand48("Intel(R) Xeon(R) Platinum 8592+");
    p.names.procname = "Intel Xeon Platinum 8592+";
    p.names.corecode = "Emerald Rapids-SP";
    p.names.hypervisor = hypervisor;
    p.names.platform = platform + " (virtual machine: " + hypervisor + ")";
    CacheInfo& k = p.caches;
    k.l1.level1dc = 48; k.l1.l1dassoc = 12; k.l1.l1iassoc = 16;
    k.l1.l1dtlba4 = 254; k.l1.l1dtlbe4 = 65535; k.l1.l1itlba4 = 8; k.l1.l1itlbe4 = 256;
    k.l2.level2cs = 2048; k.l2.l2cassoc = 16;
    k.l2.l2dtlba4 = 8; k.l2.l2dtlbe4 = 2048; k.l2.l2itlba4 = 8; k.l2.l2itlbe4 = 2048;
    k.l3.level3cs = 491520; k.l3.l3cassoc = 20;
    return p;
}

// Every visible text of the first page, the feature pages and the cache
// pages fits its label with the window's font, for processors with long
// texts (the full serial number, a trace cache, long names, the hypervisor
// note with the longest platforms and hypervisor names). CTest runs it again
// with QT_FONT_DPI=120 and with QT_SCALE_FACTOR=1.5.
TEST(Window, NoTextIsClipped) {
    Processor p3 = PentiumIIISerialOff();
    p3.cpu.featurs1 |= 1u << 18;
    p3.cpu.serial_ecx = 0xFFFFFFFF;
    p3.cpu.serial_edx = 0xFFFFFFFF;
    Processor p4 = Pentium4HT();
    p4.names.techpar1 = "CMOS Cu 0,09\xB5m CDO";
    p4.names.techpar2 = "125M";
    p4.names.techpar3 = "PGA, 132-pin";
    Processor epyc = ThisMachineEpyc();
    epyc.caches.l3.level3cs = 65535;
    // Every later word with every bit set: all their names on view.
    for (const LaterFeatureWord& word : LaterFeatureWords()) epyc.cpu.*word.word = 0xFFFFFFFF;
    std::vector<Processor> procs = {p3, p4, epyc, XeonUnderKvm("LGA 4677", "KVM")};
    for (const char* platform : {"Socket sWRX8", "Socket F (1207)", "BGA 2049"})
        for (const char* hypervisor : {"VirtualBox", "Parallels", "QEMU TCG", "Hyper-V"})
            procs.push_back(XeonUnderKvm(platform, hypervisor));
    for (const Processor& proc : procs) {
        Window w(proc, 8888.88, &proc == &procs[1]);
        std::vector<std::function<void()>> pages;
        for (ControlName page : {ctl::kBSff, ctl::kBAff, ctl::kBEff, ctl::kL1, ctl::kL2, ctl::kL3})
            if (auto* b = qobject_cast<QPushButton*>(w.window->Control(page)); b && b->isEnabled())
                pages.push_back([b] { b->click(); });
        for (const LaterFeatureWord& word : LaterFeatureWords())
            if (QAction* a = w.window->MenuEntry(word.action); a && a->isEnabled())
                pages.push_back([a] { a->trigger(); });
        // The page buttons' captions fit in bold, the page on view's style.
        for (ControlName b : {ctl::kBSff, ctl::kBAff, ctl::kBEff, ctl::kBLff}) {
            auto* button = qobject_cast<QPushButton*>(w.window->Control(b));
            QFont bold = button->font();
            bold.setBold(true);
            EXPECT_LE(QFontMetrics(bold).horizontalAdvance(button->text()) + 4, button->width()) << b;
        }
        for (const auto& show : pages) {
            show();
            for (QLabel* l : w.window->findChildren<QLabel*>()) {
                if (l->isHidden() || l->text().isEmpty() || !l->pixmap().isNull() || l->wordWrap()) continue;
                const int need = l->fontMetrics().horizontalAdvance(l->text());
                const int have = l->contentsRect().width() - (l->indent() > 0 ? l->indent() : 0);
                EXPECT_LE(need, have) << l->objectName().toStdString() << " \""
                                      << l->text().toStdString() << "\"";
                EXPECT_LE(l->fontMetrics().height(), l->contentsRect().height())
                    << l->objectName().toStdString();
            }
        }
    }
    // The platform field of a processor seen through a hypervisor: the short
    // note shown, the full one in the tooltip and, after a click, on the
    // help line.
    Window vm(XeonUnderKvm("LGA 4677", "KVM"));
    EXPECT_EQ(vm.Text(ctl::kPlt), "LGA 4677 (VM: KVM)");
    EXPECT_EQ(vm.Label(ctl::kPlt)->toolTip(), "LGA 4677 (virtual machine: KVM)");
    qobject_cast<ui::ClickLabel*>(vm.window->Control(ctl::kPlt))->clicked();
    EXPECT_EQ(vm.Text(ctl::kHlpstring), "LGA 4677 (virtual machine: KVM)");
}

TEST(Logos, AllTwentyTwoDecodeAt79x79) {
    for (uint16_t code : kLogoCodes) {
        const QImage img = ui::LogoImage(code);
        ASSERT_FALSE(img.isNull()) << code;
        EXPECT_EQ(img.size(), QSize(79, 79)) << code;
    }
    EXPECT_TRUE(ui::LogoImage(999).isNull());
}

TEST(Logos, BrokenJpegGivesANullImage) {
    QFile f(":/logos/0308.jpg");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    EXPECT_TRUE(ui::DecodeJpeg(QByteArray("not a jpeg at all")).isNull());
    EXPECT_TRUE(ui::DecodeJpeg(good.left(40)).isNull());
}

TEST(SingleInstanceGuard, SecondIsToldAndAStaleLockIsTakenOver) {
    QTemporaryDir dir;
    ui::SingleInstance first("ZAKMapTest", dir.path());
    ASSERT_EQ(first.Acquire(), ui::SingleInstance::Outcome::First);
    int raised = 0;
    ASSERT_TRUE(first.Listen([&] { ++raised; }));

    ui::SingleInstance second("ZAKMapTest", dir.path());
    EXPECT_EQ(second.Acquire(), ui::SingleInstance::Outcome::Second);
    EXPECT_TRUE(second.NotifyFirst());
    for (int i = 0; i < 50 && raised == 0; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(raised, 1);

    // A lock file left by a process that no longer exists does not block.
    ui::SingleInstance gone("ZAKMapStale", dir.path());
    {
        QFile stale(gone.LockPath());
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("999999\nkestrune\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    EXPECT_EQ(gone.Acquire(), ui::SingleInstance::Outcome::First);
}

}  // namespace
}  // namespace kest::test

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    kest::ui::ApplyWindowLook();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
