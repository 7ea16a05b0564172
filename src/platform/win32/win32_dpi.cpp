#include "platform/win32/win32_dpi.h"

#include <vector>

#include "platform/win32/win32_api.h"

namespace pm::win32 {

HFONT make_font(int dpi) {
    return CreateFontW(font_height(dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"Verdana");
}

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

// Drawn at the window's DPI, as the frame is (Windows 10 1607 on); before, at the system's.
ScrollBarSize scroll_bar_size(int dpi) {
    using MetricFn = int(WINAPI*)(int, UINT);
    static const auto metric =
        library_function<MetricFn>(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
    const auto size = [dpi](int index) {
        return metric ? metric(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
    };
    return {size(SM_CXVSCROLL), size(SM_CYHSCROLL)};
}

FittedWindow fit_on(HMONITOR monitor, int dpi) {
    return fit_window(work_area(monitor), dpi, frame_size(dpi), scroll_bar_size(dpi));
}

FittedWindow fit_at(POINT top_left, int dpi) {
    return fit_on(MonitorFromPoint(top_left, MONITOR_DEFAULTTONEAREST), dpi);
}

HMONITOR monitor_for_dpi(const RECT& window, int dpi) {
    struct Found {
        std::vector<HMONITOR> handles;
        std::vector<MonitorDpi> monitors;
    } found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT bounds, LPARAM all) -> BOOL {
            auto& f = *reinterpret_cast<Found*>(all);
            f.handles.push_back(monitor);
            f.monitors.push_back(
                {{bounds->left, bounds->top, bounds->right, bounds->bottom}, monitor_dpi(monitor)});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    const std::size_t chosen =
        pm::monitor_for_dpi({window.left, window.top, window.right, window.bottom}, dpi, found.monitors);
    return chosen < found.handles.size() ? found.handles[chosen]
                                         : MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST);
}

}  // namespace pm::win32
