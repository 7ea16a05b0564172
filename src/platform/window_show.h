// The window-show service: puts the loaded, hidden window on the screen, modeless, without an owner.
#pragma once

namespace pm {

class Form1;

class WindowShow {
  public:
    virtual ~WindowShow() = default;
    // Returns at once; the window then lives on its own events.
    virtual void show_modeless(Form1& form) = 0;
};

}  // namespace pm
