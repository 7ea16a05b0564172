#include "platform/win32/win32_control.h"

#include <oleacc.h>

#include "lang/accessible_names.h"
#include "platform/win32/win32_accessible.h"
#include "platform/win32/win32_api.h"

namespace pm {

namespace {

// The window property that leads a window's accessible object to its control: unlike a subclass's data
// (mingw has no GetWindowSubclass to read it), GetPropW reads it from any window.
constexpr const wchar_t* served_control = L"PmAccessibleControl";

}  // namespace

// The windows are gone by now, and what served them with them; this is for a window outliving its control.
Win32Control::~Win32Control() {
    for (HWND served : {hwnd_, part_}) {
        if (served && served_by(served) == this) stop_serving(served);
    }
}

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
    form_ = &setting.form;
    told_name_ = accessible_name();
    serve(hwnd_);
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

std::u16string Win32Control::accessible_name() const {
    return form_ ? pm::accessible_name(*form_, model_) : std::u16string{};
}

LONG Win32Control::accessible_role() const {
    return ROLE_SYSTEM_CLIENT;
}

// A control inside a disabled frame keeps its own window enabled (the frame's stops its input), so the
// system's object would call it available.
LONG Win32Control::accessible_state(LONG system_state) const {
    return model_.takes_input() ? system_state & ~STATE_SYSTEM_UNAVAILABLE
                                : system_state | STATE_SYSTEM_UNAVAILABLE;
}

void Win32Control::follow_name() {
    if (!hwnd_) return;
    std::u16string name = accessible_name();
    if (name == told_name_) return;
    told_name_ = std::move(name);
    announce(EVENT_OBJECT_NAMECHANGE);
}

void Win32Control::announce(DWORD event) const {
    NotifyWinEvent(event, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

void Win32Control::serve_accessibility(HWND part) {
    if (!part) return;
    part_ = part;
    serve(part_);
}

void Win32Control::serve(HWND window) {
    if (!window || !SetPropW(window, served_control, this)) return;
    SetWindowSubclass(window, accessibility_proc, 0, 0);
}

void Win32Control::stop_serving(HWND window) {
    RemoveWindowSubclass(window, accessibility_proc, 0);
    RemovePropW(window, served_control);
}

Win32Control* Win32Control::served_by(HWND window) {
    return window ? static_cast<Win32Control*>(GetPropW(window, served_control)) : nullptr;
}

// One subclass on every control's window, whatever its class: the system's own and our frames'.
LRESULT CALLBACK Win32Control::accessibility_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                                  UINT_PTR /*id*/, DWORD_PTR /*self*/) {
    switch (message) {
        case WM_GETOBJECT:
            // The object id arrives as a DWORD in lParam, sign-extended or not depending on the sender.
            if (static_cast<LONG>(static_cast<DWORD>(lparam)) == OBJID_CLIENT) {
                if (const LRESULT answer = Win32Accessible::answer(hwnd, wparam)) return answer;
            }
            break;
        case WM_NCDESTROY:
            // Objects that screen readers still hold for this window find no control from now on.
            stop_serving(hwnd);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace pm
