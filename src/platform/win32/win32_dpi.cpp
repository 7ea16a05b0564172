#include "platform/win32/win32_dpi.h"

#include "platform/win32/win32_api.h"

namespace pm::win32 {

HFONT make_font(int dpi) {
    return CreateFontW(font_height(dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"Verdana");
}

namespace {

// Per monitor from Windows 8.1 on (shcore), only asked once Windows sends per-monitor DPI messages.
int monitor_dpi(HMONITOR monitor) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto get =
        library_function<GetDpiForMonitorFn>(system_library(L"shcore.dll"), "GetDpiForMonitor");
    constexpr int effective_dpi = 0;  // MDT_EFFECTIVE_DPI: what windows on the monitor are scaled to
    UINT x = 0;
    UINT y = 0;
    return get && SUCCEEDED(get(monitor, effective_dpi, &x, &y)) && x > 0 ? static_cast<int>(x)
                                                                          : system_dpi();
}

}  // namespace

FrameSize frame_size(int dpi) {
    const RECT r = window_rect_for_client(0, 0, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

PixelEdges work_area(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) {
        // No such monitor any more (one was just unplugged): the primary one's.
        info.rcWork = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

POINT position_pixels(float left, float top) {
    const int dpi = system_dpi();
    return {position_to_pixels(left, dpi), position_to_pixels(top, dpi)};
}

FittedWindow fit_on(HMONITOR monitor, int dpi) {
    return fit_window(work_area(monitor), dpi, frame_size(dpi));
}

FittedWindow fit_at(POINT top_left, int dpi) {
    return fit_on(MonitorFromPoint(top_left, MONITOR_DEFAULTTONEAREST), dpi);
}

HMONITOR monitor_for_dpi(HWND window, int dpi) {
    HMONITOR own = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (monitor_dpi(own) == dpi) return own;
    POINT pointer{};
    if (GetCursorPos(&pointer)) {
        HMONITOR under = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
        if (monitor_dpi(under) == dpi) return under;
    }
    return own;
}

}  // namespace pm::win32
