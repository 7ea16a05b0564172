// The text service: the system's ANSI code page, the user's decimal separator, text to number, and
// case-insensitive search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pm {

class TextServices {
  public:
    virtual ~TextServices() = default;

    // ANSI code page bytes to UTF-16, one character per byte.
    virtual std::u16string to_wide(std::string_view ansi) = 0;
    // UTF-16 to ANSI; a character the code page can't hold becomes "?".
    virtual std::string to_ansi(std::u16string_view wide) = 0;
    // The decimal separator of the user's locale.
    virtual char16_t decimal_separator() = 0;
    // Position of `what` in `text` from `from` on, ignoring letter case; npos when absent.
    virtual std::size_t find_no_case(std::u16string_view text, std::u16string_view what,
                                     std::size_t from = 0) = 0;

    // Text to a signed 16-bit whole number: optional blanks, optional sign, decimal digits, optional
    // decimal separator and digits, optional blanks. A fraction rounds half to even. Anything else, or a
    // result outside -32768..32767, gives no number.
    std::optional<std::int16_t> to_int16(std::u16string_view text);
};

// The conversion itself, for a given separator.
std::optional<std::int16_t> parse_int16(std::u16string_view text, char16_t decimal_separator);

}  // namespace pm
