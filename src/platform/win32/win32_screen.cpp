#include "platform/win32/win32_screen.h"

#include <windows.h>

namespace pm {

namespace {

int system_dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

float to_twips(int pixels) {
    return static_cast<float>(pixels) * 1440.0f / static_cast<float>(system_dpi());
}

// The window's own style: caption, system menu, fixed frame, no minimise or maximise box.
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

RECT frame_of_window() {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, window_style, FALSE, 0);
    return r;
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
