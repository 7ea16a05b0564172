// What an edit may leave in a text box, whatever route the text came by: typing, an input method, any
// paste, a drop, an accessibility client. Portable C++; never includes <windows.h>.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace pm {

// The box's text after an edit, without the characters that the edit brought in and the settings file
// cannot hold; the caret stands after what the edit kept. Characters that were there before stay.
struct KeptEdit {
    std::u16string text;
    std::size_t caret = 0;
    bool refused = false;  // something was left out: the user hears so, once
};

// `can_write` answers for one character: one UTF-16 unit, or a surrogate pair.
KeptEdit keep_writable(std::u16string_view before, std::u16string_view after,
                       const std::function<bool(std::u16string_view)>& can_write);

}  // namespace pm
