// Text services without a platform: Windows-1252 exactly as Windows maps it, "." as the decimal separator.
#pragma once

#include "platform/text_services.h"

namespace pm {

class Cp1252Text : public TextServices {
  public:
    SysError to_wide(std::string_view ansi, std::u16string& wide) override;
    SysError to_ansi(std::u16string_view wide, std::string& ansi) override;
    char16_t decimal_separator() override { return u'.'; }
    std::size_t find_no_case(std::u16string_view text, std::u16string_view what,
                             std::size_t from = 0) override;
};

}  // namespace pm
