#include "window/layout.h"

namespace pm {

namespace {

using N = ControlName;
constexpr ScrollRange threshold{0, 99, 1, 10};

constexpr ControlRow frame(N name, int index, N in, int in_index, Bounds b, int tab,
                           std::u16string_view caption) {
    return {ControlKind::frame, name, index, in, in_index, b, tab, caption};
}
constexpr ControlRow check(int channel, Bounds b, int tab, std::u16string_view caption) {
    return {ControlKind::check_box, N::pressure_channel, channel, N::Frame, 7, b, tab, caption, 1};
}
constexpr ControlRow scroll(N name, int channel, N in, int tab) {
    ControlRow s{ControlKind::scroll_bar, name, channel, in, channel, {120, 240, 6135, 255}, tab, {}};
    s.range = threshold;
    return s;
}
constexpr ControlRow text(N name, int index, int frame_index, int tab, int max_length) {
    ControlRow s{ControlKind::text_box, name, index, N::Frame, frame_index, {120, 240, 2535, 315}, tab, u""};
    s.max_length = max_length;
    return s;
}
constexpr ControlRow button(N name, Bounds b, int tab, Picture picture, std::u16string_view tool_tip) {
    return {ControlKind::picture_button, name, 0, N::Form1, 0, b, tab, {}, 0, {}, 0, picture, tool_tip};
}
constexpr ControlRow combo(Bounds b, int tab, std::u16string_view text) {
    return {ControlKind::combo_box, N::Combo1, 0, N::Form1, 0, b, tab, text};
}

// One channel: its frame at `top` on the window, the high and low alarm frames in it, a bar in each.
#define PM_CHANNEL(c, top, tab_channel, tab_high_frame, tab_high_bar, tab_low_frame, tab_low_bar)    \
    frame(N::channel_frame, c, N::Form1, 0, {120, top, 6615, 1695}, tab_channel, u"CH" #c),          \
        frame(N::high_pressure_frame, c, N::channel_frame, c, {120, 240, 6375, 615}, tab_high_frame, \
              u"high_pressure_frame"),                                                               \
        scroll(N::high_pressure_scroll, c, N::high_pressure_frame, tab_high_bar),                    \
        frame(N::low_pressure_frame, c, N::channel_frame, c, {120, 960, 6375, 615}, tab_low_frame,   \
              u"Frame1"),                                                                            \
        scroll(N::low_pressure_scroll, c, N::low_pressure_frame, tab_low_bar)

// clang-format off
constexpr ControlRow table[] = {
    //     name          index  container  idx    left   top  width height  tab  caption or text
    frame(N::Frame,         0, N::Form1,    0, { 120,  120, 2535,  735},   2, u"Language"),
    combo(                                     { 240,  360, 2295,  315},   0, u"English"),
    frame(N::Frame,         7, N::Form1,    0, {2760,  120, 3975,  735},  32, u"Enable"),
    check(1,                                   { 240,  240,  735,  375},  33, u"CH1"),
    check(2,                                   {1200,  240,  735,  375},  34, u"CH2"),
    check(3,                                   {2160,  240,  735,  375},  35, u"CH3"),
    check(4,                                   {3120,  240,  735,  375},  36, u"CH4"),
    //         channel  top   channel high frame/bar low frame/bar  (tab indices)
    PM_CHANNEL(1,        960,      12,      13, 14,       15, 16),
    PM_CHANNEL(2,       2760,      17,      20, 21,       18, 19),
    PM_CHANNEL(3,       4560,      22,      23, 24,       25, 26),
    PM_CHANNEL(4,       6360,      27,      28, 29,       30, 31),
    frame(N::Frame,         3, N::Form1,    0, { 120, 8160, 2775,  735},   3, u"Job Description"),
    text(N::Text5,          0,              3,                             7, 64),
    frame(N::Frame,         4, N::Form1,    0, {3000, 8160, 2775,  735},   4, u"SMS Number 1"),
    text(N::Text1,          1,              4,                             8, 16),
    button(N::Command2,                        {5880, 8160,  855,  735},  11, Picture::globe, u""),
    frame(N::Frame,         5, N::Form1,    0, { 120, 9000, 2775,  735},   5, u"SMS Number 2"),
    text(N::Text1,          2,              5,                             9, 16),
    frame(N::Frame,         6, N::Form1,    0, {3000, 9000, 2775,  735},   6, u"SMS Number 3"),
    text(N::Text1,          3,              6,                            10, 16),
    button(N::Command1,                        {5880, 9000,  855,  735},   1, Picture::folder_search, u"SAVE FILE"),
};
// clang-format on

#undef PM_CHANNEL

static_assert(std::size(table) == 37);

}  // namespace

std::span<const ControlRow> layout_table() {
    return table;
}

}  // namespace pm
