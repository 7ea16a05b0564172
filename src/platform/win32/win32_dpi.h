// The window on the monitors: their work areas and DPIs, the system's frame at a DPI, and on each monitor
// the window's fit (fit_window): the DPI its client area is laid out at and its outer size.
#pragma once

#include <windows.h>

#include "window/pixel_layout.h"

namespace pm::win32 {

// Verdana 8.25 point at `dpi`, the font of every control; the system substitutes where it is missing.
HFONT make_font(int dpi);
// What the system's frame adds around the window's client area at `dpi`.
FrameSize frame_size(int dpi);
// The monitor's work area: the monitor without the task bar and other docked bars.
PixelEdges work_area(HMONITOR monitor);
// A position of the model's in pixels: its twips are at the system's DPI, as the screen was measured.
POINT position_pixels(float left, float top);
// The window on `monitor`, where windows have `dpi`.
FittedWindow fit_on(HMONITOR monitor, int dpi);
// The window on the monitor that holds `top_left`, its title bar's corner, or on the nearest one.
FittedWindow fit_at(POINT top_left, int dpi);
// The system's scroll bars at `dpi`.
ScrollBarSize scroll_bar_size(int dpi);
// The monitor that a window at `window` goes to when its DPI is about to become `dpi` (neither
// WM_GETDPISCALEDSIZE nor WM_DPICHANGED names it): see pm::monitor_for_dpi.
HMONITOR monitor_for_dpi(const RECT& window, int dpi);

}  // namespace pm::win32
