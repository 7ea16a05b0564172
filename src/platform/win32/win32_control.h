// One model control as a real window. Each kind of control has its own class beside this one, with its
// creation, its refresh from the model and its input handling in one place; the window routes messages
// to them and decides nothing itself.
#pragma once

#include <windows.h>

#include "window/controls.h"
#include "window/pixel_layout.h"

namespace pm {

class Win32Text;

// What every control needs to make and place its window.
struct ControlSetting {
    HINSTANCE instance;
    HWND window;  // the top-level window
    HFONT font;   // the font at the window's DPI
    int dpi;
    HWND tooltip;  // the window's tooltip, for the controls that have a tip
    Win32Text& text;
};

class Win32Control {
  public:
    // Control windows are numbered 1000 + TabIndex, for test and accessibility tools.
    static constexpr int first_id = 1000;

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

  protected:
    explicit Win32Control(Control& model) : model_(model) {}
    // Where the control goes at `dpi`, in its container's client area.
    virtual PixelRect placement(int dpi) const;
    // Creates the window in place with the font, enabled as the model says.
    void create(const ControlSetting& setting, HWND parent, DWORD ex_style, const wchar_t* window_class,
                const std::u16string& text, DWORD style, void* create_param = nullptr);
    // Shows the model's value, caption or entries; refresh() has dealt with the enabled state.
    virtual void refresh_content() = 0;

  private:
    Control& model_;
    HWND hwnd_ = nullptr;
    bool shown_enabled_ = true;
};

}  // namespace pm
