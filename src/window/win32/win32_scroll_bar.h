// A threshold's horizontal scroll bar: arrows, track and keys step it, the thumb drags it.
#pragma once

#include "window/win32/win32_control.h"

namespace pm {

class Win32ScrollBar : public Win32Control {
  public:
    Win32ScrollBar(HScrollBar& model, const ControlSetting& setting, HWND parent);
    void on_scroll(int code) override;
    LONG accessible_role() const override;
    std::optional<std::u16string> accessible_value() const override;

  private:
    void refresh_content() override;

    HScrollBar& bar_;
    int shown_value_;
    bool tracking_ = false;  // within this bar's own SB_THUMBTRACK
};

}  // namespace pm
