// The text service on Win32: the system's ANSI code page, the user's locale, ordinal case folding.
#pragma once

#include "platform/text_services.h"

namespace pm {

class Win32Text : public TextServices {
  public:
    std::u16string to_wide(std::string_view ansi) override;
    std::string to_ansi(std::u16string_view wide) override;
    char16_t decimal_separator() override;
    std::size_t find_no_case(std::u16string_view text, std::u16string_view what,
                             std::size_t from = 0) override;
};

}  // namespace pm
