#include "window/win32/win32_text_box.h"

#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"
#include "window/text_entry.h"

namespace pm {

Win32TextBox::Win32TextBox(TextBox& model, const ControlSetting& setting, HWND parent)
    : Win32Control(model), box_(model), text_(setting.text), shown_text_(model.text()) {
    // Created empty: an edit box refuses to be created with a text past its default limit (about 32,000
    // characters), and a job text may be longer.
    create(setting, parent, WS_EX_CLIENTEDGE, WC_EDITW, u"", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL);
    // Limits typing and pasting only; text the program sets is kept whole.
    win32::edit_set_limit(hwnd(), box_.max_length());
    if (!shown_text_.empty()) win32::set_text(hwnd(), shown_text_);
}

// Every route by which text enters the box ends here: keys and input methods, every kind of paste (Wine's
// edit box pastes on Shift+Insert without WM_PASTE, and a busy clipboard leaves the box to paste by
// itself), drops and accessibility clients. What the edit brought that the settings file cannot hold
// comes out again, with one beep; the rest of the text and the caret stay as the user left them.
void Win32TextBox::on_command(int code) {
    if (code != EN_CHANGE) return;
    const std::u16string now = win32::window_text(hwnd());
    KeptEdit kept =
        keep_writable(shown_text_, now, [&](std::u16string_view c) { return text_.can_write(c); });
    // What the user's edit left in the box is shown already; telling the model must not set it again,
    // which would move the caret.
    shown_text_ = std::move(kept.text);
    if (kept.refused) {
        win32::set_text(hwnd(), shown_text_);  // its EN_CHANGE finds nothing more to take out
        win32::edit_set_caret(hwnd(), kept.caret);
        box_.refuse_unwritable();
    }
    box_.user_edit(shown_text_);
}

LONG Win32TextBox::accessible_role() const {
    return ROLE_SYSTEM_TEXT;
}

void Win32TextBox::refresh_content() {
    if (box_.text() == shown_text_) return;
    shown_text_ = box_.text();
    win32::set_text(hwnd(), shown_text_);
}

// A typed character reaches the box's key press as its ANSI code before the box sees it: once, whether
// it is one byte in the code page, two (a double-byte character), none (a character the code page lacks,
// which goes as the "?" it would be written as) or a surrogate pair (`second_half`: the low surrogate,
// whose high one is held back until now).
bool Win32TextBox::key_press(WPARAM& character, bool second_half) {
    const auto typed = static_cast<char16_t>(character);
    const auto byte = second_half ? std::nullopt : text_.single_byte(typed);
    const auto code = static_cast<std::int16_t>(byte ? *byte : '?');
    const std::int16_t answer = box_.key_press(code);
    if (answer == 0) return false;
    if (answer != code) {
        std::u16string wide;
        if (text_.to_wide(std::string(1, static_cast<char>(answer)), wide) == ERROR_SUCCESS &&
            wide.size() == 1) {
            character = wide[0];
        }
    }
    return true;
}

// The box sees a typed character, changed or not, only after the key press let it through.
bool Win32TextBox::intercept(HWND window, UINT message, WPARAM& wparam, LPARAM lparam, LRESULT& result) {
    if (message == WM_PASTE) return paste(window);
    if (message != WM_CHAR) return false;
    result = 0;
    // A character outside the BMP arrives as two WM_CHARs: the high surrogate waits for the low one, so
    // that the pair is one key press with one answer.
    if (IS_HIGH_SURROGATE(wparam)) {
        held_high_surrogate_ = static_cast<wchar_t>(wparam);
        return true;
    }
    const wchar_t high = std::exchange(held_high_surrogate_, L'\0');
    const bool pair = high != 0 && IS_LOW_SURROGATE(wparam);
    const WPARAM typed = wparam;
    // What the settings file cannot hold in the ANSI code page would be saved as "?".
    std::u16string character;
    if (pair) character.push_back(static_cast<char16_t>(high));
    character.push_back(static_cast<char16_t>(wparam));
    try {
        if (!text_.can_write(character)) {
            box_.refuse_unwritable();
            return true;
        }
        if (!key_press(wparam, pair)) return true;
    } catch (const std::exception&) {
        return true;
    }
    if (pair && wparam == typed) call_own(window, WM_CHAR, high, lparam);
    return false;
}

// Pasted text goes in without the characters that the settings file cannot hold, with one beep for them
// all; the box pastes the rest itself, as far as its first line break and its limit allow.
bool Win32TextBox::paste(HWND window) {
    std::u16string pasted = clipboard_text(window);
    std::u16string kept;
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        const bool pair =
            IS_HIGH_SURROGATE(pasted[i]) && i + 1 < pasted.size() && IS_LOW_SURROGATE(pasted[i + 1]);
        const std::u16string character = pasted.substr(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (text_.can_write(character)) kept += character;
    }
    if (kept == pasted) return false;
    box_.refuse_unwritable();
    kept.resize(std::min(kept.find_first_of(u"\r\n"), kept.size()));
    call_own(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
    return true;
}

std::u16string Win32TextBox::clipboard_text(HWND window) {
    std::u16string text;
    if (!OpenClipboard(window)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const char16_t*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace pm
