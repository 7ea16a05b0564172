// What a screen reader calls each of the window's controls, in the window's language. Portable C++; never
// includes <windows.h>.
#pragma once

#include <string>

namespace pm {

class Control;
class Form1;

// The name of `control` as the window shows it now:
//  - a frame, a check box: its own caption (an alarm frame's with its value, "High pressure alarm (45Pa)");
//  - a threshold bar, a text box: the caption of the frame around it;
//  - the language field: Frame(0)'s caption, the frame it sits over (it lies on the window, not in it);
//  - a picture button, which shows no text: what it does, in the language selected in the list (English
//    while none is, like every other text of the window).
std::u16string accessible_name(const Form1& form, const Control& control);

}  // namespace pm
