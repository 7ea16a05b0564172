// Twips to pixels for a given DPI: a pure function of the layout table, so every DPI is testable
// without a screen. 1440 twips make an inch; at 96 DPI a pixel is 15 twips.
#pragma once

#include <cstddef>
#include <span>

#include "window/controls.h"

namespace pm {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// twips * dpi / 1440, rounded half away from zero as Win32's MulDiv rounds.
int twips_to_pixels(int twips, int dpi);
// A window position in twips (single precision, as the model holds it) to pixels, rounded to nearest.
int position_to_pixels(float twips, int dpi);
// Pixels to twips, for the screen's and the window frame's sizes.
float pixels_to_twips(int pixels, int dpi);
// Edges are converted, not sizes, so neighbours that touch in twips touch in pixels too.
PixelRect pixel_bounds(Bounds twips, int dpi);
// The window's client area.
PixelRect client_pixels(int dpi);
// The font's height for CreateFont: 8.25 point as a negative character height.
int font_height(int dpi);
// The program icon's edge at this DPI (32 pixels at 96 DPI).
int icon_size(int dpi);

// A part of the screen in pixels, by its edges as Windows gives them (right and bottom just outside it):
// negative on a monitor left of or above the primary one.
struct PixelEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// What the system's frame (title bar and borders) adds to a window's client area, in pixels. The system
// draws it at the monitor's DPI, whatever DPI the client area is laid out at.
struct FrameSize {
    int width = 0;
    int height = 0;
};

// The system's scroll bars at the monitor's DPI: a vertical one's width, a horizontal one's height.
struct ScrollBarSize {
    int vertical = 0;
    int horizontal = 0;
};

// The window on one monitor: the DPI its client area is laid out at, its outer size in pixels, the part of
// the client area that shows beside any scroll bars, and how far the client area scrolls each way (0: no
// scroll bar that way).
struct FittedWindow {
    int dpi = 0;
    int width = 0;
    int height = 0;
    int view_width = 0;
    int view_height = 0;
    int scroll_x = 0;
    int scroll_y = 0;
    bool scrolls() const { return scroll_x > 0 || scroll_y > 0; }
};

// The window on a monitor of `dpi` whose work area is `work`, with the system's `frame` and scroll `bars`
// of that DPI: laid out at `dpi` where the whole window fits the work area; else at the largest DPI at
// which it fits, but never below 96, so that the text is never smaller than at 100 %. That one DPI scales
// everything inside: positions and sizes, the font, the pictures. Where not even 96 fits, the window is
// only as tall (and as wide) as the work area, and its client area scrolls that way: every control can
// still be reached, and the title bar and the frame stay on the screen.
FittedWindow fit_window(PixelEdges work, int dpi, FrameSize frame, ScrollBarSize bars);

// The scroll position nearest `position` at which the span from `start` (in the scrolled content's
// pixels) of `size` pixels shows whole in a view of `view` pixels; the span's start where it is larger
// than the view. Never outside 0 to `range`.
int scroll_to_show(int position, int view, int range, int start, int size);

// The window's DPI from what the system answers (0 where it has no such function or it failed): the
// window's own (Windows 10 1607 on), else its monitor's (8.1 on), else the system's.
int window_dpi_from(int window_dpi, int monitor_dpi, int system_dpi);

// How the window's thread is aware of DPI. Only per-monitor version 1 leaves the title bar and the borders
// at the DPI the window was created at unless the window asks, when it is created, to have them scaled;
// version 2 scales them itself, and the others never change the window's DPI.
enum class DpiAwareness { unaware, system, per_monitor, per_monitor_v2 };
constexpr bool asks_for_frame_scaling(DpiAwareness awareness) {
    return awareness == DpiAwareness::per_monitor;
}

struct MonitorDpi {
    PixelEdges bounds;
    int dpi = 0;
};

// The monitor that a window at `window` goes to when its DPI becomes `dpi`: of the monitors with that
// DPI, the one that holds most of the window, or the nearest where none holds any of it (the window was
// moved by the keyboard, the pointer is anywhere). `monitors.size()` where no monitor has that DPI.
std::size_t monitor_for_dpi(PixelEdges window, int dpi, std::span<const MonitorDpi> monitors);

// Where the window goes once its DPI changed: the suggested rectangle where Windows asked us for the size
// first (WM_GETDPISCALEDSIZE, from Windows 10 1703 on), which then carries our answer; else (8.1 to 1607,
// whose suggestion only scales the old size) the suggested place at `fit`'s size.
PixelEdges place_after_dpi_change(PixelEdges suggested, bool size_was_asked, const FittedWindow& fit);

}  // namespace pm
