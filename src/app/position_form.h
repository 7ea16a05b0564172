#pragma once

#include <stdexcept>

namespace pm {

class Screen;
class TopLevelWindow;

// A window position that is no number (infinite, or not a number at all) is refused, not stored.
class ArithmeticError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Centres `form` on the screen: Left from the widths, stored before the heights are read, then Top.
// Single precision, each size halved on its own, no rounding and no clamping to the screen.
void position_form(TopLevelWindow& form, Screen& screen);

}  // namespace pm
