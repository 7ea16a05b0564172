// The window on Win32: makes a real window for each of Form1's controls (one class per kind of control,
// beside this file), routes messages to them, and keeps what belongs to the whole window: DPI, focus,
// closing, and the keyboard (win32_keyboard.cpp). It decides nothing itself.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_show.h"
#include "window/form1.h"
#include "window/win32/win32_control.h"

namespace pm {

class Win32Text;

class Win32Window : public WindowShow, public FormView {
  public:
    static constexpr const wchar_t* class_name = L"PelmoraSettings";

    Win32Window(HINSTANCE instance, Win32Text& text);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // WindowShow: creates the windows from the model's current state and shows them; returns at once.
    SysError show_modeless(Form1& form) override;
    void session_end_reason(std::u16string_view reason) override;
    // Marks the window with `name`, which a later start for the same folder looks for; the mark goes
    // with the window.
    void mark(std::wstring name);
    // Runs until the window is gone; returns the exit code.
    int run();

    // FormView.
    void refresh(const Control& control) override;
    void refresh_form() override;

    // The top-level window; null before it is shown and after it is gone.
    HWND hwnd() const { return window_; }

  private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);

    ControlSetting setting() const;
    void create_controls();
    // The window's fit (win32_window_fit.cpp): WM_GETDPISCALEDSIZE and WM_DPICHANGED, then the layout at
    // the new DPI.
    LRESULT dpi_scaled_size(int dpi, SIZE& size);
    void dpi_changed(int dpi, const RECT& suggested);
    void rescale(const FittedWindow& fit);
    // The scroll bars that `fit` asks for, at the top-left; none where the window fits.
    void apply_fit(const FittedWindow& fit);
    // Scrolls the client area, controls and all, so that `x`, `y` of the layout is its top-left corner.
    void scroll_to(int x, int y);
    // A request from the window's own scroll bar `bar` (SB_HORZ, SB_VERT): an SB_ code.
    void scroll_by(int bar, int code);
    void scroll_wheel(bool tilt, int delta);
    void show_whole(HWND control);
    bool pre_translate(const MSG& message);
    void move_focus(bool backwards);
    void commit_language_field();
    void close_request(CloseReason reason);
    void gone();
    void follow_names();

    // The control whose window is `hwnd` or holds it (a combo box's field), if any.
    Win32Control* control_of(HWND hwnd) const;
    HWND hwnd_of(const Control& control) const;

    HINSTANCE instance_;
    Win32Text& text_;
    Form1* form_ = nullptr;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;  // the controls' layout DPI: the monitor's, or less where the window would not fit it
    POINT scroll_range_{};  // how far the client area scrolls each way; 0 where the window fits
    POINT scrolled_{};      // how far it is scrolled
    // What WM_GETDPISCALEDSIZE answered, for the WM_DPICHANGED that follows it (Windows 10 1703 on).
    int asked_dpi_ = 0;
    FittedWindow asked_fit_{};
    HWND last_focus_ = nullptr;
    // By TabIndex, which also numbers their windows: the one table from window to control and back.
    std::vector<std::unique_ptr<Win32Control>> controls_;
    std::wstring mark_;
    std::u16string shown_caption_;
    POINT shown_position_{};
};

}  // namespace pm
