#include "ui/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>

#include "ui/main_window.h"

namespace kest::ui {

QStringList SavePageScreenshots(Tmain& window, const QString& dir) {
    QDir().mkpath(dir);
    QStringList saved;
    auto shoot = [&](const QString& name) {
        QApplication::processEvents();
        const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (window.grab().save(path)) saved << path;
    };
    const char* pages[] = {"1_cpu_information", "2_feature_flags", "3_cache", "4_other_info", "5_about"};
    for (int i = 0; i < window.Pages()->count(); ++i) {
        window.Pages()->setCurrentIndex(i);
        if (i == 2) {
            const char* subs[] = {"3a_integrated_cache", "3b_extended_cache", "3c_throughput"};
            for (int j = 0; j < window.CachePages()->count(); ++j) {
                window.CachePages()->setCurrentIndex(j);
                shoot(subs[j]);
            }
            // The other two cache levels.
            window.CachePages()->setCurrentIndex(0);
            for (ControlName level : {ctl::kL2, ctl::kL3}) {
                auto* b = qobject_cast<QPushButton*>(window.Control(level));
                if (b && b->isEnabled()) {
                    b->click();
                    shoot(QStringLiteral("3a_integrated_cache_%1").arg(QtName(level)));
                }
            }
            qobject_cast<QPushButton*>(window.Control(ctl::kL1))->click();
            continue;
        }
        if (i == 1) {
            shoot(pages[i]);
            for (ControlName b : {ctl::kBAff, ctl::kBEff}) {
                auto* btn = qobject_cast<QPushButton*>(window.Control(b));
                if (btn && btn->isEnabled()) {
                    btn->click();
                    shoot(QStringLiteral("2_feature_flags_%1").arg(QtName(b)));
                }
            }
            // The later words, from the narrow toggle's menu, and the menu itself.
            auto* more = qobject_cast<QPushButton*>(window.Control(ctl::kBLff));
            if (more && more->isEnabled()) {
                for (const LaterFeatureWord& w : LaterFeatureWords()) {
                    QAction* a = window.MenuEntry(w.action);
                    if (a && a->isEnabled()) {
                        a->trigger();
                        shoot(QStringLiteral("2_feature_flags_%1").arg(QtName(w.action)));
                    }
                }
                if (auto* menu = window.findChild<QMenu*>(QtName(ctl::kLffPop))) {
                    menu->popup(LaterMenuPoint(more, menu));
                    // The menu is a window of its own: grabbed from the screen
                    // only once the window system shows it.
                    QElapsedTimer waited;
                    waited.start();
                    while (!(menu->windowHandle() && menu->windowHandle()->isExposed()) && waited.elapsed() < 2000)
                        QApplication::processEvents(QEventLoop::AllEvents, 20);
                    QApplication::processEvents();
                    const QString path = dir + QStringLiteral("/2_feature_flags_menu.png");
                    const QRect area = window.frameGeometry().united(menu->geometry());
                    if (window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path))
                        saved << path;
                    menu->hide();
                }
            }
            qobject_cast<QPushButton*>(window.Control(ctl::kBSff))->click();
            continue;
        }
        shoot(pages[i]);
    }
    window.Pages()->setCurrentIndex(0);
    return saved;
}

}  // namespace kest::ui
