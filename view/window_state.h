// What every control of the main window shows, decided without any widget
// code. The window applies it; the reports and the database record read it,
// so files always say what the window says.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace kest {

enum class TextColour { Normal, Dimmed };

struct ControlState {
    std::string text;          // Windows-1252 bytes, as the control shows them
    TextColour colour = TextColour::Normal;
    bool visible = true;
    bool enabled = true;
    bool checked = false;      // check boxes, toggle buttons (down)
    bool bold = false;         // toggle buttons: bold caption marks the page on view
    std::optional<uint32_t> fill;  // indicator squares: 0xRRGGBB
    int position = 0;          // progress bars, scroll bars
    int maximum = 0;
};

// Controls by their names ("cpuname", "Label_l2", "l2_mask_panel" ...).
class WindowState {
public:
    ControlState& operator[](const std::string& name) { return controls_[name]; }
    const ControlState* Find(const std::string& name) const {
        auto it = controls_.find(name);
        return it == controls_.end() ? nullptr : &it->second;
    }
    // The text of a control, empty when it has none.
    const std::string& Text(const std::string& name) const {
        static const std::string empty;
        auto* c = Find(name);
        return c ? c->text : empty;
    }
    const std::map<std::string, ControlState>& All() const { return controls_; }

private:
    std::map<std::string, ControlState> controls_;
};

}  // namespace kest
