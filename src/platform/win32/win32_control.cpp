#include "platform/win32/win32_control.h"

#include "platform/win32/win32_api.h"

namespace pm {

Win32Control::~Win32Control() = default;

PixelRect Win32Control::placement(int dpi) const {
    return pixel_bounds(model_.bounds(), dpi);
}

void Win32Control::create(const ControlSetting& setting, HWND parent, DWORD ex_style,
                          const wchar_t* window_class, const std::u16string& text, DWORD style,
                          void* create_param) {
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(first_id + model_.tab_index()));
    // Created in place: moving 37 windows after creating them costs start-up time for nothing.
    const PixelRect r = placement(setting.dpi);
    hwnd_ = CreateWindowExW(ex_style, window_class, text.empty() ? nullptr : win32::wide(text),
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.x, r.y, r.width, r.height,
                            parent, id, setting.instance, create_param);
    win32::set_font(hwnd_, setting.font);
    shown_enabled_ = model_.enabled();
    EnableWindow(hwnd_, shown_enabled_);
}

void Win32Control::refresh() {
    if (!hwnd_) return;
    if (model_.enabled() != shown_enabled_) {
        shown_enabled_ = model_.enabled();
        EnableWindow(hwnd_, shown_enabled_);
    }
    refresh_content();
}

void Win32Control::rescale(const ControlSetting& setting) {
    const PixelRect r = placement(setting.dpi);
    win32::set_font(hwnd_, setting.font);
    win32::move(hwnd_, r.x, r.y, r.width, r.height);
}

}  // namespace pm
