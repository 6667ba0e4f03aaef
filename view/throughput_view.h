// What the controls of the "Cache/Memory Throughput" page show, decided
// without any widget code: the scale labels, the legend texts and rows, the read-out under the mouse, the
// legend toggle, the scroll offset and where the curves lie.
#pragma once

#include <string>

#include "bench/throughput.h"
#include "view/throughput_graph_style.h"
#include "view/window_state.h"

namespace kest {

// Vertical position: 175 - 170 x tp / maximum, rounded (maximum on 5, zero
// on 175); 175 when the maximum is 0.
int32_t GraphY(int64_t tp, double scale_max);
// After a run: graph_y of the tests that ran, on the run's scale; the rows
// of the other tests are kept.
void PlaceCurves(ThroughputState& st);

// "%d Mbps" texts of the top line (M / 1024) and the middle line (M / 2048).
std::string TopScaleText(double scale_max);
std::string MiddleScaleText(double scale_max);

// "123.45 Mbps": an average with two decimals (decimal point, any locale).
std::string AverageText(double mbps);

// The legend's column captions: "Throughput:" and "Average:", with the
// width after a run of the vector loops ("Average (AVX2):").
struct LegendCaptions {
    std::string throughput, average;
};
LegendCaptions LegendCaptionsFor(VectorWidth vector);

// What a window says when the vector loops were asked for and the processor
// has none they can use.
inline constexpr const char* kNoVectorUnitMessage = "This processor has no vector unit the test can use (SSE2).";

// Texts of the legend after a run and which of its rows are shown.
struct LegendTexts {
    LegendCaptions captions;
    std::string top_tp, middle_tp;
    std::string leg_av_l1, leg_av_l2, leg_av_l3;  // read, write, copy
    bool read_row = false, write_row = false, copy_row = false;
};
LegendTexts LegendAfterRun(const ThroughputState& st);

// What a completed run shows: the legend's captions, texts and rows and the
// scale labels in `s`; the word test's memtestr text in `memtestr` (the
// database record's; a run of the vector loops leaves it as it was).
void ShowCompletedRun(const ThroughputState& st, WindowState& s, std::string& memtestr);

// The page after its graph is cleared: the legend hidden (with no completed
// run it could not be taken away again, and it would cover "Run Selected"),
// the scale labels of the cleared picture gone, the captions without a width.
void ShowClearedGraph(WindowState& s);

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
