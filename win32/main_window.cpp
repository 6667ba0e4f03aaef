#include "win32/main_window.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <stdexcept>

#include "cpu/file_io.h"
#include "cpu/format.h"
#include "record/database.h"
#include "report/bitmap.h"
#include "report/model_inputs.h"
#include "report/report.h"
#include "report/text_encoding.h"
#include "view/throughput_graph_style.h"
#include "win32/logos.h"

namespace kest::win32 {

std::wstring Wide(const std::string& cp1252) {
    std::string bytes;
    for (char ch : cp1252)
        if (ch != '\0') bytes += ch;
    return Utf8ToWide(Cp1252ToUtf8(bytes));
}

COLORREF Colour(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

int CommandId(ControlName name) {
    const auto* it = std::find(std::begin(kControlNames), std::end(kControlNames), name.View());
    return kFirstControlId + static_cast<int>(it - std::begin(kControlNames));
}

std::optional<ControlName> CommandName(int id) {
    const int i = id - kFirstControlId;
    if (i < 0 || i >= static_cast<int>(std::size(kControlNames))) return std::nullopt;
    return ControlName::Of(kControlNames[i]);
}

namespace {

constexpr wchar_t kWindowClass[] = L"Tmain";
constexpr wchar_t kBoxClass[] = L"KestBox";


DWORD StaticAlign(TextAlign a) {
    switch (a) {
        case TextAlign::Center: return SS_CENTER;
        case TextAlign::Right: return SS_RIGHT;
        case TextAlign::Left: break;
    }
    return SS_LEFT;
}

// The standard save dialog; the file is replaced without a question (the
// save code writes it safely).
std::wstring DefaultSaveDialog(HWND owner, const wchar_t* title, const wchar_t* filter, const wchar_t* extension,
                               const std::wstring& file_name) {
    wchar_t path[MAX_PATH] = {};
    file_name.copy(path, MAX_PATH - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_EXPLORER;
    return GetSaveFileNameW(&ofn) ? std::wstring(path) : std::wstring();
}

// KEST_SAVE_AS=PATH answers every save dialog with PATH (tests).
SaveDialog InitialSaveDialog() {
    wchar_t answer[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"KEST_SAVE_AS", answer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return DefaultSaveDialog;
    std::wstring fixed(answer, n);
    return [fixed](HWND, const wchar_t*, const wchar_t*, const wchar_t*, const std::wstring&) { return fixed; };
}

DateTimeTexts Now() { return LocaleDateTime(std::time(nullptr)); }

// The page of the main page control a row lies on; none for the window's
// own rows and for those pages themselves.
std::optional<ControlName> MainPageOf(const ControlRow& row) {
    for (const ControlRow* p = &row; p->kind != ControlKind::Window;) {
        const ControlRow* parent = LayoutRow(p->parent);
        if (p != &row && p->kind == ControlKind::Page && parent->name == ctl::kMainPageControl) return p->name;
        p = parent;
    }
    return std::nullopt;
}

// Controls whose text the model or a caption decides.
bool ShowsText(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::Value || k == ControlKind::Mask || k == ControlKind::Link ||
           k == ControlKind::Button || k == ControlKind::CheckBox || k == ControlKind::Group;
}

// Pictures of one parent in one rectangle are alternatives, one shown at a
// time (the logos): their order among themselves does not matter.
bool Alternatives(const ControlRow& a, const ControlRow& b) {
    return a.kind == ControlKind::Picture && b.kind == ControlKind::Picture && a.parent == b.parent && a.rect == b.rect;
}

bool HasAlternative(const ControlRow& row) {
    for (const ControlRow& r : MainLayout())
        if (&r != &row && Alternatives(r, row)) return true;
    return false;
}

}  // namespace

MainWindow::MainWindow(MainWindowModel& model, HINSTANCE instance)
    : model_(model), instance_(instance), measure_dc_(CreateCompatibleDC(nullptr)), save_dialog_(InitialSaveDialog()) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    WNDCLASSEXW bc = wc;
    bc.lpfnWndProc = BoxProc;
    bc.hIcon = nullptr;
    bc.lpszClassName = kBoxClass;
    RegisterClassExW(&bc);

    // Created in pixels: the client area the layout gives, scaled to the
    // monitor's DPI as Windows scales a fixed dialog.
    const ControlRow& self = *LayoutRow(ctl::kMain);
    const POINT at{self.rect.x, self.rect.y};
    HMONITOR monitor = MonitorFromPoint(at, MONITOR_DEFAULTTOPRIMARY);
    UINT dpi_x = 96, dpi_y = 96;
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    if (HMODULE shcore = LoadLibraryW(L"shcore.dll"))
        if (auto fn = reinterpret_cast<GetDpiForMonitorFn>(
                reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor"))))
            fn(monitor, 0, &dpi_x, &dpi_y);
    if (dpi_x == 96) {
        HDC screen = GetDC(nullptr);
        dpi_x = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
    }
    dpi_ = static_cast<int>(dpi_x);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT outer{0, 0, Scale(self.rect.w), Scale(self.rect.h)};
    AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    hwnd_ = CreateWindowExW(ex_style, kWindowClass, L"", style, self.rect.x, self.rect.y, outer.right - outer.left,
                            outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (!hwnd_) throw std::runtime_error("the main window could not be created");
    throughput_ = std::make_unique<ThroughputPage>(
        model_, [this](ControlName n) { return Control(n); }, [this] { ApplyState(); });
    // Every population (creation, Reset) empties the graph.
    model_.Hooks().reset_throughput_graph = [this] { throughput_->Reset(); };
    // Measurements run on a thread of their own; their fields are shown on
    // this one. The first starts once every page is built.
    model_.MeasureBeside([hwnd = hwnd_] { PostMessageW(hwnd, kClockEnded, 0, 0); });
    // The model first: the alternatives it hides are made later, and the
    // fonts are fitted to its texts.
    Run([this] { model_.FormCreate(); });
    MakeFonts();
    Build();
    ApplyState();
    SetTimer(hwnd_, kRefreshTimer, 10000, nullptr);
    // A timer's tick comes only when nothing else waits: the window is
    // painted and on screen before the first page is built.
    SetTimer(hwnd_, kBuildTimer, USER_TIMER_MINIMUM, nullptr);
}

MainWindow::~MainWindow() {
    model_.EndClockThread();
    DeleteDC(measure_dc_);
    DeleteFonts();
    for (HBITMAP b : logos_)
        if (b) DeleteObject(b);
}

void MainWindow::DeleteFonts() {
    for (HFONT* f : {&font_, &bold_, &title_, &link_, &scale_}) {
        if (*f) DeleteObject(*f);
        *f = nullptr;
    }
}

HFONT MainWindow::FontFor(const ControlRow& row, bool bold) const {
    if (bold || row.look == TextLook::Bold) return bold_;
    if (row.look == TextLook::Title) return title_;
    if (row.look == TextLook::Scale) return scale_;
    return row.kind == ControlKind::Link ? link_ : font_;
}

// A move to a monitor of another DPI: fonts, every control and the frame
// scaled to it, as at start-up on that monitor.
void MainWindow::ChangeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    DeleteFonts();
    MakeFonts();
    for (const Child& c : children_) {
        if (!c.hwnd || c.hwnd == hwnd_) continue;
        LayoutRect r = c.row->rect;
        if (c.row->kind == ControlKind::Page) {
            const ControlRow& tabs = *LayoutRow(c.row->parent);
            r.x += tabs.rect.x;
            r.y += tabs.rect.y;
        }
        SetWindowPos(c.hwnd, nullptr, Scale(r.x), Scale(r.y), Scale(r.w), Scale(r.h), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*c.row, c.bold)), TRUE);
    }
    // The frame around the scaled client area, at the new DPI where the
    // system can tell it.
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE));
    const ControlRow& self = *LayoutRow(ctl::kMain);
    RECT outer{0, 0, Scale(self.rect.w), Scale(self.rect.h)};
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    auto adjust = reinterpret_cast<AdjustForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (!adjust || !adjust(&outer, style, FALSE, ex_style, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame drawn is not the one the system computed, the client
    // area is set right by the difference.
    RECT client;
    GetClientRect(hwnd_, &client);
    const int dw = Scale(self.rect.w) - client.right, dh = Scale(self.rect.h) - client.bottom;
    if (dw || dh)
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left + dw, outer.bottom - outer.top + dh,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceHint();
    if (Control(ctl::kGraphMt))  // the graph keeps its scrolled place
        throughput_->Scroll(SB_THUMBPOSITION, model_.State()[ctl::kMtbScroll].position);
    ApplyState();  // the shorter forms of values chosen again for the new widths
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// Every shown text that does not fit its control at the window's fonts:
// "name: needs WxH, has WxH". A value whose every shorter form is too long
// counts as well.
std::vector<std::string> MainWindow::Clipped() const {
    std::vector<std::string> out;
    for (const Child& c : children_) {
        if (!c.hwnd || c.hwnd == hwnd_) continue;
        const ControlKind k = c.row->kind;
        if (!ShowsText(k) || !(GetWindowLongW(c.hwnd, GWL_STYLE) & WS_VISIBLE)) continue;
        wchar_t text[512];
        const int n = GetWindowTextW(c.hwnd, text, 512);
        if (n <= 0) continue;
        HDC dc = GetDC(c.hwnd);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c.hwnd, WM_GETFONT, 0, 0)));
        if (k == ControlKind::Group) SelectObject(dc, font_);  // drawn by the box itself
        SIZE need{};
        GetTextExtentPoint32W(dc, text, n, &need);
        SelectObject(dc, old);
        ReleaseDC(c.hwnd, dc);
        RECT r;
        GetClientRect(c.hwnd, &r);
        // What the control itself takes beside the text.
        if (k == ControlKind::Button) need.cx += 4 * GetSystemMetrics(SM_CXEDGE);
        if (k == ControlKind::CheckBox) need.cx += GetSystemMetrics(SM_CXMENUCHECK) + Scale(3);
        if (k == ControlKind::Group) need.cx += 2 * Scale(8);
        if (need.cx > r.right || (k != ControlKind::Group && need.cy > r.bottom))
            out.push_back(std::string(c.row->name.View()) + ": needs " + std::to_string(need.cx) + "x" +
                          std::to_string(need.cy) + ", has " + std::to_string(r.right) + "x" + std::to_string(r.bottom));
    }
    return out;
}

void MainWindow::MakeFonts() {
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    LOGFONTW lf = m.lfMessageFont;
    lf.lfHeight = -FittingFontHeight(lf);  // the Qt window's 10 pixels at 96 DPI
    font_ = CreateFontIndirectW(&lf);
    LOGFONTW b = lf;
    b.lfWeight = FW_BOLD;
    bold_ = CreateFontIndirectW(&b);
    LOGFONTW l = lf;
    l.lfUnderline = TRUE;
    link_ = CreateFontIndirectW(&l);
    LOGFONTW s = b;
    s.lfHeight = -Scale(9);
    scale_ = CreateFontIndirectW(&s);
    LOGFONTW t{};
    t.lfHeight = -Scale(26);
    t.lfWeight = FW_BOLD;
    t.lfCharSet = DEFAULT_CHARSET;
    wcscpy(t.lfFaceName, L"Times New Roman");
    title_ = CreateFontIndirectW(&t);
}

// The layout grows by the DPI's ratio, the font as nearly as the texts let
// it: at some sizes hinting makes letters a few per cent wider than the
// ratio, and the captions are as long as the 96-DPI layout allows. So the
// font is the largest, at most the DPI's 10 pixels, under which no text of
// the window grows more than the layout.
int MainWindow::FittingFontHeight(const LOGFONTW& face) const {
    std::vector<std::wstring> texts;
    for (const ControlRow& row : MainLayout()) {
        const std::string& model_text = model_.State().Text(row.name);
        if (!row.caption.empty()) texts.push_back(Utf8ToWide(row.caption));
        else if (!model_text.empty()) texts.push_back(Wide(model_text));
    }
    HDC dc = GetDC(nullptr);
    auto widths = [&](int height) {
        LOGFONTW lf = face;
        lf.lfHeight = -height;
        HFONT f = CreateFontIndirectW(&lf);
        HGDIOBJ old = SelectObject(dc, f);
        std::vector<long> w;
        for (const std::wstring& t : texts) {
            SIZE size{};
            GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &size);
            w.push_back(size.cx);
        }
        SelectObject(dc, old);
        DeleteObject(f);
        return w;
    };
    const std::vector<long> base = widths(10);
    int height = Scale(10);
    for (; height > 10; --height) {
        const std::vector<long> now = widths(height);
        bool fits = true;
        for (size_t i = 0; i < now.size() && fits; ++i) fits = now[i] * 96 <= base[i] * dpi_;
        if (fits) break;
    }
    ReleaseDC(nullptr, dc);
    return height;
}

HWND MainWindow::BuildChild(const ControlRow& row, HWND parent) {
    const wchar_t* cls = L"STATIC";
    // What the model hides is made hidden (one call to the window server less).
    const ControlState* state = model_.State().Find(row.name);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (state && !state->visible ? 0 : WS_VISIBLE);
    DWORD ex = 0;
    std::wstring text = Utf8ToWide(row.caption);
    switch (row.kind) {
        case ControlKind::Window: return hwnd_;
        case ControlKind::Tabs: cls = WC_TABCONTROLW; style |= WS_CLIPCHILDREN | WS_TABSTOP; break;
        case ControlKind::Page:
        case ControlKind::Group:
        case ControlKind::Panel:
        case ControlKind::RaisedPanel:
        case ControlKind::Area: cls = kBoxClass; style |= WS_CLIPCHILDREN; break;
        case ControlKind::Tick: style |= SS_ETCHEDVERT; break;
        case ControlKind::Label:
            // The scale values lie over the graph, which clips them out;
            // each draws the graph's pixels under it, then its text.
            style |= row.look == TextLook::Scale ? SS_OWNERDRAW | SS_NOPREFIX
                                                 : StaticAlign(row.align) | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY;
            break;
        case ControlKind::Value:
            style |= StaticAlign(row.align) | SS_CENTERIMAGE | SS_NOPREFIX | SS_SUNKEN | SS_NOTIFY;
            break;
        case ControlKind::Mask:
            style |= SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY;
            if (!row.Has(kFrameless)) style |= SS_SUNKEN;
            break;
        case ControlKind::Indicator:
        case ControlKind::Picture: style |= SS_OWNERDRAW | SS_NOTIFY; break;
        case ControlKind::Link: style |= SS_CENTER | SS_NOTIFY | SS_NOPREFIX; break;
        case ControlKind::Button: cls = L"BUTTON"; style |= BS_PUSHBUTTON | WS_TABSTOP; break;
        case ControlKind::CheckBox: cls = L"BUTTON"; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
        case ControlKind::ProgressBar: cls = PROGRESS_CLASSW; break;
        case ControlKind::ScrollBar: cls = L"SCROLLBAR"; style |= SBS_HORZ; break;
    }
    int x = row.rect.x, y = row.rect.y;
    if (row.kind == ControlKind::Page) {
        // Over the page control's client area, as a sibling of the tabs.
        const ControlRow& tabs = *LayoutRow(row.parent);
        x += tabs.rect.x;
        y += tabs.rect.y;
        parent = GetParent(Find(tabs.name)->hwnd);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        std::wstring name = Utf8ToWide(row.name.View());
        item.pszText = name.data();
        HWND tab_hwnd = Find(tabs.name)->hwnd;
        SendMessageW(tab_hwnd, TCM_INSERTITEMW, static_cast<WPARAM>(SendMessageW(tab_hwnd, TCM_GETITEMCOUNT, 0, 0)),
                     reinterpret_cast<LPARAM>(&item));
    }
    HWND w = CreateWindowExW(ex, cls, text.c_str(), style, Scale(x), Scale(y), Scale(row.rect.w), Scale(row.rect.h),
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(CommandId(row.name))), instance_, nullptr);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(row, false)), FALSE);
    if (row.kind == ControlKind::ScrollBar) EnableWindow(w, FALSE);
    return w;
}

// Tooltips for the controls made so far (once the window is on screen).
void MainWindow::AddTools() {
    for (Child& c : children_) {
        const ControlRow& row = *c.row;
        if (!c.hwnd || c.tool || !((ShowsText(row.kind) && row.look != TextLook::Scale) || !row.hint.empty())) continue;
        c.tool = true;
        // The text comes from the window when the tooltip is about to show.
        TOOLINFOW ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = hwnd_;
        ti.uId = reinterpret_cast<UINT_PTR>(c.hwnd);
        ti.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

// Only the first page's controls are made before the window is shown: each
// child window costs a round trip to the window server, and the other pages
// follow, a page a timer tick, once the window is on screen.
void MainWindow::Build() {
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(400));  // long lists wrap
    const auto rows = MainLayout();
    children_.resize(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        children_[i].row = &rows[i];
        if (rows[i].kind == ControlKind::Page && rows[i].parent == ctl::kMainPageControl)
            unbuilt_.push_back(rows[i].name);
    }
    logos_.assign(kLogoCodes.size(), nullptr);  // decoded when first shown
    starting_ = true;
    BuildRows(std::nullopt);  // the main page control shows its first page, which builds it
    starting_ = false;
}

void MainWindow::BuildRows(std::optional<ControlName> page) {
    std::vector<size_t> made;
    for (size_t i = 0; i < children_.size(); ++i) {
        const ControlRow& row = *children_[i].row;
        if (children_[i].hwnd || MainPageOf(row) != page) continue;
        const ControlState* state = model_.State().Find(row.name);
        if (starting_ && state && !state->visible && HasAlternative(row)) continue;
        HWND parent = row.kind == ControlKind::Window ? nullptr : Find(row.parent)->hwnd;
        children_[i].hwnd = BuildChild(row, parent);
        made.push_back(i);
    }
    // Later siblings lie on top, but Win32 puts each new child under the
    // ones before it: a control that overlaps an earlier sibling (and every
    // page, over its tabs) is raised, in row order. Only those: each move is
    // a round trip to the window server.
    auto overlap = [](const LayoutRect& a, const LayoutRect& b) {
        return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
    };
    for (size_t i : made) {
        const ControlRow& row = *children_[i].row;
        if (row.kind == ControlKind::Window) continue;
        bool raise = row.kind == ControlKind::Page;
        for (size_t j = 0; j < i && !raise; ++j) {
            const ControlRow& before = *children_[j].row;
            raise = before.parent == row.parent && before.kind != ControlKind::Window &&
                    !Alternatives(before, row) && overlap(before.rect, row.rect);
        }
        if (raise) SetWindowPos(children_[i].hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (size_t i : made) {
        const ControlRow& row = *children_[i].row;
        if (row.kind == ControlKind::Tabs) ShowPage(children_[i].hwnd);
        if (row.name == ctl::kGraphMt) {
            SetWindowSubclass(children_[i].hwnd, GraphProc, 0, reinterpret_cast<DWORD_PTR>(this));
            throughput_->Attach();
        }
        if (row.name == ctl::kLabHint2) PlaceHint();
    }
}

// The hint under the graph as one sentence: both labels as wide as their
// texts at the window's font, the second right after the first.
void MainWindow::PlaceHint() {
    HWND first = Control(ctl::kLabHint), second = Control(ctl::kLabHint2);
    if (!first || !second) return;
    auto width = [this](HWND w) {
        wchar_t text[256];
        const int n = GetWindowTextW(w, text, 256);
        HGDIOBJ old = SelectObject(measure_dc_, font_);
        SIZE size{};
        GetTextExtentPoint32W(measure_dc_, text, n, &size);
        SelectObject(measure_dc_, old);
        return MulDiv(size.cx, 96, dpi_) + 1;  // in layout pixels, never short
    };
    const auto [a, b] = HintPlacement(width(first), width(second));
    for (const auto& [w, r] : {std::pair{first, a}, std::pair{second, b}})
        SetWindowPos(w, nullptr, Scale(r.x), Scale(r.y), Scale(r.w), Scale(r.h), SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainWindow::BuildPage(ControlName page) {
    const auto it = std::find(unbuilt_.begin(), unbuilt_.end(), page);
    if (it == unbuilt_.end()) return false;
    BuildRows(page);
    // While the window is made, the alternatives it hides wait: the page
    // stays, at the front.
    if (starting_) std::rotate(unbuilt_.begin(), it, it + 1);
    else unbuilt_.erase(it);
    return true;
}

MainWindow::Child* MainWindow::Find(HWND hwnd) {
    if (!hwnd) return nullptr;
    for (Child& c : children_)
        if (c.hwnd == hwnd) return &c;
    return nullptr;
}

MainWindow::Child* MainWindow::Find(ControlName name) {
    for (Child& c : children_)
        if (c.row->name == name) return &c;
    return nullptr;
}

HWND MainWindow::Control(ControlName name) const {
    for (const Child& c : children_)
        if (c.row->name == name) return c.hwnd;
    return nullptr;
}

// Brings a page (and the page that holds it) to the front.
void MainWindow::SelectPage(const ControlRow& page) {
    if (const ControlRow* outer = LayoutRow(LayoutRow(page.parent)->parent); outer && outer->kind == ControlKind::Page)
        SelectPage(*outer);
    HWND tabs = Control(page.parent);
    int index = 0;
    for (const Child& c : children_) {
        if (c.row == &page) break;
        index += c.row->kind == ControlKind::Page && c.row->parent == page.parent;
    }
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (ShowPage(tabs)) ApplyState();
}

// Shows the page of the selected tab, built first if it waits, and hides
// the others. True when a page was built.
bool MainWindow::ShowPage(HWND tabs) {
    Child* t = Find(tabs);
    if (!t) return false;
    const int selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    int index = 0;
    bool built = false;
    for (Child& c : children_) {
        if (c.row->kind != ControlKind::Page || c.row->parent != t->row->name) continue;
        const bool shown = index++ == selected;
        if (shown) built = BuildPage(c.row->name);
        ShowWindow(c.hwnd, shown ? SW_SHOW : SW_HIDE);
    }
    return built;
}

void MainWindow::ApplyState() {
    for (const auto& [name, s] : model_.State().All()) {
        if (name == ctl::kMain.View()) {
            SetWindowTextW(hwnd_, Wide(s.text).c_str());
            continue;
        }
        Child* c = nullptr;
        for (Child& k : children_)
            if (k.row->name.View() == name) c = &k;
        if (!c || !c->hwnd) continue;  // not built yet: its page applies the state when it is
        const ControlRow& row = *c->row;
        if (row.kind == ControlKind::Tabs) continue;  // the user's tab stays
        if (row.kind == ControlKind::Page) {
            HWND tabs = Find(row.parent)->hwnd;
            int index = 0;
            for (const Child& k : children_) {
                if (&k == c) break;
                index += k.row->kind == ControlKind::Page && k.row->parent == row.parent;
            }
            std::wstring text = Wide(s.text);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
            continue;
        }
        const bool has_text = row.caption.empty() && ShowsText(row.kind);
        std::wstring overflow;  // a text still longer than its field
        if (has_text && (Wide(s.text) != c->value || c->fitted_dpi != dpi_)) {
            // Measured only when the value changes: the value, or the first
            // of its shorter forms that fits (the narrow cells).
            c->value = Wide(s.text);
            c->fitted_dpi = dpi_;
            std::wstring shown = c->value;
            if (row.kind != ControlKind::Button && row.kind != ControlKind::CheckBox && row.kind != ControlKind::Group) {
                HGDIOBJ old = SelectObject(measure_dc_, FontFor(row, c->bold));
                auto fits = [&](const std::wstring& t) {
                    SIZE size{};
                    GetTextExtentPoint32W(measure_dc_, t.c_str(), static_cast<int>(t.size()), &size);
                    return size.cx <= Scale(row.rect.w) - 6;
                };
                for (auto it = s.shorter.begin(); it != s.shorter.end() && !fits(shown); ++it) shown = Wide(*it);
                c->overflow = fits(shown) ? std::wstring() : shown;
                SelectObject(measure_dc_, old);
            }
            wchar_t now[512];
            GetWindowTextW(c->hwnd, now, 512);
            if (shown != now) SetWindowTextW(c->hwnd, shown.c_str());
        }
        // The model's tooltip, else a value longer than its field in full,
        // else the control's own hint; the tooltip asks for it when shown.
        c->tip = !s.tooltip.empty() ? Wide(s.tooltip) : !c->overflow.empty() ? c->overflow : Utf8ToWide(row.hint);
        if (row.kind == ControlKind::CheckBox)
            SendMessageW(c->hwnd, BM_SETCHECK, s.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (row.kind == ControlKind::Button && c->bold != s.bold) {
            c->bold = s.bold;
            SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(row, s.bold)), TRUE);
        }
        if (row.kind == ControlKind::ProgressBar) {
            SendMessageW(c->hwnd, PBM_SETRANGE32, 0, std::max(s.maximum, 1));
            SendMessageW(c->hwnd, PBM_SETPOS, static_cast<WPARAM>(s.position), 0);
        }
        if (row.kind == ControlKind::Indicator && s.fill && *s.fill != c->fill) {
            c->fill = *s.fill;
            InvalidateRect(c->hwnd, nullptr, TRUE);
        }
        const bool dim = s.colour == TextColour::Dimmed;
        if (dim != c->dimmed) {
            c->dimmed = dim;
            InvalidateRect(c->hwnd, nullptr, TRUE);
        }
        if (static_cast<bool>(IsWindowEnabled(c->hwnd)) != s.enabled) EnableWindow(c->hwnd, s.enabled);
        const bool shown = (GetWindowLongW(c->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != s.visible) ShowWindow(c->hwnd, s.visible ? SW_SHOWNA : SW_HIDE);
    }
}

void MainWindow::Run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ApplyState();
        ShowError(e.what());
        return;
    }
    ApplyState();
}

void MainWindow::ShowError(const std::string& message) {
    wchar_t title[64];
    GetWindowTextW(hwnd_, title, 64);
    MessageBoxW(hwnd_, Utf8ToWide(message).c_str(), title, MB_OK | MB_ICONERROR);
}

// Clicks on buttons, check boxes and the values that explain themselves.
void MainWindow::OnClick(ControlName name) {
    using M = MainWindowModel;
    const std::pair<ControlName, void (M::*)()> handlers[] = {
        {ctl::kFam, &M::famClick},     {ctl::kMdl, &M::mdlClick},       {ctl::kBrand, &M::brandClick},
        {ctl::kCtp, &M::ctpClick},     {ctl::kApic, &M::apicClick},     {ctl::kLp, &M::lpClick},
        {ctl::kFls, &M::flsClick},     {ctl::kIsaLvl, &M::isa_lvlClick}, {ctl::kCspeed, &M::cspeedClick},
        {ctl::kPlt, &M::pltClick},     {ctl::kBSff, &M::b_sffClick},    {ctl::kBAff, &M::b_affClick},
        {ctl::kBEff, &M::b_effClick},  {ctl::kL1, &M::l1Click},         {ctl::kL2, &M::l2Click},
        {ctl::kL3, &M::l3Click},       {ctl::kButtonRefresh, &M::button_refreshClick}};
    for (const auto& [n, h] : handlers)
        if (n == name) {
            auto handler = h;
            Run([this, handler] { (model_.*handler)(); });
            return;
        }
    if (name == ctl::kCheckBoxFullsn) {
        Run([this] {
            model_.State()[ctl::kCheckBoxFullsn].checked =
                SendMessageW(Control(ctl::kCheckBoxFullsn), BM_GETCHECK, 0, 0) == BST_CHECKED;
            model_.CheckBox_fullsnClick();
        });
    } else if (name == ctl::kCbRead || name == ctl::kCbWrite || name == ctl::kCbCopy) {
        Run([this, name] {
            model_.State()[name].checked = SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
            model_.UpdateRunButton();
        });
    } else if (name == ctl::kCbVector) {
        // Off runs the word test, on the vector loops.
        Run([this] {
            model_.State()[ctl::kCbVector].checked =
                SendMessageW(Control(ctl::kCbVector), BM_GETCHECK, 0, 0) == BST_CHECKED;
        });
    } else if (name == ctl::kTstRun) {
        KillTimer(hwnd_, kRefreshTimer);  // no clock refresh during the run
        model_.PauseClock();              // a running measurement ends first
        throughput_->Run();
        model_.ResumeClock();
        SetTimer(hwnd_, kRefreshTimer, 10000, nullptr);
    } else if (name == ctl::kButtonSnap) {
        Popup(name, -35, {ctl::kScreenshot1, ctl::kExtfile1, ctl::kHTMLfile1});
    } else if (name == ctl::kDbase) {
        Popup(name, -18, {ctl::kDatabasebrowser1, ctl::kAddtodatabase1});
    } else if (name == ctl::kBLff) {
        std::vector<ControlName> words;
        for (const LaterFeatureWord& w : LaterFeatureWords()) words.push_back(w.action);
        Popup(name, 0, words);
    } else if (name == ctl::kButtonClose) {
        DestroyWindow(hwnd_);
    } else if (name == ctl::kOffCUrl) {
        std::wstring url = Wide(model_.State().Text(ctl::kOffCUrl));
        Launch(url.empty() ? Utf8ToWide(kWebAddress) : url);
    } else if (name == ctl::kQeltMail || name == ctl::kVormMail) {
        const std::wstring address = Wide(model_.State().Text(name));
        if (!address.empty()) Launch(L"mailto:" + address);
    }
}

// A popup of menu entries named after controls, their captions and states
// from the model; the chosen one runs at once.
void MainWindow::Popup(ControlName button, int dy, const std::vector<ControlName>& entries) {
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < entries.size(); ++i) {
        const ControlState* s = model_.State().Find(entries[i]);
        const std::wstring text = Wide(s ? s->text : std::string(entries[i].View()));
        UINT flags = MF_STRING;
        if (s && !s->enabled) flags |= MF_GRAYED;
        if (s && s->checked) flags |= MF_CHECKED;
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(CommandId(entries[i])), text.c_str());
    }
    RECT win, b;
    GetWindowRect(hwnd_, &win);
    GetWindowRect(Control(button), &b);
    POINT client_b{b.left, b.top};
    ScreenToClient(hwnd_, &client_b);
    // The later words open under their toggle, right edges aligned.
    const bool under = button == ctl::kBLff;
    const int x = under ? b.right : win.left + client_b.x + 4;
    const int y = under ? b.bottom : win.top + client_b.y + dy;
    // The chosen entry comes back as WM_COMMAND.
    TrackPopupMenu(menu, under ? TPM_RIGHTALIGN : TPM_LEFTALIGN, x, y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
}

void MainWindow::AfterFirstClock(std::function<void()> job) {
    if (model_.ClockShown()) {
        job();
        return;
    }
    busy_ = true;
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    model_.AfterFirstClock([this, job] {
        busy_ = false;
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
        ApplyState();  // the clock fields on screen before a screenshot is taken
        job();
    });
}

void MainWindow::OnMenuEntry(ControlName entry) {
    if (entry == ctl::kExtfile1) AfterFirstClock([this] { SaveReport(false); });
    else if (entry == ctl::kHTMLfile1) AfterFirstClock([this] { SaveReport(true); });
    else if (entry == ctl::kScreenshot1) AfterFirstClock([this] { SaveScreenshot(); });
    else if (entry == ctl::kAddtodatabase1) AfterFirstClock([this] { AddToDatabase(); });
    else if (entry == ctl::kDatabasebrowser1) {
        // The program the population found (the entry is disabled without one).
        std::wstring program = Utf8ToWide(model_.Database().browser_program);
        if (program.empty()) program = Utf8ToWide(kDatabaseBrowserProgram);
        std::replace(program.begin(), program.end(), L'/', L'\\');
        Launch(program, L".");
    } else {
        for (const LaterFeatureWord& w : LaterFeatureWords())
            if (w.action == entry) {
                const FeaturePage page = w.page;
                Run([this, page] { model_.LaterFeatureClick(page); });
            }
    }
    ApplyState();
}

std::wstring MainWindow::AskPath(const wchar_t* title, const wchar_t* filter, const wchar_t* extension,
                                 const std::string& default_name) {
    const std::wstring chosen = save_dialog_(hwnd_, title, filter, extension, Wide(default_name));
    if (chosen.empty()) return {};
    // A confirmed dialog moves the current directory to the chosen folder.
    const auto slash = chosen.find_last_of(L"\\/");
    if (slash != std::wstring::npos) SetCurrentDirectoryW(chosen.substr(0, slash).c_str());
    return chosen;
}

void MainWindow::SaveReport(bool html) {
    std::wstring chosen = html ? AskPath(L"Save HTML file...", L"HTML file\0*.html;*.htm\0", L"html",
                                         DefaultReportName(model_.State()))
                               : AskPath(L"Save text file...", L"Text file\0*.txt\0", L"txt",
                                         DefaultReportName(model_.State()));
    if (chosen.empty()) return;
    std::string path = WideToUtf8(chosen);
    path = html ? WithHtmlExtension(path) : WithTextExtension(path);
    const DateTimeTexts now = Now();
    const std::string bytes =
        RenderReport(html ? ReportFormat::Html : ReportFormat::Text, ReportInputsFor(model_, now.date, now.time));
    if (auto err = WriteFileSafely(path, bytes)) ShowError(*err);
}

void MainWindow::AddToDatabase() {
    const DateTimeTexts now = Now();
    const std::string record = DatabaseRecord(ReportInputsFor(model_, now.date, now.time));
    if (auto err = AddDatabaseRecord(model_.Globals().StartupDir, model_.Database().remembered_name, record))
        ShowError(*err);
}

// The window's outer frame from the desktop's device context, before the
// save dialog opens.
void MainWindow::SaveScreenshot() {
    UpdateWindow(hwnd_);
    RECT r;
    GetWindowRect(hwnd_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    RgbImage img;
    img.width = w;
    img.height = h;
    img.rgb.reserve(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    const auto* px = static_cast<const uint8_t*>(bits);
    for (int i = 0; i < w * h; ++i) {
        img.rgb.push_back(px[i * 4 + 2]);
        img.rgb.push_back(px[i * 4 + 1]);
        img.rgb.push_back(px[i * 4]);
    }
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    const std::wstring chosen =
        AskPath(L"Save screenshot as...", L"Bitmap file\0*.bmp\0", L"bmp",
                DefaultScreenshotName(model_.State(), static_cast<unsigned>(model_.ScreenshotCount)));
    if (chosen.empty()) return;
    if (auto err = SaveBmp(WithBitmapExtension(WideToUtf8(chosen)), img)) {
        ShowError(*err);
        return;
    }
    ++model_.ScreenshotCount;
}

void MainWindow::Launch(const std::wstring& target, const std::wstring& dir) {
    ShellExecuteW(hwnd_, L"open", target.c_str(), nullptr, dir.empty() ? nullptr : dir.c_str(), SW_SHOWNORMAL);
}

LRESULT MainWindow::ColourStatic(HDC dc, HWND control) {
    Child* c = Find(control);
    SetBkMode(dc, TRANSPARENT);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (c && c->row->kind == ControlKind::Link) text = Colour(kLinkColour);
    if (c && c->dimmed) text = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, text);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::DrawItem(const DRAWITEMSTRUCT& d) {
    Child* c = Find(d.hwndItem);
    if (!c) return;
    if (c->row->name == ctl::kGraphMt || c->row->name == ctl::kGraphMtVals) {
        throughput_->Draw(c->row->name, d.hDC, d.rcItem);
        // The scale values show the graph under them: they follow each
        // change of it (a run, a reset, a scroll).
        if (c->row->name == ctl::kGraphMt)
            for (ControlName n : {ctl::kTopTp, ctl::kMiddleTp}) InvalidateRect(Control(n), nullptr, FALSE);
        return;
    }
    if (c->row->look == TextLook::Scale) {
        HWND graph = Control(ctl::kGraphMt);
        RECT under;
        GetClientRect(graph, &under);
        MapWindowPoints(graph, d.hwndItem, reinterpret_cast<POINT*>(&under), 2);
        throughput_->Draw(ctl::kGraphMt, d.hDC, under);
        wchar_t text[64];
        const int n = GetWindowTextW(d.hwndItem, text, 64);
        SetBkMode(d.hDC, TRANSPARENT);
        SetTextColor(d.hDC, Colour(kColourScaleText));
        HGDIOBJ old = SelectObject(d.hDC, scale_);
        RECT box = d.rcItem;
        const UINT align = c->row->align == TextAlign::Right    ? DT_RIGHT
                           : c->row->align == TextAlign::Center ? DT_CENTER
                                                                : DT_LEFT;
        DrawTextW(d.hDC, text, n, &box, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(d.hDC, old);
        return;
    }
    if (c->row->kind == ControlKind::Indicator) {
        HBRUSH fill = CreateSolidBrush(Colour(c->fill));
        FillRect(d.hDC, &d.rcItem, fill);
        DeleteObject(fill);
        HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
        FrameRect(d.hDC, &d.rcItem, grey);
        DeleteObject(grey);
        return;
    }
    const auto& codes = kLogoCodes;
    for (size_t i = 0; i < codes.size(); ++i) {
        if (LogoName(codes[i]) != c->row->name) continue;
        if (!logos_[i]) logos_[i] = LoadLogo(instance_, codes[i]);
        if (!logos_[i]) return;
        HDC mem = CreateCompatibleDC(d.hDC);
        HGDIOBJ old = SelectObject(mem, logos_[i]);
        BITMAP bm{};
        GetObjectW(logos_[i], sizeof bm, &bm);
        StretchBlt(d.hDC, 0, 0, d.rcItem.right, d.rcItem.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    }
}

void MainWindow::OnCommand(int id, int code) {
    const std::optional<ControlName> name = CommandName(id);
    if (!name) return;
    const ControlRow* row = LayoutRow(*name);
    if (!row) {
        OnMenuEntry(*name);
    } else if (row->kind == ControlKind::Page) {
        SelectPage(*row);
    } else if (code == BN_CLICKED || code == STN_CLICKED) {
        OnClick(*name);
    }
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp)); return 0;
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lp);
            if (n->code == TCN_SELCHANGE && ShowPage(n->hwndFrom)) ApplyState();
            if (n->code == TTN_GETDISPINFOW) {
                auto* d = reinterpret_cast<NMTTDISPINFOW*>(lp);
                const Child* c = Find(reinterpret_cast<HWND>(n->idFrom));
                d->lpszText = c && !c->tip.empty() ? const_cast<wchar_t*>(c->tip.c_str()) : const_cast<wchar_t*>(L"");
            }
            return 0;
        }
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lp) == Control(ctl::kMtbScroll)) throughput_->Scroll(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_CTLCOLORSTATIC: return ColourStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
        case WM_TIMER:
            if (wp == kRefreshTimer) Run([this] { model_.refrtimerTimer(); });
            if (wp != kBuildTimer) return 0;
            // The next waiting page, a page a tick.
            if (!unbuilt_.empty()) {
                BuildPage(unbuilt_.front());
                ApplyState();
            }
            AddTools();
            if (unbuilt_.empty()) {
                KillTimer(hwnd_, kBuildTimer);
                if (!model_.ClockShown()) model_.StartClock();
            }
            return 0;
        case kClockEnded: Run([this] { model_.ClockEnded(); }); return 0;
        case WM_SETCURSOR:
            if (!busy_) break;
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
            return TRUE;
        case WM_DPICHANGED: ChangeDpi(LOWORD(wp), *reinterpret_cast<const RECT*>(lp)); return 0;
        case kListClipped: {
            // The list goes back to the asking window as WM_COPYDATA.
            const std::vector<std::string> clipped = Clipped();
            std::string text;
            for (const std::string& line : clipped) text += line + "\n";
            COPYDATASTRUCT data{kListClipped, static_cast<DWORD>(text.size()), text.data()};
            SendMessageW(reinterpret_cast<HWND>(wp), WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd_),
                         reinterpret_cast<LPARAM>(&data));
            return static_cast<LRESULT>(clipped.size());
        }
        case WM_DESTROY:
            model_.EndClockThread();  // waits for a running measurement
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->OnMessage(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

// The graph reports the mouse: presses toggle the legend, moves read the
// throughput under the pointer (in the picture's 96-DPI pixels).
LRESULT CALLBACK MainWindow::GraphProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<MainWindow*>(data);
    switch (msg) {
        case WM_LBUTTONDOWN: self->throughput_->MouseDown(MouseButton::Left); break;
        case WM_RBUTTONDOWN: self->throughput_->MouseDown(MouseButton::Right); break;
        case WM_MBUTTONDOWN: self->throughput_->MouseDown(MouseButton::Middle); break;
        case WM_MOUSEMOVE:
            self->throughput_->MouseMove(MulDiv(static_cast<short>(LOWORD(lp)), 96, self->dpi_));
            break;
        default: break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// Pages, groups and panels: they draw their own frame and heading and pass
// their children's messages to the window.
LRESULT CALLBACK MainWindow::BoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(top, GWLP_USERDATA));
    switch (msg) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_DRAWITEM:
            return SendMessageW(top, msg, wp, lp);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            Child* c = self ? self->Find(hwnd) : nullptr;
            if (c) {
                switch (c->row->kind) {
                    case ControlKind::Panel: DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT); break;
                    case ControlKind::RaisedPanel: DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT); break;
                    case ControlKind::Group: {
                        wchar_t text[256];
                        const int n = GetWindowTextW(hwnd, text, 256);
                        HGDIOBJ old = SelectObject(dc, self->font_);
                        SIZE size{};
                        GetTextExtentPoint32W(dc, text, n, &size);
                        RECT frame = r;
                        frame.top += size.cy / 2;
                        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
                        if (n > 0) {
                            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                            SetTextColor(dc, GetSysColor(c->dimmed ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
                            TextOutW(dc, self->Scale(8), 0, text, n);
                        }
                        SelectObject(dc, old);
                        break;
                    }
                    default: break;
                }
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_SETTEXT: {
            const LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
            InvalidateRect(hwnd, nullptr, TRUE);
            return r;
        }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace kest::win32
