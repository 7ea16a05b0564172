#include "window/pixel_layout.h"

#include <cmath>
#include <cstdint>

#include "window/form1.h"

namespace pm {

namespace {

int mul_div(int number, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

int twips_to_pixels(int twips, int dpi) {
    return mul_div(twips, dpi, 1440);
}

int position_to_pixels(float twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

float pixels_to_twips(int pixels, int dpi) {
    return static_cast<float>(pixels) * 1440.0f / static_cast<float>(dpi);
}

PixelRect pixel_bounds(Bounds twips, int dpi) {
    const int left = twips_to_pixels(twips.left, dpi);
    const int top = twips_to_pixels(twips.top, dpi);
    return {left, top, twips_to_pixels(twips.left + twips.width, dpi) - left,
            twips_to_pixels(twips.top + twips.height, dpi) - top};
}

PixelRect client_pixels(int dpi) {
    return pixel_bounds({0, 0, Form1::client_width, Form1::client_height}, dpi);
}

int font_height(int dpi) {
    return -mul_div(825, dpi, 7200);
}

int icon_size(int dpi) {
    return mul_div(32, dpi, 96);
}

FittedWindow fit_window(PixelEdges work, int dpi, FrameSize frame) {
    const auto at = [frame](int layout_dpi) {
        const PixelRect client = client_pixels(layout_dpi);
        return FittedWindow{layout_dpi, client.width + frame.width, client.height + frame.height};
    };
    const auto fits = [work](const FittedWindow& w) {
        return w.width <= work.right - work.left && w.height <= work.bottom - work.top;
    };
    // The window shrinks with every DPI less, so the first one down that fits is the largest.
    FittedWindow window = at(dpi);
    while (window.dpi > 96 && !fits(window))
        window = at(window.dpi - 1);
    return window;
}

}  // namespace pm
