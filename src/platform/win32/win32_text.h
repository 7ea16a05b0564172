// The text service on Win32: the system's ANSI code page (or one given for tests), the user's locale,
// ordinal case folding.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/text_services.h"

namespace pm {

class Win32Text : public TextServices {
  public:
    // `code_page` 0 (CP_ACP) is the system's ANSI code page. Texts go to and from Windows in pieces of at
    // most `piece` units (the API takes int lengths), each ending on a character boundary.
    explicit Win32Text(unsigned code_page = 0, std::size_t piece = std::size_t{1} << 30);

    SysError to_wide(std::string_view ansi, std::u16string& wide) override;
    SysError to_ansi(std::u16string_view wide, std::string& ansi) override;
    char16_t decimal_separator() override;
    std::size_t find_no_case(std::u16string_view text, std::u16string_view what,
                             std::size_t from = 0) override;

    // The one byte that stands for `c` in the code page, for the key press of a typed character; none
    // when the code page lacks `c` or needs more than one byte for it (a surrogate is never one byte).
    std::optional<unsigned char> single_byte(char16_t c);

    // The code page in use: GetACP() for the system's.
    unsigned code_page() const { return code_page_; }

  private:
    std::size_t ansi_piece(std::string_view ansi, std::size_t from) const;

    unsigned code_page_;
    std::size_t piece_;
    unsigned max_char_size_;  // the code page's longest character in bytes (CPINFO::MaxCharSize)
};

}  // namespace pm
