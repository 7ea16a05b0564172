// The two kinds of button: a channel's three-state check box, and a picture button with its icon and
// tooltip.
#pragma once

#include "window/win32/win32_control.h"

namespace pm {

class Win32CheckBox : public Win32Control {
  public:
    Win32CheckBox(CheckBox& model, const ControlSetting& setting, HWND parent);
    void on_command(int code) override;
    LONG accessible_role() const override;
    LONG accessible_state(LONG system_state) const override;

  private:
    void refresh_content() override;

    CheckBox& box_;
    int shown_value_;
};

class Win32PictureButton : public Win32Control {
  public:
    Win32PictureButton(PictureButton& model, const ControlSetting& setting, HWND parent);
    ~Win32PictureButton() override;
    void on_command(int code) override;
    void rescale(const ControlSetting& setting) override;
    LONG accessible_role() const override;

  private:
    void refresh_content() override {}
    bool intercept(HWND window, UINT message, WPARAM& wparam, LPARAM lparam, LRESULT& result) override;
    // The picture at its size for the DPI.
    void load_icon(const ControlSetting& setting);
    // The tooltip, made when the pointer first comes over the button; `first` is that move.
    void make_tooltip(const MSG& first);

    PictureButton& button_;
    HINSTANCE instance_;
    HICON icon_ = nullptr;
    HWND tooltip_ = nullptr;  // owned by the top-level window, which destroys it
};

}  // namespace pm
