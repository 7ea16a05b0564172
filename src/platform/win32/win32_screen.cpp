#include "platform/win32/win32_screen.h"

#include "platform/win32/win32_api.h"
#include "window/pixel_layout.h"

namespace pm {

namespace {

float to_twips(int pixels) {
    return pixels_to_twips(pixels, win32::system_dpi());
}

RECT frame_of_window() {
    return win32::window_rect_for_client(0, 0, win32::system_dpi());
}

}  // namespace

float Win32Screen::width() {
    return to_twips(GetSystemMetrics(SM_CXSCREEN));
}
float Win32Screen::height() {
    return to_twips(GetSystemMetrics(SM_CYSCREEN));
}

// The primary monitor's, where the window is centred.
ScreenArea Win32Screen::work_area() {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {to_twips(r.left), to_twips(r.top), to_twips(r.right - r.left), to_twips(r.bottom - r.top)};
}

float Win32Screen::frame_width() {
    const RECT r = frame_of_window();
    return to_twips(r.right - r.left);
}

float Win32Screen::frame_height() {
    const RECT r = frame_of_window();
    return to_twips(r.bottom - r.top);
}

}  // namespace pm
