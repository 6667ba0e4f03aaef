// The main window as a native Win32 dialog-style window: one child window
// per layout row (view/layout.h), what each shows from the model's
// WindowState. Like the Qt window it only applies the state and forwards
// events to the model.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cpu/utf16_windows.h"
#include "view/layout.h"
#include "view/main_model.h"
#include "win32/throughput_page.h"

namespace kest::win32 {

// Windows-1252 bytes to UTF-16; zero bytes are dropped.
std::wstring Wide(const std::string& cp1252);
// 0xRRGGBB as GDI takes it.
COLORREF Colour(uint32_t rgb);

// The save dialog: the chosen path (UTF-16), empty on cancel. Tests answer
// it through KEST_SAVE_AS.
using SaveDialog = std::function<std::wstring(HWND owner, const wchar_t* title, const wchar_t* filter,
                                              const wchar_t* extension, const std::wstring& file_name)>;

class MainWindow {
public:
    MainWindow(MainWindowModel& model, HINSTANCE instance);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    MainWindowModel& Model() { return model_; }
    // Writes every control's state from the model onto its child window.
    void ApplyState();
    // Runs a model handler, then applies the state; an exception ends in a
    // message box.
    void Run(const std::function<void()>& handler);
    HWND Control(ControlName name) const;
    void SetSaveDialog(SaveDialog dialog) { save_dialog_ = std::move(dialog); }
    // The shown texts that do not fit their controls, "name: needs WxH, has WxH".
    std::vector<std::string> Clipped() const;

private:
    struct Child {
        const ControlRow* row = nullptr;
        HWND hwnd = nullptr;
        uint32_t fill = kMaroon;  // indicators
        bool dimmed = false;
        bool bold = false;
        std::wstring value;     // the model's text last shown
        int fitted_dpi = 0;     // the DPI it was fitted to its field at
        std::wstring overflow;  // the shown form, when even that is longer than the field
        std::wstring tip;       // the tooltip
        bool tool = false;      // known to the tooltip
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK GraphProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Build();
    // Creates the child windows of the rows that lie on `page` of the main
    // page control (none: the window's own rows and the pages themselves).
    void BuildRows(std::optional<ControlName> page);
    // A page whose controls wait is built now (a click on its tab).
    bool BuildPage(ControlName page);
    HWND BuildChild(const ControlRow& row, HWND parent);
    void AddTools();
    void PlaceHint();
    // A save or record waits for the first measured clock, with a busy cursor.
    void AfterFirstClock(std::function<void()> job);
    int Scale(int v) const { return MulDiv(v, dpi_, 96); }
    int FittingFontHeight(const LOGFONTW& face) const;
    void MakeFonts();
    void DeleteFonts();
    HFONT FontFor(const ControlRow& row, bool bold) const;
    void ChangeDpi(int dpi, const RECT& suggested);
    void OnCommand(int id, int code);
    void OnMenuEntry(ControlName entry);
    void OnClick(ControlName name);
    bool ShowPage(HWND tabs);
    void SelectPage(const ControlRow& page);
    LRESULT ColourStatic(HDC dc, HWND control);
    void DrawItem(const DRAWITEMSTRUCT& d);
    void Popup(ControlName button, int dy, const std::vector<ControlName>& entries);
    void SaveReport(bool html);
    void SaveScreenshot();
    void AddToDatabase();
    void Launch(const std::wstring& target, const std::wstring& dir = {});
    std::wstring AskPath(const wchar_t* title, const wchar_t* filter, const wchar_t* extension,
                         const std::string& default_name);
    void ShowError(const std::string& message);
    Child* Find(HWND hwnd);
    Child* Find(ControlName name);

    MainWindowModel& model_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HDC measure_dc_;  // texts are measured here, without a round trip to the window server
    int dpi_ = 96;
    HFONT font_ = nullptr, bold_ = nullptr, title_ = nullptr, link_ = nullptr, scale_ = nullptr;
    std::vector<Child> children_;  // one per layout row, in row order
    std::vector<HBITMAP> logos_;
    // Pages of the main page control whose controls are created once the
    // window is on screen, a page a tick of kBuildTimer.
    std::vector<ControlName> unbuilt_;
    bool busy_ = false;      // the busy cursor while a save waits
    bool starting_ = false;  // the window is being made, not yet shown
    SaveDialog save_dialog_;
    std::unique_ptr<ThroughputPage> throughput_;
};

// Every child window and popup entry has the command id of its name: a
// click on a control and a chosen menu entry both arrive as WM_COMMAND with
// that id (and another program may send the same command).
inline constexpr int kFirstControlId = 1000;
int CommandId(ControlName name);
// The control of a command id; nothing for ids that are none of the window's.
std::optional<ControlName> CommandName(int id);
inline constexpr UINT_PTR kRefreshTimer = 1;
inline constexpr UINT_PTR kBuildTimer = 2;  // builds the waiting pages
// Posted to the window: a clock measurement ended.
inline constexpr UINT kClockEnded = WM_APP + 2;
// Sent by the tests (wParam: a window of theirs): answers with WM_COPYDATA
// listing the clipped texts, one a line, and returns how many.
inline constexpr UINT kListClipped = WM_APP + 3;

}  // namespace kest::win32
