// The window-show service: puts the loaded, hidden window on the screen, modeless, without an owner.
#pragma once

#include <string_view>

#include "platform/sys_error.h"

namespace pm {

class Form1;

class WindowShow {
  public:
    virtual ~WindowShow() = default;
    // Returns at once; the window then lives on its own events. A window that could not be created is
    // the system's error code.
    virtual SysError show_modeless(Form1& form) = 0;
    // While the window holds up the end of the session (its save prompt is open), the reason the system
    // shows for it; empty once it no longer does.
    virtual void session_end_reason(std::u16string_view reason) = 0;
};

}  // namespace pm
