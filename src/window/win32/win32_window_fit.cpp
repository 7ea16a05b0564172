// The window's fit to its monitor: laid out again at a new DPI, and scrolled where even 96 DPI does not
// fit the work area.
#include <algorithm>
#include <tuple>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_dpi.h"
#include "window/pixel_layout.h"
#include "window/win32/win32_window.h"

namespace pm {

// Windows would scale the frame with the client area; per the documentation, TRUE and the size in lParam
// make its WM_DPICHANGED suggest this size instead. The monitor it goes to is the one with that DPI that
// holds the window: the pointer may be anywhere (a keyboard move).
LRESULT Win32Window::dpi_scaled_size(int dpi, SIZE& size) {
    RECT now{};
    GetWindowRect(window_, &now);
    asked_fit_ = win32::fit_on(win32::monitor_for_dpi(now, dpi), dpi);
    asked_dpi_ = dpi;
    size = {asked_fit_.width, asked_fit_.height};
    return TRUE;
}

// The suggested rectangle carries the size asked for just before; where nothing asked (before Windows 10
// 1703), the size that fits the monitor that the suggested place lies on.
void Win32Window::dpi_changed(int dpi, const RECT& suggested) {
    const bool asked = asked_dpi_ == dpi;
    asked_dpi_ = 0;
    const FittedWindow fit = asked ? asked_fit_ : win32::fit_on(win32::monitor_for_dpi(suggested, dpi), dpi);
    const PixelEdges place = place_after_dpi_change(
        {suggested.left, suggested.top, suggested.right, suggested.bottom}, asked, fit);
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    rescale(fit);
}

// After a DPI change: a new font, every control placed again, the pictures at their new size.
void Win32Window::rescale(const FittedWindow& fit) {
    scroll_to(0, 0);  // the controls are placed in the layout's own pixels
    dpi_ = fit.dpi;
    HFONT old = font_;
    font_ = win32::make_font(dpi_);
    const ControlSetting with = setting();
    for (const auto& control : controls_)
        control->rescale(with);
    if (old) DeleteObject(old);
    apply_fit(fit);
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32Window::apply_fit(const FittedWindow& fit) {
    scroll_to(0, 0);
    ShowScrollBar(window_, SB_HORZ, fit.scroll_x > 0);
    ShowScrollBar(window_, SB_VERT, fit.scroll_y > 0);
    // The pages from the client area as it now is, beside the bars the system drew.
    RECT client{};
    GetClientRect(window_, &client);
    const PixelRect layout = client_pixels(dpi_);
    const auto set_bar = [this](int bar, bool shown, int content, LONG page) -> LONG {
        if (!shown) return 0;
        SCROLLINFO info{
            sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, content - 1, static_cast<UINT>(page), 0, 0};
        SetScrollInfo(window_, bar, &info, TRUE);
        return std::max<LONG>(0, content - page);
    };
    scroll_range_ = {set_bar(SB_HORZ, fit.scroll_x > 0, layout.width, client.right),
                     set_bar(SB_VERT, fit.scroll_y > 0, layout.height, client.bottom)};
}

void Win32Window::scroll_to(int x, int y) {
    x = std::clamp(x, 0, static_cast<int>(scroll_range_.x));
    y = std::clamp(y, 0, static_cast<int>(scroll_range_.y));
    const int dx = scrolled_.x - x;
    const int dy = scrolled_.y - y;
    if (dx == 0 && dy == 0) return;
    scrolled_ = {x, y};
    ScrollWindowEx(window_, dx, dy, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    for (const auto& [bar, moved, position] : {std::tuple{SB_HORZ, dx, x}, std::tuple{SB_VERT, dy, y}}) {
        SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, position, 0};
        if (moved) SetScrollInfo(window_, bar, &info, TRUE);
    }
}

void Win32Window::scroll_by(int bar, int code) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(window_, bar, &info)) return;
    const int line = twips_to_pixels(240, dpi_);  // a line of text and its spacing
    const int page = static_cast<int>(info.nPage);
    int position = info.nPos;
    switch (code) {
        case SB_LINEUP:
            position -= line;
            break;
        case SB_LINEDOWN:
            position += line;
            break;
        case SB_PAGEUP:
            position -= page;
            break;
        case SB_PAGEDOWN:
            position += page;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = info.nMax;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        default:
            return;
    }
    if (bar == SB_HORZ) {
        scroll_to(position, scrolled_.y);
    } else {
        scroll_to(scrolled_.x, position);
    }
}

// The wheel scrolls down (up for a turn away from the user), or across where the window scrolls only
// across; a tilt scrolls across, to the right for a positive turn.
void Win32Window::scroll_wheel(bool tilt, int delta) {
    const bool across = tilt || scroll_range_.y == 0;
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    RECT client{};
    GetClientRect(window_, &client);
    const int step = lines == WHEEL_PAGESCROLL ? (across ? client.right : client.bottom)
                                               : static_cast<int>(lines) * twips_to_pixels(240, dpi_);
    const int by = MulDiv(tilt ? delta : -delta, step, WHEEL_DELTA);
    if (across) {
        scroll_to(scrolled_.x + by, scrolled_.y);
    } else {
        scroll_to(scrolled_.x, scrolled_.y + by);
    }
}

// A control that gets the focus shows whole, where the window scrolls: by the least way, each way.
void Win32Window::show_whole(HWND control) {
    if (scroll_range_.x == 0 && scroll_range_.y == 0) return;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    RECT client{};
    GetClientRect(window_, &client);
    scroll_to(
        scroll_to_show(scrolled_.x, client.right, scroll_range_.x, r.left + scrolled_.x, r.right - r.left),
        scroll_to_show(scrolled_.y, client.bottom, scroll_range_.y, r.top + scrolled_.y, r.bottom - r.top));
}

}  // namespace pm
