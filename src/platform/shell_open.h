// The shell service: the shell's "open" on a web address opens it in the user's web browser.
#pragma once

#include <string_view>

namespace pm {

class ShellOpen {
  public:
    virtual ~ShellOpen() = default;
    // No owner window, show normal; the result is not examined.
    virtual void open(std::u16string_view address) = 0;
};

}  // namespace pm
