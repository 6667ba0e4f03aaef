// kestrune.exe: the window program on Windows. Start-up order: the processor
// records first (CPUID pass, cache decoding, identification), then the
// window unit's globals, then the single-instance guard, then the window.
//
// --cpuid-dump FILE and --mhz N (as kestrune-cli takes them) show a saved
// processor instead of this one; nothing of this machine's firmware or clock
// is read then. The tests start the window this way.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "cpu/clock.h"
#include "cpu/cpuid_dump.h"
#include "cpu/cpuid_source.h"
#include "dmi/dmi.h"
#include "ident/startup.h"
#include "report/model_inputs.h"
#include "report/text_encoding.h"
#include "view/main_model.h"
#include "win32/main_window.h"

namespace {

struct Options {
    std::string cpuid_dump;
    std::optional<double> mhz;
};

Options ParseOptions() {
    Options o;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i + 1 < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"--cpuid-dump") o.cpuid_dump = kest::WideToUtf8(argv[++i]);
        else if (a == L"--mhz") o.mhz = std::wcstod(argv[++i], nullptr);
    }
    LocalFree(argv);
    return o;
}

// The single-instance guard: a named, read-only section of 32 bytes backed
// by the paging file. Released by the system when the process ends.
enum class Guard { First, Second, Failed };
Guard AcquireGuard() {
    HANDLE map = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, L"ZAKMap");
    if (!map) return Guard::Failed;
    return GetLastError() == ERROR_ALREADY_EXISTS ? Guard::Second : Guard::First;
}

// The first instance's window, found by its exact title, to the front.
void RaiseFirst() {
    if (HWND first = FindWindowW(nullptr, L"Kestrune")) {
        if (IsIconic(first)) ShowWindow(first, SW_RESTORE);
        SetForegroundWindow(first);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const Options o = ParseOptions();
    kest::UseUserTimeLocale();  // report dates as kestrune-cli.exe writes them
    std::unique_ptr<kest::CpuidSource> source;
    try {
        source = o.cpuid_dump.empty() ? kest::MakeLiveCpuidSource() : kest::LoadCpuidDump(o.cpuid_dump);
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Kestrune", MB_OK | MB_ICONERROR);
        return 0;
    }
    kest::StartupRecords records = kest::RunStartup(*source);
    kest::WindowGlobals globals = kest::InitWindowGlobals();

    switch (AcquireGuard()) {
        case Guard::Failed: return 0;
        case Guard::Second: RaiseFirst(); return 0;
        case Guard::First: break;
    }

    const bool live = o.cpuid_dump.empty();
    std::unique_ptr<kest::Machine> machine = live && !o.mhz ? kest::MakeLiveMachine() : nullptr;
    kest::WindowSeams seams;
    seams.read_dmi = [live](kest::DmiProcessorInfo& info) {
        kest::ReadDmiAtStartup(live ? kest::MakeLiveFirmwareMemory().get() : nullptr, info);
    };
    seams.measure_clock = [&machine, &o](kest::ClockMethod method) {
        if (o.mhz) return kest::GivenClock(*o.mhz);
        if (machine) return kest::MeasureClock(*machine, method);
        kest::ClockReading none;
        none.method = kest::ClockMethod::kNone;
        return none;
    };
    seams.find_in_current_dir = [](const std::string& name) { return kest::FindExactName(".", name); };
    kest::WindowHooks hooks;
    hooks.read_database_pointer = kest::DatabasePointerHook(globals.StartupDir);

    kest::MainWindowModel model(records.cpu, records.caches, records.names, globals, seams, hooks);
    kest::win32::MainWindow window(model, instance);
    ShowWindow(window.Handle(), show);
    UpdateWindow(window.Handle());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window.Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
