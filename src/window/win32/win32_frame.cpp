#include "window/win32/win32_frame.h"

#include <oleacc.h>

#include "platform/win32/win32_api.h"

namespace pm {

void Win32Frame::register_class(HINSTANCE instance) {
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof(frame);
    frame.lpfnWndProc = frame_proc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    frame.lpszClassName = class_name;
    RegisterClassExW(&frame);
}

Win32Frame::Win32Frame(FrameControl& model, const ControlSetting& setting, HWND parent)
    : Win32Control(model),
      frame_(model),
      shown_caption_(model.caption()),
      font_(setting.font),
      dpi_(setting.dpi) {
    create(setting, parent, WS_EX_CONTROLPARENT, class_name, shown_caption_, WS_CLIPCHILDREN, this);
}

void Win32Frame::rescale(const ControlSetting& setting) {
    font_ = setting.font;
    dpi_ = setting.dpi;
    Win32Control::rescale(setting);
}

// What the system's object calls a window of our own class is a client area; ours holds a group.
LONG Win32Frame::accessible_role() const {
    return ROLE_SYSTEM_GROUPING;
}

void Win32Frame::refresh_content() {
    if (frame_.caption() == shown_caption_) return;
    shown_caption_ = frame_.caption();
    win32::set_text(hwnd(), shown_caption_);
    // WM_SETTEXT repaints the caption of a window with a title bar only; this one paints its own.
    InvalidateRect(hwnd(), nullptr, FALSE);
}

// Border and caption drawn off screen and copied in one step, so a caption that changes with every
// step of a dragged thumb never flickers.
void Win32Frame::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT client;
    GetClientRect(hwnd(), &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
    FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old_font = SelectObject(memory, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics;
    GetTextMetricsW(memory, &metrics);
    RECT box = client;
    box.top = metrics.tmHeight / 2;
    DrawEdge(memory, &box, EDGE_ETCHED, BF_RECT);
    if (!shown_caption_.empty()) {
        const auto length = static_cast<int>(shown_caption_.size());
        SIZE extent;
        GetTextExtentPoint32W(memory, win32::wide(shown_caption_), length, &extent);
        const int gap = MulDiv(2, dpi_, 96);
        RECT text{MulDiv(6, dpi_, 96), 0, 0, metrics.tmHeight};
        text.right = text.left + extent.cx + 2 * gap;
        FillRect(memory, &text, GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(memory, TRANSPARENT);
        // The system's pair for the face it is drawn on, which every colour scheme (high contrast too)
        // keeps readable; a disabled frame draws its caption greyed, what it holds keeps its own look.
        SetTextColor(memory, GetSysColor(IsWindowEnabled(hwnd()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        text.left += gap;
        DrawTextW(memory, win32::wide(shown_caption_), length, &text, DT_SINGLELINE | DT_NOPREFIX);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old_font);
    SelectObject(memory, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hwnd(), &ps);
}

LRESULT CALLBACK Win32Frame::frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Frame*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Frame*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSCROLLBAR:
            // Controls tell their parent frame; the window routes every control's messages in one place.
            return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wparam, lparam);
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT paints everything, off screen
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_PAINT:
            // Painting before the frame is known (never, in practice) is left to the system.
            if (!self || self->hwnd() != hwnd) break;
            self->paint();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace pm
