#include "window/win32/win32_buttons.h"

#include <oleacc.h>

#include "platform/win32/win32_api.h"
#include "resource.h"

namespace pm {

// BS_3STATE, not BS_AUTO3STATE: the box never changes itself; a click goes to the model, whose rule
// decides the new value, and the refresh shows it.
Win32CheckBox::Win32CheckBox(CheckBox& model, const ControlSetting& setting, HWND parent)
    : Win32Control(model), box_(model), shown_value_(model.value()) {
    create(setting, parent, 0, WC_BUTTONW, model.caption(), WS_TABSTOP | BS_3STATE);
    win32::button_set_check(hwnd(), shown_value_);
}

void Win32CheckBox::on_command(int code) {
    if (code == BN_CLICKED) box_.click();
}

LONG Win32CheckBox::accessible_role() const {
    return ROLE_SYSTEM_CHECKBUTTON;
}

// Checked or greyed as the box shows it, whatever the system's object knows of three-state boxes.
LONG Win32CheckBox::accessible_state(LONG system_state) const {
    LONG state = Win32Control::accessible_state(system_state) & ~(STATE_SYSTEM_CHECKED | STATE_SYSTEM_MIXED);
    if (shown_value_ == 1) state |= STATE_SYSTEM_CHECKED;
    if (shown_value_ == 2) state |= STATE_SYSTEM_MIXED;
    return state;
}

void Win32CheckBox::refresh_content() {
    if (box_.value() == shown_value_) return;
    shown_value_ = box_.value();
    win32::button_set_check(hwnd(), shown_value_);
}

Win32PictureButton::Win32PictureButton(PictureButton& model, const ControlSetting& setting, HWND parent)
    : Win32Control(model), button_(model), instance_(setting.instance) {
    create(setting, parent, 0, WC_BUTTONW, u"", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON);
    load_icon(setting);
}

Win32PictureButton::~Win32PictureButton() {
    if (icon_) DestroyIcon(icon_);
}

void Win32PictureButton::on_command(int code) {
    if (code == BN_CLICKED) button_.press();
}

LONG Win32PictureButton::accessible_role() const {
    return ROLE_SYSTEM_PUSHBUTTON;
}

// A tooltip window costs start-up time that most sessions never see back; it is made when the pointer
// first comes over the button, and shows the tip after the same pause as one made at start-up.
bool Win32PictureButton::intercept(HWND window, UINT message, WPARAM& wparam, LPARAM lparam, LRESULT&) {
    if (message == WM_MOUSEMOVE && !tooltip_ && window == hwnd() && !button_.tool_tip().empty()) {
        make_tooltip({window, message, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}});
    }
    return false;
}

void Win32PictureButton::make_tooltip(const MSG& first) {
    HWND owner = GetAncestor(hwnd(), GA_ROOT);
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance_, nullptr);
    if (!tooltip_) return;
    std::u16string tip = button_.tool_tip();
    win32::tooltip_add(tooltip_, owner, hwnd(), tip);
    // The tooltip's subclass on the button (TTF_SUBCLASS) hands it the pointer's next messages; this first
    // move, already under way, it is given here.
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&first));
}

void Win32PictureButton::rescale(const ControlSetting& setting) {
    Win32Control::rescale(setting);
    load_icon(setting);
}

void Win32PictureButton::load_icon(const ControlSetting& setting) {
    const int id = button_.picture() == Picture::globe ? IDI_GLOBE : IDI_FOLDER_SEARCH;
    const int size = icon_size(setting.dpi);
    HICON icon =
        static_cast<HICON>(LoadImageW(setting.instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
    win32::button_set_icon(hwnd(), icon);
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
}

}  // namespace pm
