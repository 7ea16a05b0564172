// The Win32 layer's shared helpers: UTF-16 strings to and from the API, the window style and DPI, and
// thin wrappers that send one message each with typed arguments and hold no logic.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <exception>
#include <string>
#include <string_view>

namespace pm::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

inline const wchar_t* wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}
inline std::wstring wide_copy(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}
std::u16string window_text(HWND hwnd);

// The main window's style: caption, system menu, fixed frame, no minimise or maximise box.
inline constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// The system's DPI, a monitor's and a window's own (they differ on a second monitor with another scale).
int system_dpi();
int monitor_dpi(HMONITOR monitor);
int window_dpi(HWND hwnd);
// Under per-monitor awareness version 1, has Windows scale the title bar and borders of `hwnd` (in its
// WM_NCCREATE) with the DPI, as version 2 does by itself.
void scale_frame_with_dpi(HWND hwnd);
// The outer size of a window whose client area is `client_width` x `client_height` at `dpi`.
RECT window_rect_for_client(int client_width, int client_height, int dpi);

// What no handler may let unwind through Windows' own code ends here: said to the user, never lost.
void show_unexpected_error(HWND owner, const std::exception& e);

// Loads one of Windows' own DLLs from the system folder, for a service that needs it only once it is
// used; null when it can't. Never by its bare name: that would look first in the program's folder, on
// the card, where a DLL of the same name must not be the one that runs.
HMODULE system_library(const wchar_t* name);
// `name` from `library`, as the function type F; null when either is missing.
template <class F>
F library_function(HMODULE library, const char* name) {
    return library ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// COM on the window's thread, as a single-threaded apartment whose calls arrive between messages: entered
// at its first use (a screen reader's request, the shell's "open"), left once the window is gone.
void enter_com();
void leave_com();

inline void set_text(HWND hwnd, const std::u16string& text) {
    SetWindowTextW(hwnd, wide(text));
}
inline void set_font(HWND hwnd, HFONT font) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}
inline void move(HWND hwnd, int x, int y, int width, int height) {
    SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

inline void button_set_check(HWND button, int state) {
    SendMessageW(button, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}
inline void button_set_icon(HWND button, HICON icon) {
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

// No page: the thumb keeps the system's fixed size whatever the range.
inline void scroll_set_range(HWND bar, int min, int max, int position) {
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS | SIF_PAGE, min, max, 0, position, 0};
    SetScrollInfo(bar, SB_CTL, &info, FALSE);
}
inline void scroll_set_position(HWND bar, int position, bool redraw) {
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, position, 0};
    SetScrollInfo(bar, SB_CTL, &info, redraw);
}
// The 32-bit track position, not the 16-bit one packed into WM_HSCROLL.
inline int scroll_track_position(HWND bar) {
    SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &info);
    return info.nTrackPos;
}

// An empty selection at `position`, scrolled into view.
inline void edit_set_caret(HWND edit, std::size_t position) {
    SendMessageW(edit, EM_SETSEL, position, static_cast<LPARAM>(position));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}
inline void edit_set_limit(HWND edit, int characters) {
    SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(characters), 0);
}

inline void combo_reset(HWND combo) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
}
inline void combo_add(HWND combo, const std::u16string& entry) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(entry)));
}
inline void combo_select(HWND combo, int position) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}
inline int combo_selection(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}
inline DWORD combo_edit_selection(HWND combo) {
    return static_cast<DWORD>(SendMessageW(combo, CB_GETEDITSEL, 0, 0));
}
inline void combo_set_edit_selection(HWND combo, DWORD selection) {
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(selection), HIWORD(selection)));
}

inline void tooltip_add(HWND tooltip, HWND owner, HWND tool, std::u16string& text) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = reinterpret_cast<wchar_t*>(text.data());
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace pm::win32
