// A frame: a window of our own class that draws its etched border and caption, and hands its
// controls' notifications on to the top-level window.
#pragma once

#include "window/win32/win32_control.h"

namespace pm {

class Win32Frame : public Win32Control {
  public:
    static constexpr const wchar_t* class_name = L"PmFrame";
    static void register_class(HINSTANCE instance);

    Win32Frame(FrameControl& model, const ControlSetting& setting, HWND parent);
    void rescale(const ControlSetting& setting) override;
    LONG accessible_role() const override;

  private:
    static LRESULT CALLBACK frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void refresh_content() override;
    void paint();

    FrameControl& frame_;
    std::u16string shown_caption_;
    HFONT font_;
    int dpi_;
};

}  // namespace pm
