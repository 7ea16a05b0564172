#include "window/win32/win32_scroll_bar.h"

#include <oleacc.h>

#include <string>

#include "platform/win32/win32_api.h"

namespace pm {

namespace {

// Holds a flag up while its thumb's drag step is handled, also when a handler throws.
class Tracking {
  public:
    explicit Tracking(bool& flag) : flag_(flag) { flag_ = true; }
    ~Tracking() { flag_ = false; }
    Tracking(const Tracking&) = delete;
    Tracking& operator=(const Tracking&) = delete;

  private:
    bool& flag_;
};

}  // namespace

Win32ScrollBar::Win32ScrollBar(HScrollBar& model, const ControlSetting& setting, HWND parent)
    : Win32Control(model), bar_(model), shown_value_(model.value()) {
    create(setting, parent, 0, WC_SCROLLBARW, u"", WS_TABSTOP | SBS_HORZ);
    win32::scroll_set_range(hwnd(), model.min(), model.max(), shown_value_);
}

// A scroll bar control moves only when told to: each request goes to the model, and the refresh that
// its change brings moves the thumb.
void Win32ScrollBar::on_scroll(int code) {
    switch (code) {
        case SB_LINELEFT:
            bar_.step(ScrollStep::line_left);
            break;
        case SB_LINERIGHT:
            bar_.step(ScrollStep::line_right);
            break;
        case SB_PAGELEFT:
            bar_.step(ScrollStep::page_left);
            break;
        case SB_PAGERIGHT:
            bar_.step(ScrollStep::page_right);
            break;
        case SB_LEFT:  // Home
            bar_.step(ScrollStep::to_min);
            break;
        case SB_RIGHT:  // End
            bar_.step(ScrollStep::to_max);
            break;
        case SB_THUMBTRACK: {
            const Tracking tracking(tracking_);
            bar_.drag(win32::scroll_track_position(hwnd()));
            break;
        }
        case SB_THUMBPOSITION:
            bar_.release(win32::scroll_track_position(hwnd()));
            break;
        default:
            break;
    }
}

// While its thumb is dragged, the bar draws the thumb where the pointer holds it and draws itself again
// at the position it was given once the button is released; drawing it here too would be the same
// picture twice (under Wine most of a drag step's time in the window). Any other bar, such as the one
// that a dragged threshold pushes along, is drawn at once.
void Win32ScrollBar::refresh_content() {
    if (bar_.value() == shown_value_) return;
    shown_value_ = bar_.value();
    win32::scroll_set_position(hwnd(), shown_value_, !tracking_);
    announce(EVENT_OBJECT_VALUECHANGE);
}

LONG Win32ScrollBar::accessible_role() const {
    return ROLE_SYSTEM_SCROLLBAR;
}

// The threshold as a number, as the caption above shows it.
std::optional<std::u16string> Win32ScrollBar::accessible_value() const {
    const std::string digits = std::to_string(shown_value_);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace pm
