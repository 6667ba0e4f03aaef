// kestrune: the window program. Start-up order: the processor records first
// (CPUID pass, cache decoding, identification), then the window unit's
// globals, then the single-instance guard, then the window.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
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
#include "view/main_model.h"

namespace {

bool HaveDisplay() {
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* s = std::getenv(v);
        if (s && *s) return true;
    }
    return false;
}

// The folder of the running program (the package puts kestrune-cli and
// kestdbbr there too).
std::string ProgramDir(const char* argv0) {
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::string dir = n > 0 ? self.substr(0, static_cast<size_t>(n)) : std::string(argv0);
    const auto slash = dir.rfind('/');
    return slash == std::string::npos ? "." : dir.substr(0, slash);
}

// --help and --version, answered without a display. True when one was given.
bool AnswerOption(int argc, char** argv, int& code) {
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("kestrune %s\n", KEST_VERSION);
            code = 0;
            return true;
        }
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs("Usage: kestrune\n"
                       "Shows everything about the x86 processor of this machine in a window.\n"
                       "Without a display it prints the kestrune-cli report instead.\n"
                       "\n"
                       "  -h, --help     show this help and exit\n"
                       "  --version      show the program's name and version and exit\n"
                       "\n"
                       "See kestrune(1), kestrune-cli(1) and kestdbbr(1).\n",
                       stdout);
            code = 0;
            return true;
        }
    }
    return false;
}

// Without a display the command-line program prints the same records.
int RunCliInstead(const char* argv0) {
    std::fprintf(stderr, "kestrune: no display available; printing the kestrune-cli report instead\n");
    const std::string cli = ProgramDir(argv0) + "/kestrune-cli";
    execl(cli.c_str(), cli.c_str(), static_cast<char*>(nullptr));
    std::perror(cli.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (int code = 0; AnswerOption(argc, argv, code)) return code;
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
    seams.measure_clock = [&clock_platform](kest::ClockMethod method) {
        return kest::MeasureClock(*clock_platform, method);
    };
    seams.find_in_current_dir = [](const std::string& name) { return kest::FindExactName(".", name); };
    seams.read_topology = [](kest::Topology& t) { return kest::ReadLiveTopology(t); };
    seams.find_beside_program = [dir = ProgramDir(argv[0])](const std::string& name) -> std::optional<std::string> {
        if (!kest::FindExactName(dir, name) || access((dir + "/" + name).c_str(), X_OK) != 0) return std::nullopt;
        return dir + "/" + name;
    };

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
