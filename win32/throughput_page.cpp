#include "win32/throughput_page.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win32/main_window.h"

namespace kest::win32 {
namespace {

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SetPixel(dc, x1, y1, GetDCPenColor(dc));  // GDI leaves the last pixel out
}

}  // namespace

ThroughputPage::ThroughputPage(MainWindowModel& model, std::function<HWND(ControlName)> control,
                               std::function<void()> apply)
    : model_(model), control_(std::move(control)), apply_(std::move(apply)) {}

void ThroughputPage::Attach() {
    HWND bar = control_(ctl::kMtbScroll);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, kGraphWidth - 1,
                  static_cast<UINT>(kGraphWidth - kScrollMax), 0, 0};
    SetScrollInfo(bar, SB_CTL, &si, FALSE);
    SendMessageW(control_(ctl::kTestPb), PBM_SETRANGE32, 0, kProgressMax);
}

void ThroughputPage::Reset() {
    st_.test_done = false;
    st_.ran = {};  // no curves
    middle_line_ = false;
    ShowClearedGraph(model_.State());
    if (HWND graph = control_(ctl::kGraphMt)) InvalidateRect(graph, nullptr, FALSE);
}

void ThroughputPage::Run() {
    WindowState& s = model_.State();
    ThroughputRunOptions options;
    options.selected = {s[ctl::kCbCopy].checked, s[ctl::kCbRead].checked, s[ctl::kCbWrite].checked};
    if (!RunSelectedEnabled(options.selected[kTestCopy], options.selected[kTestRead], options.selected[kTestWrite]))
        return;
    const CacheInfo& c = model_.Caches();
    options.caches = {c.l1.level1dc, c.l2.level2cs, c.l3.level3cs};
    // The window is blocked until the run ends; only the bar repaints.
    s[ctl::kTestPb].visible = true;
    s[ctl::kTestPb].position = 0;
    s[ctl::kTstRun].enabled = false;
    s[ctl::kMtbScroll].enabled = false;
    middle_line_ = true;
    st_.ran = {};
    apply_();
    HWND graph = control_(ctl::kGraphMt);
    InvalidateRect(graph, nullptr, FALSE);
    UpdateWindow(GetParent(GetParent(graph)));
    HWND bar = control_(ctl::kTestPb);
    ThroughputHooks hooks;
    hooks.progress = [bar](int position) {
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        UpdateWindow(bar);
    };
    hooks.message = [bar](const std::string& text) {
        MessageBoxA(GetAncestor(bar, GA_ROOT), text.c_str(), "Kestrune", MB_OK);
    };
    try {
        auto platform = MakeLiveThroughputPlatform();
        if (s[ctl::kCbVector].checked) options.vector = ChooseVectorWidth(*platform);
        if (s[ctl::kCbVector].checked && options.vector == VectorWidth::None) {
            hooks.message(kNoVectorUnitMessage);
        } else {
            RunThroughput(*platform, options, st_, hooks);
            PlaceCurves(st_);
        }
    } catch (const std::exception& e) {
        hooks.message(e.what());
    }
    s[ctl::kTestPb].visible = false;
    s[ctl::kTestPb].position = 0;
    model_.UpdateRunButton();
    s[ctl::kMtbScroll].enabled = true;
    if (st_.test_done) ShowCompletedRun(st_, s, model_.Globals().memtestr);
    apply_();
    InvalidateRect(graph, nullptr, FALSE);
}

void ThroughputPage::Scroll(int request, int track_position) {
    int p = scroll_;
    const int page = kGraphWidth - kScrollMax;
    switch (request) {
        case SB_LINELEFT: p -= 8; break;
        case SB_LINERIGHT: p += 8; break;
        case SB_PAGELEFT: p -= page; break;
        case SB_PAGERIGHT: p += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: p = track_position; break;
        default: return;
    }
    scroll_ = std::clamp(p, 0, kScrollMax);
    model_.State()[ctl::kMtbScroll].position = scroll_;
    SetScrollPos(control_(ctl::kMtbScroll), SB_CTL, scroll_, TRUE);
    // Both pictures move inside the view; the scale values stay.
    for (ControlName n : {ctl::kGraphMt, ctl::kGraphMtVals}) {
        HWND w = control_(n);
        RECT r;
        GetWindowRect(w, &r);
        POINT at{r.left, r.top};
        ScreenToClient(GetParent(w), &at);
        SetWindowPos(w, nullptr, MulDiv(GraphLeftForScroll(scroll_), r.right - r.left, kGraphWidth), at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(GetParent(control_(ctl::kGraphMt)), nullptr, FALSE);
}

void ThroughputPage::MouseDown(MouseButton button) {
    ControlState& legend = model_.State()[ctl::kPanelLegend];
    legend.visible = LegendVisibleAfterPress(legend.visible, button, st_.test_done);
    apply_();
}

void ThroughputPage::MouseMove(int x) {
    const ReadOut r = ReadOutAt(st_, x);
    WindowState& s = model_.State();
    s[ctl::kLegBsL1].text = r.leg_bs_l1;
    s[ctl::kLegTpL1].text = r.leg_tp_l1;
    s[ctl::kLegTpL2].text = r.leg_tp_l2;
    s[ctl::kLegTpL3].text = r.leg_tp_l3;
    apply_();
}

// The picture at 96 DPI, stretched to the item (the window's DPI scale).
void ThroughputPage::Draw(ControlName name, HDC target, const RECT& r) const {
    const int h = name == ctl::kGraphMt ? kGraphHeight : 17;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bmp = CreateCompatibleBitmap(target, kGraphWidth, h);
    HGDIOBJ old_bmp = SelectObject(dc, bmp);
    RECT all{0, 0, kGraphWidth, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(DC_PEN));
    HGDIOBJ old_font = GetCurrentObject(dc, OBJ_FONT);
    HFONT font = nullptr;
    if (name == ctl::kGraphMt) {
        SetDCPenColor(dc, RGB(255, 255, 255));
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, 0, 0, kGraphWidth, h);  // frame on the outermost pixels
        for (int k = 1; 32 * k < kGraphWidth; ++k) Line(dc, 32 * k, 0, 32 * k, h - 1);
        if (middle_line_) {
            SetDCPenColor(dc, Colour(kColourMiddleLine));
            Line(dc, 1, h / 2 + 5, kGraphWidth - 1, h / 2 + 5);
        }
        const uint32_t colours[kTestCount] = {kColourCopy, kColourRead, kColourWrite};
        for (int t = 0; t < kTestCount; ++t) {
            if (!st_.ran[t]) continue;
            SetDCPenColor(dc, Colour(colours[t]));
            POINT from{1, st_.graph_y[1][t]};
            for (int row = 1; row <= kTpRows; ++row) {
                const POINT to{2 * row, st_.graph_y[row][t]};
                Line(dc, from.x, from.y, to.x, to.y);
                from = to;
            }
        }
    } else {
        // White block sizes in KB, each centred on its grid line, in the
        // dialog font at its 96-DPI size (the picture is stretched after).
        LOGFONTW lf{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
        lf.lfHeight = MulDiv(lf.lfHeight, 96, GetDeviceCaps(target, LOGPIXELSY));
        lf.lfWidth = 0;
        font = CreateFontIndirectW(&lf);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, font);
        for (int k = 1; 32 * k < kGraphWidth; ++k) {
            const std::wstring text = std::to_wstring(64 * k);
            RECT box{32 * k - 20, 0, 32 * k + 20, h};
            DrawTextW(dc, text.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, dc, 0, 0, kGraphWidth, h, SRCCOPY);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_font);
    if (font) DeleteObject(font);
    SelectObject(dc, old_bmp);
    DeleteObject(bmp);
    DeleteDC(dc);
}

}  // namespace kest::win32
