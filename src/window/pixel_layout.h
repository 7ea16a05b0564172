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

}  // namespace pm
