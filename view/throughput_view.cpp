#include "view/throughput_view.h"

#include <algorithm>
#include <charconv>

#include "cpu/format.h"
#include "view/controls.h"

namespace kest {

int32_t GraphY(int64_t tp, double scale_max) {
    if (!(scale_max > 0)) return kGraphHeight;
    const double span = kGraphHeight - kGraphTop;  // 170
    const double y = (kGraphHeight * 10000.0 - span * static_cast<double>(tp) / scale_max) / 10000.0;
    return static_cast<int32_t>(RoundHalfEven(y));
}

void PlaceCurves(ThroughputState& st) {
    for (int t = 0; t < kTestCount; ++t) {
        if (!st.ran[t]) continue;
        for (int r = 1; r <= kTpRows; ++r) st.graph_y[r][t] = GraphY(st.tp_table[r][t], st.scale_max);
    }
}

std::string TopScaleText(double scale_max) {
    return std::to_string(RoundHalfEven(scale_max / 1024.0)) + " Mbps";
}

std::string MiddleScaleText(double scale_max) {
    return std::to_string(RoundHalfEven(scale_max / 2048.0)) + " Mbps";
}

std::string AverageText(double mbps) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, mbps, std::chars_format::fixed, 2);
    if (res.ec != std::errc()) return "0.00 Mbps";
    return std::string(buf, res.ptr) + " Mbps";
}

LegendCaptions LegendCaptionsFor(VectorWidth vector) {
    if (vector == VectorWidth::None) return {"Throughput:", "Average:"};
    const std::string width(VectorWidthName(vector));
    return {"Throughput (" + width + "):", "Average (" + width + "):"};
}

LegendTexts LegendAfterRun(const ThroughputState& st) {
    LegendTexts l;
    l.captions = LegendCaptionsFor(st.vector);
    l.top_tp = TopScaleText(st.scale_max);
    l.middle_tp = MiddleScaleText(st.scale_max);
    l.leg_av_l1 = AverageText(st.averages[kTestRead]);
    l.leg_av_l2 = AverageText(st.averages[kTestWrite]);
    l.leg_av_l3 = AverageText(st.averages[kTestCopy]);
    l.read_row = st.ran[kTestRead];
    l.write_row = st.ran[kTestWrite];
    l.copy_row = st.ran[kTestCopy];
    return l;
}

void ShowCompletedRun(const ThroughputState& st, WindowState& s, std::string& memtestr) {
    if (st.vector == VectorWidth::None) memtestr = st.memtestr;
    const LegendTexts l = LegendAfterRun(st);
    s[ctl::kLegTpCaption].text = l.captions.throughput;
    s[ctl::kLegAvCaption].text = l.captions.average;
    s[ctl::kTopTp].text = l.top_tp;
    s[ctl::kMiddleTp].text = l.middle_tp;
    s[ctl::kLegAvL1].text = l.leg_av_l1;
    s[ctl::kLegAvL2].text = l.leg_av_l2;
    s[ctl::kLegAvL3].text = l.leg_av_l3;
    const bool shown[3] = {l.read_row, l.write_row, l.copy_row};  // the legend's rows, top to bottom
    for (int row = 0; row < 3; ++row)
        for (ControlName n : ctl::LegendRowControls(row)) s[n].visible = shown[row];
}

void ShowClearedGraph(WindowState& s) {
    s[ctl::kPanelLegend].visible = false;
    s[ctl::kTopTp].text.clear();
    s[ctl::kMiddleTp].text.clear();
    const LegendCaptions captions = LegendCaptionsFor(VectorWidth::None);
    s[ctl::kLegTpCaption].text = captions.throughput;
    s[ctl::kLegAvCaption].text = captions.average;
}

ReadOut ReadOutAt(const ThroughputState& st, int x) {
    // Positions outside the image (a drag past its edge) read the edge rows.
    x = std::clamp(x, 0, kGraphWidth - 1);
    const int row = x / 2;
    auto mbps = [&](int test) {
        return std::to_string(RoundHalfEven(static_cast<double>(st.tp_table[row][test]) / 1024.0 / 10000.0)) +
               " Mbps";
    };
    ReadOut r;
    r.leg_bs_l1 = std::to_string(2 * x) + " Kb";
    r.leg_tp_l1 = mbps(kTestRead);
    r.leg_tp_l2 = mbps(kTestWrite);
    r.leg_tp_l3 = mbps(kTestCopy);
    return r;
}

bool LegendVisibleAfterPress(bool visible, MouseButton button, bool test_done) {
    if (!test_done) return visible;
    if (button == MouseButton::Left) return true;
    if (button == MouseButton::Right) return false;
    return visible;
}

int GraphLeftForScroll(int p) { return -std::clamp(p, 0, kScrollMax); }

}  // namespace kest
