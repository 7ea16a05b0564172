// The window's keyboard: Tab and Shift+Tab across every frame in TabIndex order, Enter, which presses
// a focused picture button and ends typing in the language field, and Page Up and Page Down, which scroll
// a window cut to the screen. The window has no dialog manager:
// IsDialogMessage would follow the frames' own child order and stop at a disabled frame.
#include "window/win32/win32_combo_box.h"
#include "window/win32/win32_window.h"

namespace pm {

bool Win32Window::pre_translate(const MSG& message) {
    if (!window_ || message.message != WM_KEYDOWN || GetAncestor(message.hwnd, GA_ROOT) != window_)
        return false;
    const bool alt_or_ctrl = (GetKeyState(VK_MENU) < 0) || (GetKeyState(VK_CONTROL) < 0);
    if (message.wParam == VK_TAB && !alt_or_ctrl) {
        move_focus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if ((message.wParam == VK_PRIOR || message.wParam == VK_NEXT) && !alt_or_ctrl &&
        (scroll_range_.x > 0 || scroll_range_.y > 0)) {
        // Page Up and Page Down scroll a window cut to the screen, where the focused control has no use
        // for them: the bars and the language list page through their values.
        const Win32Control* focused = control_of(GetFocus());
        const ControlKind kind = focused ? focused->model().kind() : ControlKind::frame;
        if (kind != ControlKind::scroll_bar && kind != ControlKind::combo_box) {
            scroll_by(scroll_range_.y > 0 ? SB_VERT : SB_HORZ,
                      message.wParam == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
            return true;
        }
    }
    if (message.wParam == VK_RETURN && !alt_or_ctrl) {
        // Enter presses a focused picture button and ends typing in the language field; the window has
        // no default button.
        Win32Control* focused = control_of(GetFocus());
        if (focused && focused->model().kind() == ControlKind::picture_button) {
            static_cast<PictureButton&>(focused->model()).press();
            return true;
        }
        if (focused && focused->model().kind() == ControlKind::combo_box) {
            static_cast<Win32ComboBox*>(focused)->commit_typed();
        }
    }
    return false;
}

// Tab and Shift+Tab follow TabIndex across every frame, past frames and whatever a disabled frame holds.
void Win32Window::move_focus(bool backwards) {
    const std::vector<Control*> order = form_->tab_order();
    if (order.empty()) return;
    const Win32Control* focused = control_of(GetFocus());
    const Control* current = focused ? &focused->model() : nullptr;
    std::size_t at = order.size();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == current) at = i;
    }
    // Windows hides focus rectangles until the keyboard is used to move around; a dialog box shows them
    // on Tab through IsDialogMessage, and this window, which moves the focus itself, says so the same way.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    std::size_t next = 0;
    if (at == order.size()) {
        next = backwards ? order.size() - 1 : 0;
    } else {
        next = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
    }
    SetFocus(hwnd_of(*order[next]));
}

// The save prompt takes the focus from the language field; what was typed there is settled first, so
// that the prompt speaks, and the file records, the language that the field will show.
void Win32Window::commit_language_field() {
    if (form_)
        static_cast<Win32ComboBox&>(*controls_.at(static_cast<std::size_t>(form_->Combo1().tab_index())))
            .commit_typed();
}

}  // namespace pm
