// What Win32 itself needs for the editor's window: the same 37 controls from the same layout table, with
// the same font, and no logic at all (no model, no settings file, no captions from a language table).
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <map>

#include "window/layout.h"
#include "window/pixel_layout.h"

namespace {

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

const wchar_t* class_of(pm::ControlKind kind) {
    switch (kind) {
        case pm::ControlKind::scroll_bar:
            return WC_SCROLLBARW;
        case pm::ControlKind::text_box:
            return WC_EDITW;
        case pm::ControlKind::combo_box:
            return WC_COMBOBOXW;
        default:
            return WC_BUTTONW;
    }
}

DWORD style_of(pm::ControlKind kind) {
    switch (kind) {
        case pm::ControlKind::frame:
            return BS_GROUPBOX;
        case pm::ControlKind::check_box:
            return BS_3STATE | WS_TABSTOP;
        case pm::ControlKind::scroll_bar:
            return SBS_HORZ | WS_TABSTOP;
        case pm::ControlKind::text_box:
            return ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER;
        case pm::ControlKind::combo_box:
            return CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP;
        case pm::ControlKind::picture_button:
            return BS_PUSHBUTTON | BS_ICON | WS_TABSTOP;
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = L"PmBenchBare";
    RegisterClassExW(&window_class);
    const pm::PixelRect client = pm::client_pixels(96);
    RECT r{0, 0, client.width, client.height};
    const DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&r, window_style, FALSE, 0);
    HWND hwnd = CreateWindowExW(0, L"PmBenchBare", L"bare", window_style, 100, 50, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontW(pm::font_height(96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"Verdana");
    // Every control directly on the window, at its absolute place: containers' offsets added up.
    std::map<std::pair<pm::ControlName, int>, POINT> origins;
    for (const pm::ControlRow& s : pm::layout_table()) {
        POINT origin{0, 0};
        if (s.container != pm::ControlName::Form1) origin = origins[{s.container, s.container_index}];
        const pm::PixelRect p = pm::pixel_bounds(s.bounds, 96);
        origins[{s.name, s.index}] = {origin.x + p.x, origin.y + p.y};
        const std::wstring caption(s.caption.begin(), s.caption.end());
        HWND child = CreateWindowExW(
            0, class_of(s.kind), caption.c_str(), WS_CHILD | WS_VISIBLE | style_of(s.kind), origin.x + p.x,
            origin.y + p.y, p.width, s.kind == pm::ControlKind::combo_box ? p.height * 10 : p.height, hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + s.tab_index)), instance, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return 0;
}
