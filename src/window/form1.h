// The window Form1: its 37 controls built from the layout table, the handled events and the hooks that
// let a renderer follow the model. Portable C++; never includes <windows.h>.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "window/controls.h"

namespace pm {

// The handled events. Every handler does nothing unless overridden.
class Form1Events {
  public:
    virtual ~Form1Events() = default;
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(std::int16_t& /*cancel*/, std::int16_t /*unload_mode*/) {}
    virtual void Combo1_Click() {}
    virtual void Command1_Click() {}
    virtual void Command2_Click() {}
    virtual void pressure_channel_Click(std::int16_t /*index*/) {}
    virtual void high_pressure_scroll_Change(std::int16_t /*index*/) {}
    virtual void high_pressure_scroll_Scroll(std::int16_t /*index*/) {}
    virtual void low_pressure_scroll_Change(std::int16_t /*index*/) {}
    virtual void low_pressure_scroll_Scroll(std::int16_t /*index*/) {}
    virtual void Text1_KeyPress(std::int16_t /*index*/, std::int16_t& /*key_ascii*/) {}
    // A text box refused a character that the settings file cannot hold (typed, or left out of a paste).
    virtual void Text_Unwritable(ControlName /*name*/, std::int16_t /*index*/) {}
};

// Model -> window. A renderer refreshes what it shows of a control, or of the window, when told to.
class FormView {
  public:
    virtual ~FormView() = default;
    virtual void refresh(const Control& control) = 0;
    virtual void refresh_form() = 0;
};

// A top-level window as window placement sees it: outer size and position in twips.
class TopLevelWindow {
  public:
    virtual ~TopLevelWindow() = default;
    virtual float width() = 0;
    virtual float height() = 0;
    virtual void set_left(float left) = 0;
    virtual void set_top(float top) = 0;
};

enum class ControlEvent { click, change, scroll };

// Why the window is asked to close, as the toolkit numbers it, handed to Form_QueryUnload. Only the user
// and the end of the session ever close this window. A critical end of the session (the system ends the
// program whatever it answers) is a number of our own.
enum class CloseReason : std::int16_t { user = 0, session_end = 2, session_end_critical = 0x100 };

class Form1 : public TopLevelWindow {
  public:
    static constexpr int client_width = 6855;
    static constexpr int client_height = 9855;
    static constexpr std::u16string_view design_caption = u"Pelmora PM (V2.00)";

    // Creates every control in its design-time state without raising an event (rule 1). `width` and
    // `height` are the window's outer size in twips, frame included, as the screen gives it.
    Form1(Form1Events& events, float width, float height);
    ~Form1() override;

    // Controls by name and index. An index that names no control throws std::out_of_range.
    FrameControl& Frame(int index);
    ComboBox& Combo1();
    CheckBox& pressure_channel(int channel);
    FrameControl& channel_frame(int channel);
    FrameControl& high_pressure_frame(int channel);
    HScrollBar& high_pressure_scroll(int channel);
    FrameControl& low_pressure_frame(int channel);
    HScrollBar& low_pressure_scroll(int channel);
    TextBox& Text5();
    TextBox& Text1(int index);
    PictureButton& Command1();
    PictureButton& Command2();

    // Every control in layout-table order (containers before what they hold).
    std::span<Control* const> controls() const { return all_; }
    Control* find(ControlName name, int index) const;
    // The controls that take the focus, in TabIndex order.
    std::vector<Control*> tab_order() const;

    const std::u16string& caption() const { return caption_; }
    void set_caption(std::u16string caption);
    float left() const { return left_; }
    float top() const { return top_; }
    float width() override { return width_; }
    float height() override { return height_; }
    void set_left(float left) override;
    void set_top(float top) override;

    // Rule 7: a close request raises Form_QueryUnload; true when the window may close (nothing cancelled
    // it). The window counts as unloaded only once the renderer has unloaded it: a session end can still
    // be called off by another program after every window agreed.
    bool request_close(CloseReason reason);
    void unload() { unloaded_ = true; }
    bool unloaded() const { return unloaded_; }

    void attach_view(FormView* view) { view_ = view; }

    // Used by the controls.
    void raise(Control& source, ControlEvent event);
    void raise_key_press(Control& source, std::int16_t& code);
    void raise_unwritable(Control& source);
    void refresh(const Control& control);

  private:
    template <class T>
    T& member(ControlName name, int index);

    Form1Events& events_;
    FormView* view_ = nullptr;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> all_;
    // Every control by name and index, so that find() needs no search: the settings reader, the rules
    // and the captions look controls up by name all the time.
    static constexpr int indexes = 8;
    std::array<std::array<Control*, indexes>, static_cast<std::size_t>(ControlName::Command2) + 1> by_name_{};
    std::u16string caption_{design_caption};
    float width_;
    float height_;
    float left_ = 0;
    float top_ = 0;
    bool unloaded_ = false;
};

}  // namespace pm
