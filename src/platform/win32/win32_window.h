// The window on Win32: renders Form1's controls as real windows, refreshes them when the model changes
// and turns the user's input into the model's user-input entry points. It decides nothing itself.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "platform/window_show.h"
#include "window/form1.h"
#include "window/pixel_layout.h"

namespace pm {

class Win32Text;

class Win32Window : public WindowShow, public FormView {
  public:
    Win32Window(HINSTANCE instance, Win32Text& text);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // WindowShow: creates the windows from the model's current state and shows them; returns at once.
    SysError show_modeless(Form1& form) override;
    // Runs until the window is gone; returns the exit code.
    int run();

    // FormView.
    void refresh(const Control& control) override;
    void refresh_form() override;

    HWND handle() const { return window_; }

    static constexpr const wchar_t* class_name = L"PelmoraSettings";
    static constexpr const wchar_t* frame_class_name = L"PmFrame";
    // Control windows are numbered 1000 + TabIndex, for test and accessibility tools.
    static constexpr int first_control_id = 1000;

  private:
    // Posted to itself to show the model's language choice again once the combo's list has closed.
    static constexpr UINT resync_combo = WM_APP + 1;

  public:
  private:
    static LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK edit_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                      DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);

    void create_controls();
    static PixelRect placement(const Control& control, int dpi);
    static HFONT make_font(int dpi);
    void load_icons();
    void rescale();
    void on_command(HWND control, int code);
    void on_scroll(HWND control, int code);
    bool on_char(HWND edit, WPARAM& character, bool second_half);
    bool pre_translate(MSG& message);
    void move_focus(bool backwards);
    void close_request(CloseReason reason);

    Control* control_of(HWND hwnd) const;
    HWND hwnd_of(const Control& control) const;
    int dpi() const;

    HINSTANCE instance_;
    Win32Text& text_;
    wchar_t held_high_surrogate_ = 0;  // the first half of a typed character outside the BMP
    Form1* form_ = nullptr;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    HICON icons_[2] = {};
    HWND last_focus_ = nullptr;
    std::map<const Control*, HWND> windows_;
    int current_dpi_ = 96;
};

}  // namespace pm
