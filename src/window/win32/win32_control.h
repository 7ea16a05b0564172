// One model control as a real window. Each kind of control has its own class beside this one, with its
// creation, its refresh from the model and its input handling in one place; the window routes messages
// to them and decides nothing itself.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "window/controls.h"
#include "window/pixel_layout.h"

namespace pm {

class Form1;
class Win32Text;

// What every control needs to make and place its window.
struct ControlSetting {
    HINSTANCE instance;
    HWND window;  // the top-level window
    HFONT font;   // the font at the window's DPI
    int dpi;
    Win32Text& text;
    const Form1& form;  // what the controls' accessible names are made from
};

class Win32Control {
  public:
    // Control windows are numbered 1000 + TabIndex, for test and accessibility tools.
    static constexpr int first_id = 1000;
    // Sent to the top-level window when a control's window (or a part of it) gets the focus, before the
    // control deals with that; wParam is the control's window. A window that scrolls shows it whole first.
    static constexpr UINT focus_coming = WM_APP + 2;

    // The window of the kind that `control` is, created in `parent`.
    static std::unique_ptr<Win32Control> make(Control& control, const ControlSetting& setting, HWND parent);

    virtual ~Win32Control();
    Win32Control(const Win32Control&) = delete;
    Win32Control& operator=(const Win32Control&) = delete;

    HWND hwnd() const { return hwnd_; }
    Control& model() const { return model_; }

    // Model to window: shows what differs from what this control last showed, asking the window nothing.
    void refresh();
    // Window to model: a WM_COMMAND notification or a WM_HSCROLL request from this control.
    virtual void on_command(int /*code*/) {}
    virtual void on_scroll(int /*code*/) {}
    // A new DPI: a new font and place.
    virtual void rescale(const ControlSetting& setting);

    // What screen readers are told about this control, through the accessible object that
    // win32_accessible.h makes for its window: its name in the window's language, its role (a ROLE_SYSTEM_
    // value), its value (none: the system's own) and its state from the system's.
    std::u16string accessible_name() const;
    virtual LONG accessible_role() const;
    virtual std::optional<std::u16string> accessible_value() const { return std::nullopt; }
    virtual LONG accessible_state(LONG system_state) const;
    // Tells screen readers that the name or the availability changed, if it did since they were last told:
    // a frame's caption names the control inside it too, the list's language the picture buttons, and a
    // frame switched off makes what it holds unavailable.
    void follow_name();
    // The control whose accessible object `window` serves (its own window, or a part of it such as a combo
    // box's field); null once the window is gone.
    static Win32Control* served_by(HWND window);

  protected:
    explicit Win32Control(Control& model) : model_(model) {}
    // Where the control goes at `dpi`, in its container's client area.
    virtual PixelRect placement(int dpi) const;
    // Creates the window in place with the font, enabled as the model says.
    void create(const ControlSetting& setting, HWND parent, DWORD ex_style, const wchar_t* window_class,
                const std::u16string& text, DWORD style, void* create_param = nullptr);
    // Shows the model's value, caption or entries; refresh() has dealt with the enabled state.
    virtual void refresh_content() = 0;
    // Makes `part`, a window inside this control's (one at most), answer screen readers with this
    // control's name.
    void serve_accessibility(HWND part);
    // Tells screen readers of a change to this control (EVENT_OBJECT_...).
    void announce(DWORD event) const;
    // A message for this control's window or its part before the window's own procedure sees it: true
    // when it is dealt with here and `result` is the answer; the procedure then gets the message with
    // whatever `wparam` now holds.
    virtual bool intercept(HWND /*window*/, UINT /*message*/, WPARAM& /*wparam*/, LPARAM /*lparam*/,
                           LRESULT& /*result*/) {
        return false;
    }
    // The window's own procedure, for an intercept that sends it a message of its own first.
    static LRESULT call_own(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  private:
    // Puts control_proc in front of `window`'s own procedure.
    void serve(HWND window);
    void stop_serving(HWND window);
    static LRESULT CALLBACK control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    Control& model_;
    const Form1* form_ = nullptr;
    std::u16string told_name_;
    bool told_available_ = true;  // as screen readers were told: the control takes input
    HWND hwnd_ = nullptr;
    HWND part_ = nullptr;
    bool shown_enabled_ = true;
};

}  // namespace pm
