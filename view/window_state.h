// What every control of the main window shows, decided without any widget
// code. The window applies it; the reports and the database record read it,
// so files always say what the window says.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "view/controls.h"

namespace kest {

enum class TextColour { Normal, Dimmed };

struct ControlState {
    std::string text;          // Windows-1252 bytes, as the control shows them
    // Shorter forms of a value that may not fit its field, longest first:
    // the field shows `text` when it fits, else the first of these that
    // fits, else the last. `text` stays the full value, which the reports
    // and the record carry.
    std::vector<std::string> shorter;
    std::string tooltip;       // empty: none of the model's own
    TextColour colour = TextColour::Normal;
    bool visible = true;
    bool enabled = true;
    bool checked = false;      // check boxes, toggle buttons (down)
    bool bold = false;         // toggle buttons: bold caption marks the page on view
    std::optional<uint32_t> fill;  // indicator squares: 0xRRGGBB
    int position = 0;          // progress bars, scroll bars
    int maximum = 0;

    bool operator==(const ControlState&) const = default;
};

// Controls by their names (ctl::kCpuname, ctl::kLabelL2, ctl::kL2MaskPanel
// ...): only the window's own controls, see view/controls.h.
class WindowState {
public:
    ControlState& operator[](ControlName name) { return controls_[name.String()]; }
    const ControlState* Find(ControlName name) const {
        auto it = controls_.find(name.View());
        return it == controls_.end() ? nullptr : &it->second;
    }
    // The text of a control, empty when it has none.
    const std::string& Text(ControlName name) const {
        static const std::string empty;
        auto* c = Find(name);
        return c ? c->text : empty;
    }
    // Keyed by name, in the order of the names.
    const std::map<std::string, ControlState, std::less<>>& All() const { return controls_; }

private:
    std::map<std::string, ControlState, std::less<>> controls_;
};

}  // namespace kest
