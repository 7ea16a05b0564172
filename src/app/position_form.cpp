#include "app/position_form.h"

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
    form.set_left(checked(screen.width() / 2.0f - width / 2.0f));
    const float height = form.height();
    form.set_top(checked(screen.height() / 2.0f - height / 2.0f));
}

}  // namespace pm
