// The text service: the system's ANSI code page, the user's decimal separator, text to number, and
// case-insensitive search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sys_error.h"

namespace pm {

class TextServices {
  public:
    virtual ~TextServices() = default;

    // Bytes in the system's ANSI code page (single-byte, double-byte or UTF-8) to UTF-16. Bytes that are
    // no text in that code page are a failure, never a silently changed text.
    virtual SysError to_wide(std::string_view ansi, std::u16string& wide) = 0;
    // UTF-16 to the ANSI code page. A character the code page can't hold, and an unpaired surrogate,
    // become "?", never a look-alike. A conversion the system refuses is a failure, never a shortened text.
    virtual SysError to_ansi(std::u16string_view wide, std::string& ansi) = 0;
    // The decimal separator of the user's locale.
    virtual char16_t decimal_separator() = 0;
    // Position of `what` in `text` from `from` on, ignoring letter case; npos when absent.
    virtual std::size_t find_no_case(std::u16string_view text, std::u16string_view what,
                                     std::size_t from = 0) = 0;

    // Text to a signed 16-bit whole number: optional blanks, optional sign, decimal digits, optional
    // decimal separator and digits, optional blanks. A fraction rounds half to even. Anything else, or a
    // result outside -32768..32767, gives no number.
    std::optional<std::int16_t> to_int16(std::u16string_view text);
    // The ANSI code page holds every character of `text`: it comes back unchanged from the code page.
    bool can_write(std::u16string_view text);
};

// The conversion itself, for a given separator.
std::optional<std::int16_t> parse_int16(std::u16string_view text, char16_t decimal_separator);

}  // namespace pm
