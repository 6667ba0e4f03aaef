// The "Cache/Memory Throughput" page of the Win32 window: the run (at the
// priority the test raises itself), its progress bar, the graph drawn with
// GDI as the Qt window draws it, the scroll bar, the legend and the read-out
// under the mouse. What the controls show comes from view/throughput_view.
#pragma once

#include <windows.h>

#include <functional>

#include "bench/throughput.h"
#include "view/throughput_view.h"
#include "view/main_model.h"

namespace kest::win32 {

class ThroughputPage {
public:
    // `apply` writes the model's state onto the window.
    ThroughputPage(MainWindowModel& model, std::function<HWND(ControlName)> control, std::function<void()> apply);

    // Sets up the scroll bar and the progress bar once the page is built.
    void Attach();
    void Reset();  // the empty graph, the legend hidden
    void Run();    // "Run Selected"
    void Scroll(int request, int track_position);  // WM_HSCROLL of mtb_scroll
    void MouseDown(MouseButton button);
    void MouseMove(int x);
    // Paints graph_mt or graph_mt_vals into their owner-drawn item.
    void Draw(ControlName name, HDC dc, const RECT& r) const;

private:
    MainWindowModel& model_;
    std::function<HWND(ControlName)> control_;
    std::function<void()> apply_;
    ThroughputState st_;
    bool middle_line_ = false;
    int scroll_ = 0;
};

}  // namespace kest::win32
