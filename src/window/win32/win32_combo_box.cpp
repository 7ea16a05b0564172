#include "window/win32/win32_combo_box.h"

#include <oleacc.h>

#include "platform/win32/win32_api.h"

namespace pm {

Win32ComboBox::Win32ComboBox(ComboBox& model, const ControlSetting& setting, HWND parent)
    : Win32Control(model), combo_(model) {
    create(setting, parent, 0, WC_COMBOBOXW, u"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
    // A screen reader on the field, where the typing happens, hears the combo box's name too.
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    if (GetComboBoxInfo(hwnd(), &parts)) serve_accessibility(parts.hwndItem);
    refresh_content();  // a new box holds no entries, no selection and an empty field
    // Drawn above Frame(0), whose inner area it covers.
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A drop-down combo's window height includes its list.
PixelRect Win32ComboBox::placement(int dpi) const {
    PixelRect r = Win32Control::placement(dpi);
    r.height *= 10;
    return r;
}

void Win32ComboBox::on_command(int code) {
    switch (code) {
        case CBN_CLOSEUP:
            // A list closed by a click elsewhere goes back to the entry it had when it opened, after
            // this notification; the chosen entry is put back once that is done.
            PostMessageW(hwnd(), resync, 0, 0);
            break;
        case CBN_KILLFOCUS:
            commit_typed();
            break;
        case CBN_SELCHANGE: {
            const int selected = win32::combo_selection(hwnd());
            if (selected < 0) break;
            // The list shows the choice already, and the field follows it by itself.
            shown_index_ = selected;
            if (static_cast<std::size_t>(selected) < shown_entries_.size())
                shown_text_ = shown_entries_[selected];
            combo_.choose(static_cast<std::int16_t>(selected));
            break;
        }
        case CBN_EDITCHANGE: {
            // The field shows what was typed, and the model unselects its entry: the mark comes off the
            // list entry too, which empties the field, so the typed text and the caret are put back.
            const DWORD caret = win32::combo_edit_selection(hwnd());
            shown_index_ = win32::combo_selection(hwnd());  // typing with the list open may mark an entry
            shown_text_ = win32::window_text(hwnd());
            combo_.type_text(shown_text_);  // raises nothing, so asks for no refresh either
            refresh_content();
            win32::combo_set_edit_selection(hwnd(), caret);
            break;
        }
        default:
            break;
    }
}

void Win32ComboBox::commit_typed() {
    // Enter with the list open chooses from the list instead.
    if (SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0)) return;
    combo_.commit_typed();
}

LONG Win32ComboBox::accessible_role() const {
    return ROLE_SYSTEM_COMBOBOX;
}

void Win32ComboBox::refresh_content() {
    if (combo_.entries() != shown_entries_) {
        shown_entries_ = combo_.entries();
        win32::combo_reset(hwnd());  // empties the field too
        for (const auto& entry : shown_entries_)
            win32::combo_add(hwnd(), entry);
        shown_index_ = -1;
        shown_text_.clear();
    }
    if (combo_.list_index() != shown_index_) {
        shown_index_ = combo_.list_index();
        win32::combo_select(hwnd(), shown_index_);  // the field shows the entry, or nothing for -1
        shown_text_ = shown_index_ >= 0 ? shown_entries_[static_cast<std::size_t>(shown_index_)] : u"";
    }
    if (combo_.text() != shown_text_) {
        shown_text_ = combo_.text();
        win32::set_text(hwnd(), shown_text_);
    }
}

void Win32ComboBox::show_model() {
    shown_index_ = win32::combo_selection(hwnd());
    shown_text_ = win32::window_text(hwnd());
    refresh_content();
}

bool Win32ComboBox::intercept(HWND window, UINT message, WPARAM& /*wparam*/, LPARAM /*lparam*/,
                              LRESULT& result) {
    if (message != resync || window != hwnd()) return false;
    show_model();
    result = 0;
    return true;
}

}  // namespace pm
