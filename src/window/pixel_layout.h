// Twips to pixels for a given DPI: a pure function of the layout table, so every DPI is testable
// without a screen. 1440 twips make an inch; at 96 DPI a pixel is 15 twips.
#pragma once

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

// The window on one monitor: the DPI its client area is laid out at, and its outer size in pixels.
struct FittedWindow {
    int dpi = 0;
    int width = 0;
    int height = 0;
};

// The window on a monitor of `dpi` whose work area is `work`, with the system's `frame` of that DPI around
// it: laid out at `dpi` where the whole window fits the work area; else at the largest DPI at which it
// fits, but never below 96, so that the text is never smaller than at 100 % (at 96 it may still not fit).
// That one DPI scales everything inside: positions and sizes, the font, the pictures.
FittedWindow fit_window(PixelEdges work, int dpi, FrameSize frame);

}  // namespace pm
