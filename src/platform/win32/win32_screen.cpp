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

float Win32Screen::frame_width() {
    const RECT r = frame_of_window();
    return to_twips(r.right - r.left);
}

float Win32Screen::frame_height() {
    const RECT r = frame_of_window();
    return to_twips(r.bottom - r.top);
}

}  // namespace pm
