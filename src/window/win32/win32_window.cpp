#include "window/win32/win32_window.h"

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_dpi.h"
#include "resource.h"
#include "window/pixel_layout.h"
#include "window/win32/win32_combo_box.h"
#include "window/win32/win32_frame.h"

namespace pm {

Win32Window::Win32Window(HINSTANCE instance, Win32Text& text) : instance_(instance), text_(text) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSEXW main{};
    main.cbSize = sizeof(main);
    main.lpfnWndProc = window_proc;
    main.hInstance = instance;
    main.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    main.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    main.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = class_name;
    RegisterClassExW(&main);
    Win32Frame::register_class(instance);
}

Win32Window::~Win32Window() {
    if (window_) DestroyWindow(window_);
    controls_.clear();
    if (font_) DeleteObject(font_);
    // COM, if a screen reader's request or the web page button brought it to this thread.
    win32::leave_com();
}

SysError Win32Window::show_modeless(Form1& form) {
    form_ = &form;
    // The window goes to the monitor that holds its top-left corner, where placement put the title bar.
    const int system_dpi = win32::system_dpi();
    shown_caption_ = form.caption();
    shown_position_ = win32::position_pixels(form.left(), form.top());
    FittedWindow fit = win32::fit_at(shown_position_, system_dpi);
    dpi_ = fit.dpi;
    window_ =
        CreateWindowExW(0, class_name, win32::wide(shown_caption_), win32::window_style, shown_position_.x,
                        shown_position_.y, fit.width, fit.height, nullptr, nullptr, instance_, this);
    if (!window_) {
        form_ = nullptr;
        const DWORD error = GetLastError();
        return error ? error : ERROR_INVALID_WINDOW_HANDLE;
    }
    // The window may have opened on a monitor whose DPI differs from the system's; Windows sends no
    // WM_DPICHANGED for that at creation.
    if (const int actual = win32::window_dpi(window_); actual != system_dpi) {
        fit = win32::fit_at(shown_position_, actual);
        dpi_ = fit.dpi;
        SetWindowPos(window_, nullptr, 0, 0, fit.width, fit.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    font_ = win32::make_font(dpi_);
    create_controls();
    apply_fit(fit);
    form.attach_view(this);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    SetFocus(hwnd_of(form.Combo1()));
    return ERROR_SUCCESS;
}

void Win32Window::session_end_reason(std::u16string_view reason) {
    if (!window_) return;
    if (reason.empty()) {
        ShutdownBlockReasonDestroy(window_);
    } else {
        ShutdownBlockReasonCreate(window_, win32::wide_copy(reason).c_str());
    }
}

void Win32Window::mark(std::wstring name) {
    mark_ = std::move(name);
    SetPropW(window_, mark_.c_str(), reinterpret_cast<HANDLE>(1));
}

int Win32Window::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (pre_translate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

ControlSetting Win32Window::setting() const {
    return {instance_, window_, font_, dpi_, text_, *form_};
}

void Win32Window::create_controls() {
    const ControlSetting with = setting();
    controls_.clear();
    controls_.resize(form_->controls().size());
    // In the model's order, which puts every frame before what it holds.
    for (Control* c : form_->controls()) {
        HWND parent = c->container() ? hwnd_of(*c->container()) : window_;
        controls_.at(static_cast<std::size_t>(c->tab_index())) = Win32Control::make(*c, with, parent);
    }
}

Win32Control* Win32Window::control_of(HWND hwnd) const {
    for (; hwnd && hwnd != window_; hwnd = GetParent(hwnd)) {
        const auto at = static_cast<std::size_t>(GetDlgCtrlID(hwnd) - Win32Control::first_id);
        if (at < controls_.size() && controls_[at] && controls_[at]->hwnd() == hwnd)
            return controls_[at].get();
    }
    return nullptr;
}

HWND Win32Window::hwnd_of(const Control& control) const {
    const auto at = static_cast<std::size_t>(control.tab_index());
    return at < controls_.size() && controls_[at] ? controls_[at]->hwnd() : nullptr;
}

void Win32Window::refresh(const Control& control) {
    const auto at = static_cast<std::size_t>(control.tab_index());
    if (at < controls_.size() && controls_[at]) controls_[at]->refresh();
    follow_names();
}

// A caption names more than its own frame (the bar or box inside, the language field), and the list's
// language names the picture buttons: every control compares its name with what screen readers were told.
void Win32Window::follow_names() {
    for (const auto& c : controls_) {
        if (c) c->follow_name();
    }
}

void Win32Window::refresh_form() {
    if (!window_) return;
    if (form_->caption() != shown_caption_) {
        shown_caption_ = form_->caption();
        win32::set_text(window_, shown_caption_);
    }
    const POINT position = win32::position_pixels(form_->left(), form_->top());
    if (position.x != shown_position_.x || position.y != shown_position_.y) {
        shown_position_ = position;
        SetWindowPos(window_, nullptr, position.x, position.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32Window::close_request(CloseReason reason) {
    commit_language_field();
    if (!form_->request_close(reason)) return;
    form_->unload();
    DestroyWindow(window_);
}

// The control objects stay until the window object goes: their windows are destroyed after this one's
// WM_DESTROY and may still be sent messages until then.
void Win32Window::gone() {
    if (!mark_.empty()) RemovePropW(window_, mark_.c_str());
    if (form_) form_->attach_view(nullptr);
    window_ = nullptr;
    PostQuitMessage(0);
}

LRESULT Win32Window::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (Win32Control* c = control_of(reinterpret_cast<HWND>(lparam)); c && lparam != 0) {
                c->on_command(HIWORD(wparam));
                follow_names();  // typing in the language field unselects its entry without a refresh
            }
            return 0;
        case WM_HSCROLL: {
            // Per WM_HSCROLL's documentation: return zero if processed.
            if (lparam == 0) {
                scroll_by(SB_HORZ, LOWORD(wparam));
            } else if (Win32Control* c = control_of(reinterpret_cast<HWND>(lparam))) {
                c->on_scroll(LOWORD(wparam));
            }
            return 0;
        }
        case WM_VSCROLL:
            if (lparam == 0) scroll_by(SB_VERT, LOWORD(wparam));
            return 0;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            // The controls pass on what they do not use; a window that does not scroll passes it on too.
            if (scroll_range_.x == 0 && scroll_range_.y == 0) break;
            scroll_wheel(message == WM_MOUSEHWHEEL, GET_WHEEL_DELTA_WPARAM(wparam));
            return 0;
        case Win32Control::focus_coming:
            show_whole(reinterpret_cast<HWND>(wparam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // Check box captions on the frames' face, in the system's text colour for that face.
            SetTextColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNTEXT));
            SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_SYSCOLORCHANGE:
            // A new colour scheme (high contrast on or off): the common controls must be told by their
            // top-level window, and the frames paint their captions again in the new colours.
            for (const auto& control : controls_)
                SendMessageW(control->hwnd(), WM_SYSCOLORCHANGE, wparam, lparam);
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return 0;
        case WM_CLOSE:
            close_request(CloseReason::user);
            return 0;
        case WM_QUERYENDSESSION:
            // The session ends: the same close request as any other, and the same answer, unless the
            // system ends the program whatever it answers. The window goes only at WM_ENDSESSION, since
            // another program may still call the ending off.
            commit_language_field();
            return form_->request_close((lparam & ENDSESSION_CRITICAL) ? CloseReason::session_end_critical
                                                                       : CloseReason::session_end)
                       ? TRUE
                       : FALSE;
        case WM_ENDSESSION:
            if (wparam) {
                form_->unload();
                DestroyWindow(window_);
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                last_focus_ = GetFocus();
            } else {
                HWND focus =
                    last_focus_ && IsChild(window_, last_focus_) ? last_focus_ : hwnd_of(form_->Combo1());
                SetFocus(focus);
            }
            return 0;
        case WM_GETDPISCALEDSIZE:
            return dpi_scaled_size(static_cast<int>(wparam), *reinterpret_cast<SIZE*>(lparam));
        case WM_DPICHANGED:
            dpi_changed(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
            return 0;
        case WM_DESTROY:
            gone();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

// Messages are routed here once; no exception may unwind through Windows' own code.
LRESULT CALLBACK Win32Window::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        self->window_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        win32::scale_frame_with_dpi(hwnd);
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->form_) return DefWindowProcW(hwnd, message, wparam, lparam);
    try {
        return self->on_message(message, wparam, lparam);
    } catch (const std::exception& e) {
        win32::show_unexpected_error(hwnd, e);
        return 0;
    }
}

}  // namespace pm
