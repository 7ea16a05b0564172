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
    // The centred window may lie partly behind a task bar, or, where even the smallest layout is too large
    // for the screen, start with its title bar above it, where it can be moved only from the keyboard.
    if (const auto moved = reachable_position({left, top}, width, height, screen.work_area())) {
        form.set_top(moved->top);
        form.set_left(moved->left);
    }
}

std::optional<WindowPosition> reachable_position(WindowPosition centred, float width, float height,
                                                 const ScreenArea& work) {
    const bool fits_across = width <= work.width;
    const float left =
        fits_across ? std::clamp(centred.left, work.left, work.left + work.width - width) : work.left;
    float top = work.top;
    if (fits_across && height <= work.height) {
        // Centred on the screen, a window as tall as the work area lies half behind a task bar.
        top = std::clamp(centred.top, work.top, work.top + work.height - height);
    }
    if (left == centred.left && top == centred.top) return std::nullopt;
    return WindowPosition{left, top};
}

}  // namespace pm
