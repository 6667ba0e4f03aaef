// What the controls of the "Cache/Memory Throughput" page show, decided
// without any widget code: the scale labels, the legend texts and rows, the read-out under the mouse, the
// legend toggle and the scroll offset.
#pragma once

#include <string>

#include "bench/throughput.h"

namespace kest {

// "%d Mbps" texts of the top line (M / 1024) and the middle line (M / 2048).
std::string TopScaleText(double scale_max);
std::string MiddleScaleText(double scale_max);

// "123.45 Mbps": an average with two decimals (decimal point, any locale).
std::string AverageText(double mbps);

// Texts of the legend after a run and which of its rows are shown.
struct LegendTexts {
    std::string top_tp, middle_tp;
    std::string leg_av_l1, leg_av_l2, leg_av_l3;  // read, write, copy
    bool read_row = false, write_row = false, copy_row = false;
};
LegendTexts LegendAfterRun(const ThroughputState& st);

// The read-out for mouse position x on the graph image (image coordinates).
struct ReadOut {
    std::string leg_bs_l1;                        // "202 Kb"
    std::string leg_tp_l1, leg_tp_l2, leg_tp_l3;  // read, write, copy: "123 Mbps"
};
ReadOut ReadOutAt(const ThroughputState& st, int x);

enum class MouseButton { Left, Right, Middle, Other };
// Legend visibility after a press on the graph: left shows, right hides,
// only once a run has completed; anything else leaves it as it was.
bool LegendVisibleAfterPress(bool visible, MouseButton button, bool test_done);

// Left edge of graph_mt and graph_mt_vals for scroll position p.
int GraphLeftForScroll(int p);

}  // namespace kest
