// UTF-16 code units: the two halves of a character outside the Basic Multilingual Plane. Portable C++;
// never includes <windows.h>.
#pragma once

namespace pm {

constexpr bool is_high_surrogate(char16_t c) {
    return c >= 0xD800 && c < 0xDC00;
}
constexpr bool is_low_surrogate(char16_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

}  // namespace pm
