#include "platform/text_services.h"

namespace pm {

namespace {

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool is_digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<std::int16_t> parse_int16(std::u16string_view text, char16_t decimal_separator) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && is_blank(text[i]))
        ++i;

    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    // Whole part, capped well above the 16-bit range so that long digit strings cannot overflow.
    constexpr std::int32_t cap = 100000;
    std::int32_t whole = 0;
    int digits = 0;
    for (; i < n && is_digit(text[i]); ++i, ++digits) {
        if (whole < cap) whole = whole * 10 + (text[i] - u'0');
    }

    // Fraction: only its first digit and whether anything non-zero follows decide the rounding.
    int first_fraction_digit = 0;
    bool rest_nonzero = false;
    if (i < n && text[i] == decimal_separator) {
        ++i;
        for (bool first = true; i < n && is_digit(text[i]); ++i, ++digits) {
            if (first) {
                first_fraction_digit = text[i] - u'0';
                first = false;
            } else if (text[i] != u'0') {
                rest_nonzero = true;
            }
        }
    }
    if (digits == 0) return std::nullopt;

    while (i < n && is_blank(text[i]))
        ++i;
    if (i != n) return std::nullopt;

    const bool round_up =
        first_fraction_digit > 5 || (first_fraction_digit == 5 && (rest_nonzero || whole % 2 == 1));
    if (round_up) ++whole;

    const std::int32_t value = negative ? -whole : whole;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

std::optional<std::int16_t> TextServices::to_int16(std::u16string_view text) {
    return parse_int16(text, decimal_separator());
}

bool TextServices::can_write(std::u16string_view text) {
    std::string ansi;
    std::u16string back;
    return to_ansi(text, ansi) == sys_error::ok && to_wide(ansi, back) == sys_error::ok && back == text;
}

}  // namespace pm
