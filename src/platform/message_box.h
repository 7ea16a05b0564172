// The message-box service: a modal box owned by the window (or by nobody before it is shown).
#pragma once

#include <string_view>

namespace pm {

// Style values and answers, as the system numbers them.
namespace box {
inline constexpr int ok_only = 0;
inline constexpr int yes_no_cancel = 3;
inline constexpr int yes_no = 4;
inline constexpr int icon_error = 16;
inline constexpr int icon_question = 32;
inline constexpr int icon_warning = 48;
inline constexpr int default_second = 256;  // the second button is the default

inline constexpr int answer_ok = 1;
inline constexpr int answer_cancel = 2;
inline constexpr int answer_yes = 6;
inline constexpr int answer_no = 7;
}  // namespace box

class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    // Shows the box and waits for the answer. Escape and the box's own close button answer Cancel.
    virtual int show(std::u16string_view text, std::u16string_view title, int style) = 0;
};

}  // namespace pm
