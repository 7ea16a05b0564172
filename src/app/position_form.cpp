#include "app/position_form.h"

#include <algorithm>
#include <cmath>

#include "platform/screen.h"
#include "window/form1.h"

namespace pm {

namespace {

float checked(float value) {
    if (!std::isfinite(value)) throw ArithmeticError("window position overflow");
    return value;
}

}  // namespace

void position_form(TopLevelWindow& form, Screen& screen) {
    const float width = form.width();
    const float left = checked(screen.width() / 2.0f - width / 2.0f);
    form.set_left(left);
    const float height = form.height();
    const float top = checked(screen.height() / 2.0f - height / 2.0f);
    form.set_top(top);
    // At 125 % on a 1366 x 768 screen the centred window's title bar starts above the screen, where it can
    // be moved only from the keyboard.
    if (const auto moved = reachable_position({left, top}, width, height, screen.work_area())) {
        form.set_top(moved->top);
        form.set_left(moved->left);
    }
}

std::optional<WindowPosition> reachable_position(WindowPosition centred, float width, float height,
                                                 const ScreenArea& work) {
    const bool fits_across = width <= work.width;
    if (centred.top >= work.top && fits_across && height <= work.height) return std::nullopt;
    const float left =
        fits_across ? std::clamp(centred.left, work.left, work.left + work.width - width) : work.left;
    return WindowPosition{left, work.top};
}

}  // namespace pm
