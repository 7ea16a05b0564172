#include "behaviour/key_filter.h"

#include <initializer_list>

#include "platform/beeper.h"

namespace pm {

void Text1_KeyPress(std::int16_t /*index*/, std::int16_t& key_ascii, Beeper& beeper) {
    if (key_ascii == 43) return;                           // "+"
    if (key_ascii >= 48 && key_ascii <= 57) return;        // "0" to "9"
    for (int accepted : {8, 12, 46, 37, 39, 38, 40, 9}) {  // BS, FF, ".", "%", "'", "&", "(", TAB
        if (key_ascii == accepted) return;
    }
    key_ascii = 0;
    beeper.beep();
}

}  // namespace pm
