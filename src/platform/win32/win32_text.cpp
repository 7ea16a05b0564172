#include "platform/win32/win32_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace pm {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

namespace {

const wchar_t* wide_ptr(std::u16string_view s) {
    return reinterpret_cast<const wchar_t*>(s.data());
}

// MultiByteToWideChar and friends take int lengths; huge texts go through in pieces of this size.
constexpr std::size_t piece = 1u << 30;

}  // namespace

std::u16string Win32Text::to_wide(std::string_view ansi) {
    // Every ANSI code page that stands for the system's is single-byte, so one byte gives one unit.
    std::u16string wide(ansi.size(), u'\0');
    std::size_t done = 0;
    while (done < ansi.size()) {
        const int n = static_cast<int>(std::min(piece, ansi.size() - done));
        const int made = MultiByteToWideChar(CP_ACP, 0, ansi.data() + done, n,
                                             reinterpret_cast<wchar_t*>(wide.data() + done), n);
        if (made <= 0) break;
        done += static_cast<std::size_t>(made);
    }
    wide.resize(done);
    return wide;
}

std::string Win32Text::to_ansi(std::u16string_view wide) {
    std::string ansi;
    std::size_t done = 0;
    while (done < wide.size()) {
        std::size_t n = std::min(piece, wide.size() - done);
        // Never cut a surrogate pair in two.
        if (done + n < wide.size() && wide[done + n - 1] >= 0xD800 && wide[done + n - 1] < 0xDC00) --n;
        const auto part = wide.substr(done, n);
        // No best fit: a character the code page lacks is written "?", never as a look-alike.
        const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide_ptr(part),
                                             static_cast<int>(n), nullptr, 0, "?", nullptr);
        if (size <= 0) break;
        const std::size_t at = ansi.size();
        ansi.resize(at + static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide_ptr(part), static_cast<int>(n),
                            ansi.data() + at, size, "?", nullptr);
        done += n;
    }
    return ansi;
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
            CharUpperBuffW(reinterpret_cast<wchar_t*>(u.data() + done), n);
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
