// The main window's controls, declared once. Every control the window
// shows has a name in this list; code refers to it by the constant of the
// same name (ctl::kCpuname for "cpuname"), so that a misspelt control does
// not compile. Names put together at run time (a feature bit, a cache level)
// go through ControlName::Of, which refuses a name the window does not have.
// The widgets take their object names from here too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace kest {

// Every control of the window.
inline constexpr std::string_view kControlNames[] = {
#define KEST_CONTROL(constant, name) name,
#define KEST_CAPTION(name) name,
#include "view/control_list.inc"
#undef KEST_CONTROL
#undef KEST_CAPTION
};

// The product-line codes the window has a logo for: one "_logo_NNNN"
// control each, in list order. The list above is their one home.
inline constexpr std::size_t kLogoCount = [] {
    std::size_t n = 0;
    for (std::string_view name : kControlNames) n += name.starts_with("_logo_");
    return n;
}();
inline constexpr std::array<uint16_t, kLogoCount> kLogoCodes = [] {
    std::array<uint16_t, kLogoCount> codes{};
    std::size_t i = 0;
    for (std::string_view name : kControlNames) {
        if (!name.starts_with("_logo_")) continue;
        uint16_t code = 0;
        for (char ch : name.substr(6)) code = static_cast<uint16_t>(code * 10 + (ch - '0'));
        codes[i++] = code;
    }
    return codes;
}();

// The name of one control of the window.
class ControlName {
public:
    // A name written in the code: one not in kControlNames does not compile.
    consteval explicit ControlName(std::string_view name) : index_(IndexOf(name)) {}

    // A name put together at run time; std::logic_error when the window has
    // no control of that name (a programming error).
    static ControlName Of(std::string_view name);

    constexpr std::string_view View() const { return kControlNames[index_]; }
    std::string String() const { return std::string(View()); }
    // NUL-terminated: every name is a string literal.
    constexpr const char* CStr() const { return View().data(); }

    friend constexpr bool operator==(ControlName, ControlName) = default;

private:
    constexpr ControlName(std::size_t index, int) : index_(static_cast<uint16_t>(index)) {}
    static consteval uint16_t IndexOf(std::string_view name) {
        for (std::size_t i = 0; i < std::size(kControlNames); ++i)
            if (kControlNames[i] == name) return static_cast<uint16_t>(i);
        throw "not a control of the main window";
    }

    uint16_t index_;
};

// Test messages print the name.
std::ostream& operator<<(std::ostream& out, ControlName name);

// Whether the window has a control of this name.
bool IsControl(std::string_view name);

namespace ctl {

#define KEST_CONTROL(constant, name) inline constexpr ControlName constant{name};
#define KEST_CAPTION(name)
#include "view/control_list.inc"
#undef KEST_CONTROL
#undef KEST_CAPTION

// Names put together from a number, each checked against the list.
ControlName FeatureIndicator(int bit);  // "S<bit>", bit 0-31
ControlName FeatureLabel(int bit);      // "Label_s<bit>"
ControlName CacheHead(int column, int block);            // "head_<column><block>"
ControlName CacheCell(int block, int row, int column);   // "l<block><row><column>"
ControlName ExtCacheTitle(int level);                    // "ext_l<level>_tit"
ControlName ExtCacheRow(int level, std::string_view row); // "ext_l<level>_<row>"
ControlName PowerIndicator(int i);                       // "epm<i>s", i 1-6
ControlName Logo(uint16_t code);                         // "_logo_%04u"

// The rows of "Extended Cache Information", top to bottom.
inline constexpr std::array<std::string_view, 9> kExtCacheRows = {"loc", "om",  "status", "sock", "ctp",
                                                                  "ect", "srt", "crt",    "spd"};

// The controls of one throughput legend row, shown and hidden together: the
// key shape, its two name bevels, the name label, the throughput bevel and
// label, the average bevel and label. Row 0 is Read, 1 Write, 2 Copy.
using LegendRow = std::array<ControlName, 8>;
const LegendRow& LegendRowControls(int row);

}  // namespace ctl
}  // namespace kest
