// A single-line text box: a system edit box whose typed characters pass the model's key press first.
#pragma once

#include "window/win32/win32_control.h"

namespace pm {

class Win32TextBox : public Win32Control {
  public:
    Win32TextBox(TextBox& model, const ControlSetting& setting, HWND parent);
    void on_command(int code) override;
    LONG accessible_role() const override;
    std::optional<std::u16string> accessible_value() const override { return shown_text_; }

  private:
    bool intercept(HWND window, UINT message, WPARAM& wparam, LPARAM lparam, LRESULT& result) override;
    void refresh_content() override;
    // The model's answer to a typed character; false when the box is to discard it.
    bool key_press(WPARAM& character, bool second_half);
    // A paste with characters the settings file cannot hold; false when the box may paste as usual.
    bool paste(HWND window);
    static std::u16string clipboard_text(HWND window);

    TextBox& box_;
    Win32Text& text_;
    std::u16string shown_text_;
    wchar_t held_high_surrogate_ = 0;  // the first half of a typed character outside the BMP
};

}  // namespace pm
