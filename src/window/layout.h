// The window's layout table: every control with its container, position, tab index and design-time state.
#pragma once

#include <span>
#include <string_view>

#include "window/controls.h"

namespace pm {

struct ScrollRange {
    int min = 0;
    int max = 0;
    int small_change = 0;
    int large_change = 0;
};

struct ControlRow {
    ControlKind kind;
    ControlName name;
    int index;  // 0 for a control that is no array member
    ControlName container;
    int container_index;
    Bounds bounds;
    int tab_index;
    std::u16string_view caption;  // a frame's or check box's caption, a text box's or combo's text
    int value = 0;                // a check box's or scroll bar's Value
    ScrollRange range = {};
    int max_length = 0;
    Picture picture = Picture::none;
    std::u16string_view tool_tip = {};
};

// Containers come before the controls they hold.
std::span<const ControlRow> layout_table();

}  // namespace pm
