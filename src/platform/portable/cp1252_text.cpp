#include "platform/portable/cp1252_text.h"

#include <algorithm>

namespace pm {

namespace {

// 0x80-0x9F. The five bytes Windows-1252 leaves undefined (81, 8D, 8F, 90, 9D) map to the C1 control
// characters of the same number, as Windows maps them, so every byte survives a round trip.
constexpr char16_t high_controls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char to_byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    const auto* end = std::end(high_controls);
    const auto* found = std::find(std::begin(high_controls), end, c);
    return found == end ? '?' : static_cast<char>(0x80 + (found - std::begin(high_controls)));
}

// Upper case for the letters Windows-1252 can hold; everything else stands for itself.
char16_t fold(char16_t c) {
    if (c >= u'a' && c <= u'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    switch (c) {
        case 0xFF:
            return 0x178;
        case 0x161:
            return 0x160;
        case 0x153:
            return 0x152;
        case 0x17E:
            return 0x17D;
        default:
            return c;
    }
}

}  // namespace

// Every byte is a character in Windows-1252, so neither direction can fail.
SysError Cp1252Text::to_wide(std::string_view ansi, std::u16string& wide) {
    wide.resize(ansi.size());
    std::transform(ansi.begin(), ansi.end(), wide.begin(), [](char ch) {
        const auto b = static_cast<unsigned char>(ch);
        return b >= 0x80 && b < 0xA0 ? high_controls[b - 0x80] : static_cast<char16_t>(b);
    });
    return sys_error::ok;
}

SysError Cp1252Text::to_ansi(std::u16string_view wide, std::string& ansi) {
    ansi.resize(wide.size());
    std::transform(wide.begin(), wide.end(), ansi.begin(), to_byte);
    return sys_error::ok;
}

std::size_t Cp1252Text::find_no_case(std::u16string_view text, std::u16string_view what, std::size_t from) {
    if (from > text.size() || what.size() > text.size() - from) return std::u16string_view::npos;
    // Each position gives up at its first difference: the settings reader tries every key on every line.
    for (std::size_t at = from; at <= text.size() - what.size(); ++at) {
        std::size_t same = 0;
        while (same < what.size() && fold(text[at + same]) == fold(what[same]))
            ++same;
        if (same == what.size()) return at;
    }
    return std::u16string_view::npos;
}

}  // namespace pm
