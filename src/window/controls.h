// The window's control model: the six kinds of control, their properties and the toolkit's rules that
// need no screen. Portable C++; never includes <windows.h>.
//
// The toolkit's rules that the model keeps; comments here, in form1.h and in app.h cite them by number.
//  1. A window loads on its first use: design-time controls, no control event, then Form_Load.
//  2. A changed Value or ListIndex raises its event; the same value, Enabled, captions and texts raise none.
//  3. A click or the space bar turns a check box's 0 into 1 and 1 into 0; a greyed box (2) becomes 1.
//  4. A bar's arrows move it by SmallChange, its track and Page keys by LargeChange, clamped to Min..Max.
//  5. Choosing a list entry raises Click; typing into the combo's field selects no entry and raises nothing.
//  6. A typed character meets KeyPress first as its ANSI code; the box acts on the code left, 0 discards it.
//  7. A close request raises Form_QueryUnload; a non-zero Cancel keeps the window open.
//  8. Input reaches a control only while it and every frame around it are enabled.
//  9. MaxLength limits only what the user types or pastes; text the program assigns is stored whole.
// 10. A value outside a control's range is an error where it is assigned; the control keeps its value.
// 11. AddItem inserts at its position and shifts the entries from there on.
// 12. The screen's width and height are known in twips (the Screen service).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pm {

class Form1;

// Rule 10: a value outside a control's range is refused in the procedure that assigns it.
class InvalidValueError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

enum class ControlKind { frame, check_box, scroll_bar, text_box, combo_box, picture_button };

// The names of the window's controls; an array member adds its index.
enum class ControlName {
    Form1,  // the window itself, as a container
    Frame,
    Combo1,
    pressure_channel,
    channel_frame,
    high_pressure_frame,
    high_pressure_scroll,
    low_pressure_frame,
    low_pressure_scroll,
    Text5,
    Text1,
    Command1,
    Command2,
};

std::u16string_view to_string(ControlName name);

enum class Picture { none, globe, folder_search };

// Position and size in twips, relative to the container's outer top-left corner.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class Control {
  public:
    Control(Form1& form, ControlKind kind, ControlName name, std::int16_t index, Control* container,
            Bounds bounds, std::int16_t tab_index);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    ControlKind kind() const { return kind_; }
    ControlName name() const { return name_; }
    std::int16_t index() const { return index_; }
    // The containing frame; null for a control placed directly on the window.
    Control* container() const { return container_; }
    Bounds bounds() const { return bounds_; }
    std::int16_t tab_index() const { return tab_index_; }

    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);  // raises nothing (rule 2)

    // Rule 8: input reaches a control only while it and every frame around it are enabled.
    bool takes_input() const;
    // Frames never take the focus; every other control does while it takes input.
    bool takes_focus() const;

  protected:
    void refresh();
    Form1& form_;

  private:
    ControlKind kind_;
    ControlName name_;
    std::int16_t index_;
    Control* container_;
    Bounds bounds_;
    std::int16_t tab_index_;
    bool enabled_ = true;
};

class FrameControl : public Control {
  public:
    FrameControl(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
                 std::int16_t tab_index, std::u16string caption);
    const std::u16string& caption() const { return caption_; }
    void set_caption(std::u16string caption);

  private:
    std::u16string caption_;
};

class CheckBox : public Control {
  public:
    CheckBox(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
             std::int16_t tab_index, std::u16string caption, std::int16_t value);
    const std::u16string& caption() const { return caption_; }
    // 0 unchecked, 1 checked, 2 greyed; a different value raises Click (rule 2), others throw (rule 10).
    std::int16_t value() const { return value_; }
    void set_value(std::int16_t value);

    // Rule 3: a click or the space bar turns 0 into 1 and 1 into 0; a greyed box (2) becomes checked.
    void click();

  private:
    std::u16string caption_;
    std::int16_t value_;
};

enum class ScrollStep { line_left, line_right, page_left, page_right, to_min, to_max };

class HScrollBar : public Control {
  public:
    HScrollBar(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
               std::int16_t tab_index, std::int16_t min, std::int16_t max, std::int16_t small_change,
               std::int16_t large_change, std::int16_t value);
    std::int16_t value() const { return value_; }
    std::int16_t min() const { return min_; }
    std::int16_t max() const { return max_; }
    std::int16_t small_change() const { return small_change_; }
    std::int16_t large_change() const { return large_change_; }
    // A different value in Min..Max raises Change (rule 2); outside it throws (rule 10).
    void set_value(std::int16_t value);

    // Rule 4: an arrow (click or key) moves by SmallChange, the track or Page keys by LargeChange,
    // clamped to Min..Max; Home and End go to Min and Max; a change raises Change.
    void step(ScrollStep step);
    // The thumb is being dragged: Value follows it, then Scroll is raised.
    void drag(int position);
    // The thumb is released: Value takes its position, then Change is raised.
    void release(int position);

  private:
    std::int16_t clamp(int value) const;
    std::int16_t min_, max_, small_change_, large_change_, value_;
    bool dragging_ = false;
};

class TextBox : public Control {
  public:
    TextBox(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
            std::int16_t tab_index, std::u16string text, int max_length);
    const std::u16string& text() const { return text_; }
    // Rule 9: assigned text is stored whole, whatever MaxLength says; raises nothing.
    void set_text(std::u16string text);
    int max_length() const { return max_length_; }

    // Rule 6: a typed character, as its ANSI code, passes the key-press event first. Returns the code the
    // box is to act on; 0 means the character is discarded.
    std::int16_t key_press(std::int16_t code);
    // A character that the settings file cannot hold in the ANSI code page was typed, or was left out of
    // pasted text: the box takes nothing of it, and the user hears so once.
    void refuse_unwritable();
    // The box's text after the user edited it (already held to MaxLength by the box, rule 9); raises
    // nothing and refreshes nothing: the window already shows it.
    void user_edit(std::u16string text);

  private:
    std::u16string text_;
    int max_length_;
};

class ComboBox : public Control {
  public:
    ComboBox(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
             std::int16_t tab_index, std::u16string text);
    const std::u16string& text() const { return text_; }
    const std::vector<std::u16string>& entries() const { return entries_; }
    // Rule 11: inserts at `position`, shifting the entries from there on.
    void add_item(std::u16string entry, std::int16_t position);
    // -1 when no entry is selected. A different position raises Click (rule 2); a position that names
    // no entry throws (rule 10). The field shows the selected entry's text.
    std::int16_t list_index() const { return list_index_; }
    void set_list_index(std::int16_t position);

    // Rule 5: the user chose an entry from the list; Click is raised.
    void choose(std::int16_t position);
    // Rule 5: the user typed into the field: it holds that text, no entry is selected, nothing is raised.
    void type_text(std::u16string text);
    // The user is done with what they typed (the field lost the focus, or Enter): text that names an
    // entry, ignoring case, selects it; any other text puts back the entry selected last. Either raises
    // Click. Without typing since the last selection, nothing happens.
    void commit_typed();

  private:
    std::u16string text_;
    std::vector<std::u16string> entries_;
    std::int16_t list_index_ = -1;
    std::int16_t last_selected_ = -1;  // the entry to put back after text that names none
    bool typed_ = false;
};

class PictureButton : public Control {
  public:
    PictureButton(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
                  std::int16_t tab_index, Picture picture, std::u16string tool_tip);
    Picture picture() const { return picture_; }
    const std::u16string& tool_tip() const { return tool_tip_; }
    // A click, or space or Enter while focused: raises Click.
    void press();

  private:
    Picture picture_;
    std::u16string tool_tip_;
};

}  // namespace pm
