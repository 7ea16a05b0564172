#pragma once

#include <optional>
#include <stdexcept>

#include "platform/screen.h"

namespace pm {

class TopLevelWindow;

// A window position that is no number (infinite, or not a number at all) is refused, not stored.
class ArithmeticError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Centres `form` on the screen: Left from the widths, stored before the heights are read, then Top.
// Single precision, each size halved on its own, no rounding. Then, where that would leave the title bar
// out of reach, the window moves into the work area (see reachable_position).
void position_form(TopLevelWindow& form, Screen& screen);

struct WindowPosition {
    float left;
    float top;
};

// Where a window of `width` x `height` centred at `centred` goes so that all of it that fits can be reached:
// a window that fits the work area moves the least way into it; one that does not goes to the work area's
// top, and to its left or, when the width fits, as near its centred place across as the work area allows.
// A centred window that lies inside the work area stays where it is.
std::optional<WindowPosition> reachable_position(WindowPosition centred, float width, float height,
                                                 const ScreenArea& work);

}  // namespace pm
