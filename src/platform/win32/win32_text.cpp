#include "platform/win32/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace pm {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

namespace {

wchar_t* wide_ptr(char16_t* s) {
    return reinterpret_cast<wchar_t*>(s);
}
const wchar_t* wide_ptr(const char16_t* s) {
    return reinterpret_cast<const wchar_t*>(s);
}

bool is_high_surrogate(char16_t c) {
    return c >= 0xD800 && c < 0xDC00;
}
bool is_low_surrogate(char16_t c) {
    return c >= 0xDC00 && c < 0xE000;
}
bool is_utf8_continuation(char b) {
    return (static_cast<unsigned char>(b) & 0xC0) == 0x80;
}

// The code pages whose conversions fail with ERROR_INVALID_FLAGS for any flag but 0 (UTF-8 and GB18030
// also take the *_ERR_INVALID_CHARS flag), and with ERROR_INVALID_PARAMETER for a default character or
// its used-default flag.
bool refuses_flags(unsigned code_page) {
    return (code_page >= 50220 && code_page <= 50229) || code_page == 52936 || code_page == 54936 ||
           (code_page >= 57002 && code_page <= 57011) || code_page == 65000 || code_page == CP_UTF8 ||
           code_page == 42;
}

DWORD to_wide_flags(unsigned code_page) {
    // Without MB_ERR_INVALID_CHARS, Windows turns bytes that are no text into U+FFFD (or the code page's
    // default character) and reports success. On single-byte pages the flag fails only bytes the page
    // leaves undefined (0xAA on 1253); 1252's gaps 81 8D 8F 90 9D map to U+0081... and pass.
    const bool takes_flag = !refuses_flags(code_page) || code_page == CP_UTF8 || code_page == 54936;
    return takes_flag ? MB_ERR_INVALID_CHARS : 0;
}

// The error of the conversion that just failed; never 0, so a failure can't pass for success.
SysError last_error() {
    const DWORD error = GetLastError();
    return error != 0 ? error : sys_error::no_unicode_translation;
}

// The failure of the conversion that just failed, with its result emptied: a part of a text is never handed
// on as the text.
template <class Text>
SysError failed(Text& result) {
    const SysError error = last_error();
    result.clear();
    return error;
}

// `wide` itself or, when it holds unpaired surrogates, `copy` with each of them replaced by "?". Doing
// this ourselves gives the same "?" on every code page: UTF-8 would write U+FFFD, and takes no default
// character to say otherwise.
std::u16string_view pair_surrogates(std::u16string_view wide, std::u16string& copy) {
    bool copied = false;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (is_high_surrogate(wide[i]) && i + 1 < wide.size() && is_low_surrogate(wide[i + 1])) {
            ++i;
        } else if (is_high_surrogate(wide[i]) || is_low_surrogate(wide[i])) {
            if (!copied) copy.assign(wide);
            copied = true;
            copy[i] = u'?';
        }
    }
    return copied ? std::u16string_view(copy) : wide;
}

// Units from `from` on that go to Windows in one call: at most `most`, never half a surrogate pair. Only
// when `most` is 1 and a pair starts at `from` is the piece longer: the whole pair.
std::size_t wide_piece(std::u16string_view wide, std::size_t from, std::size_t most) {
    std::size_t end = from + std::min(most, wide.size() - from);
    if (end < wide.size() && is_high_surrogate(wide[end - 1]) && is_low_surrogate(wide[end])) {
        end = end - 1 > from ? end - 1 : end + 1;
    }
    return end - from;
}

}  // namespace

Win32Text::Win32Text(unsigned code_page, std::size_t piece)
    : code_page_(code_page == CP_ACP ? GetACP() : code_page),
      piece_(std::clamp<std::size_t>(piece, 1, INT_MAX)) {
    CPINFO info{};
    // An unknown code page fails every conversion anyway; 4 bytes a unit covers every known one but UTF-7.
    max_char_size_ = GetCPInfo(code_page_, &info) ? info.MaxCharSize : 4;
}

// Bytes from `from` on that go to Windows in one call: at most piece_, ending on a character boundary.
// Only when piece_ is shorter than the character at `from` is the piece longer: that whole character.
std::size_t Win32Text::ansi_piece(std::string_view ansi, std::size_t from) const {
    if (ansi.size() - from <= piece_) return ansi.size() - from;
    const std::size_t limit = from + piece_;
    if (code_page_ == CP_UTF8) {
        // A character is one lead byte and up to three continuation bytes 10xxxxxx: back up to the lead
        // byte of the character the limit falls into.
        std::size_t end = limit;
        for (int i = 0; i < 3 && end > from && is_utf8_continuation(ansi[end]); ++i)
            --end;
        if (end > from) return end - from;
        end = from + 1;
        while (end < ansi.size() && end - from < 4 && is_utf8_continuation(ansi[end]))
            ++end;
        return end - from;
    }
    if (max_char_size_ == 2) {
        // A trail byte can look like a lead byte or like ASCII (0x5C, "\", in 932's "ソ" 83 5C), so only a
        // walk from a known boundary tells which byte a lead byte is.
        std::size_t end = from;
        for (;;) {
            const std::size_t step =
                IsDBCSLeadByteEx(code_page_, static_cast<BYTE>(ansi[end])) && end + 1 < ansi.size() ? 2 : 1;
            if (end + step > limit) return end > from ? end - from : step;
            end += step;
        }
    }
    return piece_;  // single-byte: every byte is a character
}

// On failure the out-parameter is left empty: a part of a text is never handed on as the text.
SysError Win32Text::to_wide(std::string_view ansi, std::u16string& wide) {
    wide.clear();
    const DWORD flags = to_wide_flags(code_page_);
    std::size_t bytes_done = 0;
    while (bytes_done < ansi.size()) {
        const std::size_t bytes = ansi_piece(ansi, bytes_done);
        const char* in = ansi.data() + bytes_done;
        const int in_size = static_cast<int>(bytes);
        // A double-byte or UTF-8 piece makes fewer units than it has bytes: ask for the count first.
        const int units = MultiByteToWideChar(code_page_, flags, in, in_size, nullptr, 0);
        if (units <= 0) return failed(wide);
        const std::size_t units_done = wide.size();
        wide.resize(units_done + static_cast<std::size_t>(units));
        const int made =
            MultiByteToWideChar(code_page_, flags, in, in_size, wide_ptr(wide.data() + units_done), units);
        if (made <= 0) return failed(wide);
        wide.resize(units_done + static_cast<std::size_t>(made));
        bytes_done += bytes;
    }
    return sys_error::ok;
}

SysError Win32Text::to_ansi(std::u16string_view wide, std::string& ansi) {
    ansi.clear();
    std::u16string copy;
    const std::u16string_view text = pair_surrogates(wide, copy);
    // WC_NO_BEST_FIT_CHARS: a character the code page lacks is written "?", never as a look-alike
    // ("l" for "ł", "8" for "∞"). The pages that refuse flags take no default character either.
    const bool plain = refuses_flags(code_page_);
    const DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = plain ? nullptr : "?";
    // The result's length is an int too: a piece must fit it at the code page's longest character.
    const std::size_t most = std::min<std::size_t>(piece_, INT_MAX / std::max(max_char_size_, 1u));
    std::size_t units_done = 0;
    while (units_done < text.size()) {
        const std::size_t units = wide_piece(text, units_done, most);
        const wchar_t* in = wide_ptr(text.data() + units_done);
        const int in_size = static_cast<int>(units);
        const int bytes = WideCharToMultiByte(code_page_, flags, in, in_size, nullptr, 0, fallback, nullptr);
        if (bytes <= 0) return failed(ansi);
        const std::size_t bytes_done = ansi.size();
        ansi.resize(bytes_done + static_cast<std::size_t>(bytes));
        const int made = WideCharToMultiByte(code_page_, flags, in, in_size, ansi.data() + bytes_done, bytes,
                                             fallback, nullptr);
        if (made <= 0) return failed(ansi);
        ansi.resize(bytes_done + static_cast<std::size_t>(made));
        units_done += units;
    }
    return sys_error::ok;
}

std::optional<unsigned char> Win32Text::single_byte(char16_t c) {
    if (is_high_surrogate(c) || is_low_surrogate(c)) return std::nullopt;
    if (code_page_ == CP_UTF8) {
        if (c < 0x80) return static_cast<unsigned char>(c);
        return std::nullopt;
    }
    const wchar_t unit = static_cast<wchar_t>(c);
    char bytes[8] = {};
    if (refuses_flags(code_page_)) {
        // No used-default flag here: the byte stands for `c` only if it comes back as `c`.
        wchar_t back = 0;
        if (WideCharToMultiByte(code_page_, 0, &unit, 1, bytes, sizeof bytes, nullptr, nullptr) != 1 ||
            MultiByteToWideChar(code_page_, 0, bytes, 1, &back, 1) != 1 || back != unit) {
            return std::nullopt;
        }
        return static_cast<unsigned char>(bytes[0]);
    }
    // The used-default flag, not the byte, tells a typed "?" from a character the page lacks.
    BOOL lacked = FALSE;
    const int n =
        WideCharToMultiByte(code_page_, WC_NO_BEST_FIT_CHARS, &unit, 1, bytes, sizeof bytes, "?", &lacked);
    if (n != 1 || lacked) return std::nullopt;
    return static_cast<unsigned char>(bytes[0]);
}

char16_t Win32Text::decimal_separator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 0 || separator[0] == 0) {
        return u'.';
    }
    return static_cast<char16_t>(separator[0]);
}

std::size_t Win32Text::find_no_case(std::u16string_view text, std::u16string_view what, std::size_t from) {
    if (from > text.size()) return std::u16string_view::npos;
    // Both sides upper-cased with the system's own casing table, then an ordinal search.
    auto upper = [](std::u16string_view s) {
        std::u16string u{s};
        std::size_t done = 0;
        while (done < u.size()) {
            const auto n = static_cast<DWORD>(std::min<std::size_t>(u.size() - done, INT_MAX));
            CharUpperBuffW(wide_ptr(u.data() + done), n);
            done += n;
        }
        return u;
    };
    const std::u16string haystack = upper(text.substr(from));
    const std::u16string needle = upper(what);
    const std::size_t at = haystack.find(needle);
    return at == std::u16string::npos ? at : at + from;
}

}  // namespace pm
