#include "window/win32/win32_control.h"

#include <oleacc.h>

#include <vector>

#include "lang/accessible_names.h"
#include "platform/win32/win32_api.h"
#include "window/win32/win32_accessible.h"
#include "window/win32/win32_buttons.h"
#include "window/win32/win32_combo_box.h"
#include "window/win32/win32_frame.h"
#include "window/win32/win32_scroll_bar.h"
#include "window/win32/win32_text_box.h"

namespace pm {

namespace {

// Every window that a control serves, with the procedure it had before control_proc. A table in the
// process rather than window properties or comctl32's SetWindowSubclass: Wine keeps window properties in
// its server, and a subclassed window reads one for every message it gets, a round trip each, some 700
// of them while the window first shows. Windows and their controls live on the window's thread, and so
// does this table.
struct Served {
    HWND window;
    Win32Control* control;  // null once the control has gone before its window
    WNDPROC own;
};

std::vector<Served>& served_windows() {
    static std::vector<Served> rows;
    return rows;
}

Served* row_of(HWND window) {
    for (Served& row : served_windows()) {
        if (row.window == window) return &row;
    }
    return nullptr;
}

void forget(HWND window) {
    auto& rows = served_windows();
    std::erase_if(rows, [window](const Served& row) { return row.window == window; });
}

}  // namespace

// The windows are gone by now, and what served them with them; this is for a window outliving its control.
Win32Control::~Win32Control() {
    for (HWND served : {hwnd_, part_}) {
        if (served) stop_serving(served);
    }
}

PixelRect Win32Control::placement(int dpi) const {
    return pixel_bounds(model_.bounds(), dpi);
}

std::unique_ptr<Win32Control> Win32Control::make(Control& c, const ControlSetting& setting, HWND parent) {
    switch (c.kind()) {
        case ControlKind::frame:
            return std::make_unique<Win32Frame>(static_cast<FrameControl&>(c), setting, parent);
        case ControlKind::check_box:
            return std::make_unique<Win32CheckBox>(static_cast<CheckBox&>(c), setting, parent);
        case ControlKind::scroll_bar:
            return std::make_unique<Win32ScrollBar>(static_cast<HScrollBar&>(c), setting, parent);
        case ControlKind::text_box:
            return std::make_unique<Win32TextBox>(static_cast<TextBox&>(c), setting, parent);
        case ControlKind::combo_box:
            return std::make_unique<Win32ComboBox>(static_cast<ComboBox&>(c), setting, parent);
        case ControlKind::picture_button:
            return std::make_unique<Win32PictureButton>(static_cast<PictureButton&>(c), setting, parent);
    }
    return nullptr;
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
    told_available_ = model_.takes_input();
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
    // A channel switched off makes what its frames hold unavailable, without a refresh of its own.
    if (model_.takes_input() != told_available_) {
        told_available_ = !told_available_;
        announce(EVENT_OBJECT_STATECHANGE);
    }
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
    if (!window || row_of(window)) return;
    const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (!own) return;
    served_windows().push_back({window, this, own});
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_proc));
}

void Win32Control::stop_serving(HWND window) {
    Served* row = row_of(window);
    if (!row || row->control != this) return;
    // The window's own procedure again, unless something has put itself in front of ours since (a
    // tooltip's subclass); ours then passes every message on as it comes.
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(control_proc)) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(row->own));
        forget(window);
    } else {
        row->control = nullptr;
    }
}

Win32Control* Win32Control::served_by(HWND window) {
    const Served* row = window ? row_of(window) : nullptr;
    return row ? row->control : nullptr;
}

LRESULT Win32Control::call_own(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const Served* row = row_of(window);
    return row ? CallWindowProcW(row->own, window, message, wparam, lparam)
               : DefWindowProcW(window, message, wparam, lparam);
}

// In front of every control's window, whatever its class, the system's own and our frames': screen
// readers' requests, then the control's own intercepts, then the window's own procedure.
LRESULT CALLBACK Win32Control::control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    const Served* row = row_of(hwnd);
    if (!row) return DefWindowProcW(hwnd, message, wparam, lparam);  // past WM_NCDESTROY: nothing left
    Win32Control* control = row->control;
    const WNDPROC own = row->own;
    if (message == WM_NCDESTROY) {
        // The window's last message. Objects that screen readers still hold for it find no control from
        // now on.
        forget(hwnd);
        return CallWindowProcW(own, hwnd, message, wparam, lparam);
    }
    if (control) {
        // The object id arrives as a DWORD in lParam, sign-extended or not depending on the sender.
        if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lparam)) == OBJID_CLIENT) {
            if (const LRESULT answer = Win32Accessible::answer(hwnd, wparam)) return answer;
        }
        if (message == WM_SETFOCUS && control->hwnd())
            SendMessageW(GetAncestor(hwnd, GA_ROOT), focus_coming, reinterpret_cast<WPARAM>(control->hwnd()),
                         0);
        LRESULT result = 0;
        if (control->intercept(hwnd, message, wparam, lparam, result)) return result;
    }
    return CallWindowProcW(own, hwnd, message, wparam, lparam);
}

}  // namespace pm
