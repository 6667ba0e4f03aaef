#include "view/controls.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <stdexcept>

namespace kest {

ControlName ControlName::Of(std::string_view name) {
    const auto* end = std::end(kControlNames);
    const auto* it = std::find(std::begin(kControlNames), end, name);
    if (it == end) throw std::logic_error("the main window has no control \"" + std::string(name) + "\"");
    return ControlName(static_cast<std::size_t>(it - std::begin(kControlNames)), 0);
}

std::ostream& operator<<(std::ostream& out, ControlName name) { return out << name.View(); }

bool IsControl(std::string_view name) {
    return std::find(std::begin(kControlNames), std::end(kControlNames), name) != std::end(kControlNames);
}

namespace ctl {

ControlName FeatureIndicator(int bit) { return ControlName::Of("S" + std::to_string(bit)); }
ControlName FeatureLabel(int bit) { return ControlName::Of("Label_s" + std::to_string(bit)); }

ControlName CacheHead(int column, int block) {
    return ControlName::Of("head_" + std::to_string(column) + std::to_string(block));
}

ControlName CacheCell(int block, int row, int column) {
    return ControlName::Of("l" + std::to_string(block) + std::to_string(row) + std::to_string(column));
}

ControlName ExtCacheTitle(int level) { return ControlName::Of("ext_l" + std::to_string(level) + "_tit"); }

ControlName ExtCacheRow(int level, std::string_view row) {
    return ControlName::Of("ext_l" + std::to_string(level) + "_" + std::string(row));
}

ControlName PowerIndicator(int i) { return ControlName::Of("epm" + std::to_string(i) + "s"); }

ControlName Logo(uint16_t code) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "_logo_%04u", static_cast<unsigned>(code));
    return ControlName::Of(buf);
}

const LegendRow& LegendRowControls(int row) {
    static const LegendRow rows[3] = {
        {kShRd, kLegB1, kLegB4, kLegL1, kLegTpB1, kLegTpL1, kLegAvB1, kLegAvL1},
        {kShWr, kLegB2, kLegB5, kLegL2, kLegTpB2, kLegTpL2, kLegAvB2, kLegAvL2},
        {kShCp, kLegB3, kLegB6, kLegL3, kLegTpB3, kLegTpL3, kLegAvB3, kLegAvL3},
    };
    if (row < 0 || row > 2) throw std::logic_error("no throughput legend row " + std::to_string(row));
    return rows[row];
}

}  // namespace ctl
}  // namespace kest
