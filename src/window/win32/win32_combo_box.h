// The language field: a drop-down combo box whose list the user chooses from, or whose field they type
// into.
#pragma once

#include <vector>

#include "window/win32/win32_control.h"

namespace pm {

class Win32ComboBox : public Win32Control {
  public:
    Win32ComboBox(ComboBox& model, const ControlSetting& setting, HWND parent);
    void on_command(int code) override;
    LONG accessible_role() const override;
    std::optional<std::u16string> accessible_value() const override { return shown_text_; }
    // The user is done typing in the field: Enter, or the focus leaves it.
    void commit_typed();

  private:
    // Posted to the combo box itself to show the model's choice again once its list has closed.
    static constexpr UINT resync = WM_APP + 1;

    bool intercept(HWND window, UINT message, WPARAM& wparam, LPARAM lparam, LRESULT& result) override;

    PixelRect placement(int dpi) const override;
    void refresh_content() override;
    // The model's selection and text again, after the box changed them by itself.
    void show_model();

    ComboBox& combo_;
    std::vector<std::u16string> shown_entries_;
    int shown_index_ = -1;
    std::u16string shown_text_;
};

}  // namespace pm
