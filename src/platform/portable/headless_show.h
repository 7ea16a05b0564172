// The window-show service without a display: remembers that the window was shown.
#pragma once

#include "platform/window_show.h"

namespace pm {

class HeadlessShow : public WindowShow {
  public:
    void show_modeless(Form1& form) override {
        shown = &form;
        ++count;
    }
    Form1* shown = nullptr;
    int count = 0;
};

}  // namespace pm
