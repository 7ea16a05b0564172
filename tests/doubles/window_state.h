// Everything a save writes, read off a window: two windows that agree here save the same file.
#pragma once

#include <array>
#include <ostream>
#include <string>

#include "window/form1.h"

namespace pm::test {

struct WindowState {
    std::u16string job;                 // Text5
    std::array<int, 4> enabled{};       // pressure_channel(1..4)
    std::array<int, 4> high{};          // high_pressure_scroll(1..4)
    std::array<int, 4> low{};           // low_pressure_scroll(1..4)
    std::array<std::u16string, 3> sms;  // Text1(1..3)
    int language = 0;                   // Combo1's ListIndex
    bool operator==(const WindowState&) const = default;
};

WindowState state_of(Form1& form);

// One line, in the order of the settings file; texts quoted, characters outside ASCII as \uXXXX.
std::ostream& operator<<(std::ostream& out, const WindowState& state);

}  // namespace pm::test
