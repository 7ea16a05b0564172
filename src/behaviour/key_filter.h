// The SMS number boxes' key filter.
#pragma once

#include <cstdint>

namespace pm {

class Beeper;

// Lets digits, "+", backspace, tab, form feed, "%", "&", "'", "(" and "." through; any other typed code
// becomes 0 (the box discards it) with one beep. The box index is not used: all three boxes filter alike.
void Text1_KeyPress(std::int16_t index, std::int16_t& key_ascii, Beeper& beeper);

}  // namespace pm
