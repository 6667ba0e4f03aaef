/* The floor for scripts/win32_startup_time.sh: the least a Win32 program
 * does to show a window of the main window's size (536 x 336 client
 * pixels) with a tab control, a label and a button. */
#include <windows.h>
#include <commctrl.h>

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) { PostQuitMessage(0); return 0; }
    return DefWindowProcW(w, m, wp, lp);
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE prev, PWSTR cmd, int show) {
    (void)prev; (void)cmd;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc = {0};
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Minimal";
    RegisterClassW(&wc);
    RECT r = {0, 0, 536, 336};
    AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    HWND w = CreateWindowExW(WS_EX_DLGMODALFRAME, L"Minimal", L"Minimal", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             212, 169, r.right - r.left, r.bottom - r.top, NULL, NULL, inst, NULL);
    CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 2, 2, 533, 303, w, NULL, inst, NULL);
    CreateWindowExW(0, L"STATIC", L"Vendor string:", WS_CHILD | WS_VISIBLE, 10, 30, 82, 17, w, NULL, inst, NULL);
    CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE, 243, 311, 75, 19, w, NULL, inst, NULL);
    ShowWindow(w, show);
    UpdateWindow(w);
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
