// kestrune-probe.exe: looks at a running kestrune.exe from outside, as the
// tests do. Finds the window by its title "Kestrune", then
//   probe check --cpuid-dump FILE --mhz N
//       compares every control's text, read back from the live window, with
//       what view/ decides for the same processor and clock; prints each
//       difference and exits 1 when there is one;
//   probe command NAME
//       sends the command of a control or popup entry ("extfile1"), as a
//       click or a chosen entry sends it;
//   probe size
//       prints the window's title, client size and outer size;
//   probe clipped
//       prints the shown texts that do not fit their controls and exits 1
//       when there is one (after the window has built every page);
//   probe dpi N
//       tells the window it moved to a monitor of N DPI.
// Exit code 2 when no window appears within ten seconds.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>

#include "cpu/cpuid_dump.h"
#include "ident/startup.h"
#include "view/layout.h"
#include "view/main_model.h"
#include "win32/main_window.h"

namespace {

HWND WaitForWindow() {
    for (int i = 0; i < 100; ++i) {
        if (HWND w = FindWindowW(nullptr, L"Kestrune")) return w;
        Sleep(100);
    }
    return nullptr;
}

std::wstring TextOf(HWND w) {
    wchar_t buf[1024];
    const int n = GetWindowTextW(w, buf, 1024);
    return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

std::string Narrow(const std::wstring& w) { return kest::WideToUtf8(w); }

BOOL CALLBACK Collect(HWND w, LPARAM lp) {
    reinterpret_cast<std::map<int, HWND>*>(lp)->emplace(GetDlgCtrlID(w), w);
    return TRUE;
}

int Check(const std::string& dump, double mhz, HWND window) {
    auto source = kest::LoadCpuidDump(dump);
    kest::StartupRecords rec = kest::RunStartup(*source);
    kest::WindowGlobals globals = kest::InitWindowGlobals();
    kest::WindowSeams seams;
    seams.read_dmi = [](kest::DmiProcessorInfo& info) { kest::ReadDmiAtStartup(nullptr, info); };
    seams.measure_clock = [mhz](kest::ClockMethod) { return kest::GivenClock(mhz); };
    seams.find_in_current_dir = [](const std::string& name) { return kest::FindExactName(".", name); };
    kest::MainWindowModel model(rec.cpu, rec.caches, rec.names, globals, seams);
    model.FormCreate();

    // The window builds its later pages and measures its clock once it is
    // on screen: compare until both agree, for up to ten seconds.
    int compared = 0, differ = 0;
    std::string differences;
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (attempt) Sleep(200);
        std::map<int, HWND> children;
        EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&children));
        compared = differ = 0;
        differences.clear();
        auto report = [&](const std::string& line) {
            differences += line + "\n";
            ++differ;
        };
        for (const kest::ControlRow& row : kest::MainLayout()) {
            if (row.kind == kest::ControlKind::Window || row.kind == kest::ControlKind::Page ||
                row.kind == kest::ControlKind::Tabs)
                continue;
            const auto it = children.find(kest::win32::CommandId(row.name));
            if (it == children.end()) {
                report(std::string(row.name.View()) + ": no child window");
                continue;
            }
            const kest::ControlState* s = model.State().Find(row.name);
            const std::wstring shown = TextOf(it->second);
            std::wstring want = row.caption.empty() ? (s ? kest::win32::Wide(s->text) : L"")
                                                    : kest::Utf8ToWide(row.caption);
            bool same = shown == want;
            if (!same && s)
                for (const std::string& shorter : s->shorter) same = same || shown == kest::win32::Wide(shorter);
            const bool visible = (GetWindowLongW(it->second, GWL_STYLE) & WS_VISIBLE) != 0;
            if (s && visible != s->visible)
                report(std::string(row.name.View()) + ": " + (visible ? "shown" : "hidden") + ", the model says " +
                       (s->visible ? "shown" : "hidden"));
            ++compared;
            if (!same)
                report(std::string(row.name.View()) + ": \"" + Narrow(shown) + "\", the model says \"" + Narrow(want) +
                       "\"");
        }
        if (differ == 0) break;
    }
    std::fputs(differences.c_str(), stdout);
    std::printf("%d controls compared, %d differences\n", compared, differ);
    return differ == 0 && compared > 0 ? 0 : 1;
}

std::string g_answer;

LRESULT CALLBACK AnswerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        g_answer.assign(static_cast<const char*>(data->lpData), data->cbData);
        return TRUE;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

int Clipped(HWND window) {
    // Every page is built once a comparison of all controls can be made.
    for (int i = 0; i < 100; ++i) {
        std::map<int, HWND> children;
        EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&children));
        if (children.size() + 1 >= kest::MainLayout().size()) break;
        Sleep(100);
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = AnswerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestProbeAnswer";
    RegisterClassW(&wc);
    HWND answer = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    const LRESULT n = SendMessageW(window, kest::win32::kListClipped, reinterpret_cast<WPARAM>(answer), 0);
    DestroyWindow(answer);
    std::fputs(g_answer.c_str(), stdout);
    std::printf("%ld clipped\n", static_cast<long>(n));
    return n == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: kestrune-probe check --cpuid-dump FILE --mhz N | command NAME | size | clipped | dpi N\n", stderr);
        return 2;
    }
    HWND window = WaitForWindow();
    if (!window) {
        std::fputs("no window titled \"Kestrune\"\n", stderr);
        return 2;
    }
    const std::wstring what = argv[1];
    if (what == L"size") {
        RECT client, outer;
        GetClientRect(window, &client);
        GetWindowRect(window, &outer);
        std::printf("title=%s client=%ldx%ld outer=%ldx%ld\n", Narrow(TextOf(window)).c_str(), client.right,
                    client.bottom, outer.right - outer.left, outer.bottom - outer.top);
        return 0;
    }
    if (what == L"clipped") return Clipped(window);
    if (what == L"dpi" && argc == 3) {
        const int dpi = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
        RECT outer;
        GetWindowRect(window, &outer);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&outer));
        return 0;
    }
    if (what == L"command" && argc == 3) {
        const std::string name = Narrow(argv[2]);
        if (!kest::IsControl(name)) {
            std::fprintf(stderr, "no control \"%s\"\n", name.c_str());
            return 2;
        }
        SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(kest::win32::CommandId(kest::ControlName::Of(name))), 0);
        return 0;
    }
    if (what == L"check" && argc == 6) {
        try {
            return Check(Narrow(argv[3]), std::wcstod(argv[5], nullptr), window);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 2;
        }
    }
    std::fputs("usage: kestrune-probe check --cpuid-dump FILE --mhz N | command NAME | size | clipped | dpi N\n", stderr);
    return 2;
}
