// kestrune: the window program. Start-up order: the processor records first
// (CPUID pass, cache decoding, identification), then the window unit's
// globals, then the single-instance guard, then the window.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include "cpu/clock.h"
#include "cpu/cpuid_source.h"
#include "dmi/dmi.h"
#include "ident/startup.h"
#include "report/model_inputs.h"
#include "ui/main_window.h"
#include "ui/report_actions.h"
#include "ui/screenshots.h"
#include "ui/single_instance.h"
#include "ui/throughput_page.h"
#include "ui/model/main_model.h"

namespace {

bool HaveDisplay() {
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* s = std::getenv(v);
        if (s && *s) return true;
    }
    return false;
}

// Without a display the command-line program prints the same records.
int RunCliInstead(const char* argv0) {
    std::fprintf(stderr, "kestrune: no display available; printing the kestrune-cli report instead\n");
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::string dir = n > 0 ? self.substr(0, static_cast<size_t>(n)) : std::string(argv0);
    const auto slash = dir.rfind('/');
    dir = slash == std::string::npos ? "." : dir.substr(0, slash);
    const std::string cli = dir + "/kestrune-cli";
    execl(cli.c_str(), cli.c_str(), static_cast<char*>(nullptr));
    std::perror(cli.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!HaveDisplay()) return RunCliInstead(argv[0]);

    // Processor records, before any window exists.
    auto source = kest::MakeLiveCpuidSource();
    kest::StartupRecords records = kest::RunStartup(*source);
    kest::WindowGlobals globals = kest::InitWindowGlobals();

    kest::ui::SingleInstance guard;
    switch (guard.Acquire()) {
        case kest::ui::SingleInstance::Outcome::Failed:
            return 0;
        case kest::ui::SingleInstance::Outcome::Second: {
            QCoreApplication app(argc, argv);
            guard.NotifyFirst();
            return 0;
        }
        case kest::ui::SingleInstance::Outcome::First:
            break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrune"));
    kest::ui::ApplyWindowLook();

    auto clock_platform = kest::MakeLiveMachine();
    kest::WindowSeams seams;
    seams.read_dmi = [](kest::DmiProcessorInfo& info) {
        kest::ReadDmiAtStartup(kest::MakeLiveFirmwareMemory().get(), info);
    };
    seams.measure_clock = [&clock_platform] { return kest::MeasureClock(*clock_platform); };
    seams.find_in_current_dir = [](const std::string& name) { return kest::FindExactName(".", name); };

    kest::WindowHooks hooks;
    hooks.read_database_pointer = kest::DatabasePointerHook(globals.StartupDir);
    kest::ui::InstallReportActions();

    kest::MainWindowModel model(records.cpu, records.caches, records.names, globals, seams, hooks);
    kest::ui::Tmain window(model);
    guard.Listen([&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();

    // KEST_SCREENSHOT_DIR: save a picture of every page there and end.
    // KEST_SCREENSHOT_THROUGHPUT_ROWS=n: then also run the throughput test
    // over the first n block sizes and save the graph with the legend.
    const QString shots = qEnvironmentVariable("KEST_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QTimer::singleShot(300, &window, [&window, shots] {
            kest::ui::SavePageScreenshots(window, shots);
            const int rows = qEnvironmentVariableIntValue("KEST_SCREENSHOT_THROUGHPUT_ROWS");
            if (rows > 0) kest::ui::SaveThroughputRunScreenshot(window, shots, rows);
            window.close();
        });
    }
    app.exec();
    return 0;
}
