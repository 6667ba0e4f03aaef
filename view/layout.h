// The main window's layout as data: one row per control with its kind, its
// parent, its rectangle in the parent's client pixels (at 96 DPI), a fixed
// caption where no handler ever changes the text, and a hint (tooltip). The
// rows come in creation order, which is also the stacking order of siblings
// (a later sibling lies on top). Both windows build from these rows; what a
// control shows at run time comes from the model's WindowState.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "view/controls.h"

namespace kest {

enum class ControlKind : uint8_t {
    Window,       // the dialog itself; its rectangle is the screen position and client size
    Tabs,         // a page control
    Page,         // one tab of the page control it belongs to
    Group,        // a framed group with a heading
    Panel,        // a sunken panel (also the bevels around values)
    RaisedPanel,  // a raised panel
    Tick,         // a one-pixel vertical line
    Label,        // plain text
    Value,        // text inside a sunken frame
    Indicator,    // a coloured square with a grey outline
    Picture,      // an image (the logos, the throughput graph and its scale strip)
    Mask,         // a panel that blanks its group when shown, caption centred
    Button,
    CheckBox,
    ProgressBar,
    ScrollBar,  // horizontal
    Link,       // underlined text in the link colour, hand cursor
    Area,       // a plain container that clips what it holds (the graph's view)
};

enum class TextAlign : uint8_t { Left, Center, Right };

// The text colour of a Link (0xRRGGBB).
inline constexpr uint32_t kLinkColour = 0x0000EE;

// How a text is set, beyond the window's font.
enum class TextLook : uint8_t {
    Normal,
    Bold,
    Title,  // the product name on "About Program": large bold serif
    Scale,  // the graph's scale values: small, bold, lime on the graph, transparent to the mouse
};

enum ControlFlag : uint8_t {
    kClickable = 1,   // a value that reports clicks (the help line explains it)
    kFrameless = 2,   // a mask without a frame
    kCovers = 4,      // paints its own background over the siblings under it
};

struct LayoutRect {
    int x = 0, y = 0, w = 0, h = 0;
    constexpr int Right() const { return x + w; }
    constexpr int Bottom() const { return y + h; }
    friend constexpr bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct ControlRow {
    ControlRow(ControlName n, ControlKind k, ControlName p, LayoutRect r) : name(n), kind(k), parent(p), rect(r) {}

    ControlName name;
    ControlKind kind;
    ControlName parent;  // the window's own row names itself
    LayoutRect rect;
    TextAlign align = TextAlign::Left;
    TextLook look = TextLook::Normal;
    uint8_t flags = 0;
    std::string_view caption;  // fixed text; empty where the model decides it
    std::string_view hint;     // tooltip

    bool Has(ControlFlag f) const { return (flags & f) != 0; }
};

// Every control of the main window, in creation order.
std::span<const ControlRow> MainLayout();

// The row of one control; nullptr when the control has no rectangle of its
// own (a menu entry, the timer).
const ControlRow* LayoutRow(ControlName name);

// The two hint labels under the throughput graph read as one sentence: each
// as wide as its text (measured by the window at its font, in layout
// pixels), the second right after the first.
std::pair<LayoutRect, LayoutRect> HintPlacement(int first_text_w, int second_text_w);

// A row's rectangle in the window's client pixels (the sum of its parents'
// offsets). Pages lie at the offset of their page control's client area.
LayoutRect ClientRect(const ControlRow& row);

}  // namespace kest
