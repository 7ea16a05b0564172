#include "window/pixel_layout.h"

#include <algorithm>
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

FittedWindow fit_window(PixelEdges work, int dpi, FrameSize frame, ScrollBarSize bars) {
    const int work_width = work.right - work.left;
    const int work_height = work.bottom - work.top;
    const auto at = [frame](int layout_dpi) {
        const PixelRect client = client_pixels(layout_dpi);
        return FittedWindow{.dpi = layout_dpi,
                            .width = client.width + frame.width,
                            .height = client.height + frame.height,
                            .view_width = client.width,
                            .view_height = client.height};
    };
    const auto fits = [&](const FittedWindow& w) { return w.width <= work_width && w.height <= work_height; };
    // The window shrinks with every DPI less, so the first one down that fits is the largest.
    FittedWindow window = at(dpi);
    while (window.dpi > 96 && !fits(window))
        window = at(window.dpi - 1);
    if (fits(window)) return window;
    // Too large even at 96: cut to the work area, with a scroll bar each way it is cut. A bar takes room
    // from the other side, which may then be cut too.
    bool across = window.width > work_width;
    bool down = window.height > work_height;
    for (int twice = 0; twice < 2; ++twice) {
        across = across || (down && window.width + bars.vertical > work_width);
        down = down || (across && window.height + bars.horizontal > work_height);
    }
    const int content_width = window.view_width;
    const int content_height = window.view_height;
    window.width = std::min(window.width + (down ? bars.vertical : 0), work_width);
    window.height = std::min(window.height + (across ? bars.horizontal : 0), work_height);
    window.view_width = std::max(0, window.width - frame.width - (down ? bars.vertical : 0));
    window.view_height = std::max(0, window.height - frame.height - (across ? bars.horizontal : 0));
    window.scroll_x = content_width - window.view_width;
    window.scroll_y = content_height - window.view_height;
    return window;
}

int scroll_to_show(int position, int view, int range, int start, int size) {
    if (start < position || size > view) {
        position = start;
    } else if (start + size > position + view) {
        position = start + size - view;
    }
    return std::clamp(position, 0, std::max(range, 0));
}

int window_dpi_from(int window_dpi, int monitor_dpi, int system_dpi) {
    return window_dpi > 0 ? window_dpi : monitor_dpi > 0 ? monitor_dpi : system_dpi;
}

std::size_t monitor_for_dpi(PixelEdges window, int dpi, std::span<const MonitorDpi> monitors) {
    std::size_t best = monitors.size();
    std::int64_t best_overlap = -1;
    std::int64_t best_distance = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].dpi != dpi) continue;
        const PixelEdges& m = monitors[i].bounds;
        const std::int64_t across = std::min(window.right, m.right) - std::max(window.left, m.left);
        const std::int64_t down = std::min(window.bottom, m.bottom) - std::max(window.top, m.top);
        const std::int64_t overlap = across > 0 && down > 0 ? across * down : 0;
        // The gap between the two on each axis, for monitors that hold none of the window.
        const std::int64_t gap_x = std::max<std::int64_t>(0, -across);
        const std::int64_t gap_y = std::max<std::int64_t>(0, -down);
        const std::int64_t distance = gap_x * gap_x + gap_y * gap_y;
        if (overlap > best_overlap || (overlap == 0 && best_overlap == 0 && distance < best_distance)) {
            best = i;
            best_overlap = overlap;
            best_distance = distance;
        }
    }
    return best;
}

PixelEdges place_after_dpi_change(PixelEdges suggested, bool size_was_asked, const FittedWindow& fit) {
    if (size_was_asked) return suggested;
    return {suggested.left, suggested.top, suggested.left + fit.width, suggested.top + fit.height};
}

}  // namespace pm
