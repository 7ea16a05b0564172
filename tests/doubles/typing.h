// A user typing at the end of a text box, through the two entry points the Win32 layer uses: each
// character's key press first, whose answer the box acts on (0 drops the character), then the text the
// box holds after it. Printable ASCII only and within MaxLength: what a real edit box does with anything
// else, or at its limit, is for the robot to check on one.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "window/controls.h"

namespace pm::test {

inline void type_into(TextBox& box, std::string_view typed) {
    if (!box.takes_input()) throw std::logic_error("nobody can type into a box that takes no input");
    const auto printable = [](int code) { return code >= 0x20 && code < 0x7F; };
    std::u16string text = box.text();
    for (const char c : typed) {
        if (!printable(c)) throw std::invalid_argument("type_into types printable ASCII only");
        const std::int16_t answer = box.key_press(c);
        if (answer == 0) continue;
        if (!printable(answer)) throw std::invalid_argument("the key press answered with a control code");
        if (box.max_length() > 0 && text.size() >= static_cast<std::size_t>(box.max_length())) {
            throw std::length_error("typing past MaxLength is the edit box's own business");
        }
        text.push_back(static_cast<char16_t>(answer));
        box.user_edit(text);
    }
}

}  // namespace pm::test
