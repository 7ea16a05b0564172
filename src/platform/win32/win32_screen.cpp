#include "platform/win32/win32_screen.h"

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_dpi.h"
#include "window/form1.h"
#include "window/pixel_layout.h"

namespace pm {

namespace {

float to_twips(int pixels) {
    return pixels_to_twips(pixels, win32::system_dpi());
}

// The monitor that holds the screen's middle, where the window is centred.
HMONITOR centre_monitor() {
    const POINT middle{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    return MonitorFromPoint(middle, MONITOR_DEFAULTTOPRIMARY);
}

// One side of the window: where it is laid out at the screen's DPI, the layout's twips and the frame's,
// as they always were; where it is laid out smaller to fit, or cut to scroll, its pixels.
float window_side(int layout_twips, int fitted_pixels, int frame_pixels, bool fitted_smaller) {
    return fitted_smaller ? to_twips(fitted_pixels)
                          : static_cast<float>(layout_twips) + to_twips(frame_pixels);
}

}  // namespace

float Win32Screen::width() {
    return to_twips(GetSystemMetrics(SM_CXSCREEN));
}
float Win32Screen::height() {
    return to_twips(GetSystemMetrics(SM_CYSCREEN));
}

ScreenArea Win32Screen::work_area() {
    const PixelEdges r = win32::work_area(centre_monitor());
    return {to_twips(r.left), to_twips(r.top), to_twips(r.right - r.left), to_twips(r.bottom - r.top)};
}

float Win32Screen::window_width() {
    const int dpi = win32::system_dpi();
    const FittedWindow fit = win32::fit_on(centre_monitor(), dpi);
    return window_side(Form1::client_width, fit.width, win32::frame_size(dpi).width,
                       fit.dpi != dpi || fit.scrolls());
}

float Win32Screen::window_height() {
    const int dpi = win32::system_dpi();
    const FittedWindow fit = win32::fit_on(centre_monitor(), dpi);
    return window_side(Form1::client_height, fit.height, win32::frame_size(dpi).height,
                       fit.dpi != dpi || fit.scrolls());
}

}  // namespace pm
