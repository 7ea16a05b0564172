#include "window/controls.h"

#include <algorithm>

#include "window/form1.h"

namespace pm {

std::u16string_view to_string(ControlName name) {
    switch (name) {
        case ControlName::Form1:
            return u"Form1";
        case ControlName::Frame:
            return u"Frame";
        case ControlName::Combo1:
            return u"Combo1";
        case ControlName::pressure_channel:
            return u"pressure_channel";
        case ControlName::channel_frame:
            return u"channel_frame";
        case ControlName::high_pressure_frame:
            return u"high_pressure_frame";
        case ControlName::high_pressure_scroll:
            return u"high_pressure_scroll";
        case ControlName::low_pressure_frame:
            return u"low_pressure_frame";
        case ControlName::low_pressure_scroll:
            return u"low_pressure_scroll";
        case ControlName::Text5:
            return u"Text5";
        case ControlName::Text1:
            return u"Text1";
        case ControlName::Command1:
            return u"Command1";
        case ControlName::Command2:
            return u"Command2";
    }
    return u"?";
}

Control::Control(Form1& form, ControlKind kind, ControlName name, std::int16_t index, Control* container,
                 Bounds bounds, std::int16_t tab_index)
    : form_(form),
      kind_(kind),
      name_(name),
      index_(index),
      container_(container),
      bounds_(bounds),
      tab_index_(tab_index) {}

void Control::set_enabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    refresh();
}

bool Control::takes_input() const {
    for (const Control* c = this; c != nullptr; c = c->container()) {
        if (!c->enabled()) return false;
    }
    return true;
}

bool Control::takes_focus() const {
    return kind_ != ControlKind::frame && takes_input();
}

void Control::refresh() {
    form_.refresh(*this);
}

FrameControl::FrameControl(Form1& form, ControlName name, std::int16_t index, Control* container,
                           Bounds bounds, std::int16_t tab_index, std::u16string caption)
    : Control(form, ControlKind::frame, name, index, container, bounds, tab_index),
      caption_(std::move(caption)) {}

void FrameControl::set_caption(std::u16string caption) {
    // Every assignment reaches the view, which skips a caption it already shows.
    caption_ = std::move(caption);
    refresh();
}

CheckBox::CheckBox(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
                   std::int16_t tab_index, std::u16string caption, std::int16_t value)
    : Control(form, ControlKind::check_box, name, index, container, bounds, tab_index),
      caption_(std::move(caption)),
      value_(value) {}

void CheckBox::set_value(std::int16_t value) {
    if (value < 0 || value > 2) throw InvalidValueError("check box value must be 0, 1 or 2");
    if (value == value_) return;
    value_ = value;
    refresh();
    form_.raise(*this, ControlEvent::click);
}

void CheckBox::click() {
    if (!takes_input()) return;
    set_value(value_ == 1 ? 0 : 1);
}

HScrollBar::HScrollBar(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
                       std::int16_t tab_index, std::int16_t min, std::int16_t max, std::int16_t small_change,
                       std::int16_t large_change, std::int16_t value)
    : Control(form, ControlKind::scroll_bar, name, index, container, bounds, tab_index),
      min_(min),
      max_(max),
      small_change_(small_change),
      large_change_(large_change),
      value_(value) {}

void HScrollBar::set_value(std::int16_t value) {
    if (value < min_ || value > max_) throw InvalidValueError("scroll bar value outside Min..Max");
    if (value == value_) return;
    value_ = value;
    refresh();
    form_.raise(*this, ControlEvent::change);
}

std::int16_t HScrollBar::clamp(int value) const {
    return static_cast<std::int16_t>(std::clamp(value, static_cast<int>(min_), static_cast<int>(max_)));
}

void HScrollBar::step(ScrollStep step) {
    if (!takes_input()) return;
    int delta = 0;
    switch (step) {
        case ScrollStep::line_left:
            delta = -small_change_;
            break;
        case ScrollStep::line_right:
            delta = small_change_;
            break;
        case ScrollStep::page_left:
            delta = -large_change_;
            break;
        case ScrollStep::page_right:
            delta = large_change_;
            break;
        case ScrollStep::to_min:
            delta = min_ - value_;
            break;
        case ScrollStep::to_max:
            delta = max_ - value_;
            break;
    }
    set_value(clamp(value_ + delta));
}

void HScrollBar::drag(int position) {
    if (!takes_input()) return;
    dragging_ = true;
    const std::int16_t value = clamp(position);
    if (value != value_) {
        value_ = value;
        refresh();
    }
    form_.raise(*this, ControlEvent::scroll);
}

void HScrollBar::release(int position) {
    if (!takes_input()) return;
    const std::int16_t value = clamp(position);
    const bool changed = value != value_;
    if (!changed && !dragging_) return;
    dragging_ = false;
    value_ = value;
    if (changed) refresh();
    form_.raise(*this, ControlEvent::change);
}

TextBox::TextBox(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
                 std::int16_t tab_index, std::u16string text, int max_length)
    : Control(form, ControlKind::text_box, name, index, container, bounds, tab_index),
      text_(std::move(text)),
      max_length_(max_length) {}

void TextBox::set_text(std::u16string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    refresh();
}

std::int16_t TextBox::key_press(std::int16_t code) {
    form_.raise_key_press(*this, code);
    return code;
}

void TextBox::refuse_unwritable() {
    form_.raise_unwritable(*this);
}

void TextBox::user_edit(std::u16string text) {
    text_ = std::move(text);
}

ComboBox::ComboBox(Form1& form, ControlName name, std::int16_t index, Control* container, Bounds bounds,
                   std::int16_t tab_index, std::u16string text)
    : Control(form, ControlKind::combo_box, name, index, container, bounds, tab_index),
      text_(std::move(text)) {}

void ComboBox::add_item(std::u16string entry, std::int16_t position) {
    if (position < 0 || static_cast<std::size_t>(position) > entries_.size()) {
        throw InvalidValueError("list position outside the list");
    }
    entries_.insert(entries_.begin() + position, std::move(entry));
    if (list_index_ >= position) ++list_index_;
    if (last_selected_ >= position) ++last_selected_;
    refresh();
}

void ComboBox::set_list_index(std::int16_t position) {
    if (position < -1 || position >= static_cast<int>(entries_.size())) {
        throw InvalidValueError("list index names no entry");
    }
    typed_ = false;
    if (position == list_index_) return;
    list_index_ = position;
    if (position >= 0) last_selected_ = position;
    text_ = position < 0 ? std::u16string() : entries_[position];
    refresh();
    form_.raise(*this, ControlEvent::click);
}

void ComboBox::choose(std::int16_t position) {
    if (!takes_input()) return;
    if (position == list_index_ && position >= 0) {
        text_ = entries_[position];
        refresh();
        form_.raise(*this, ControlEvent::click);  // choosing the selected entry again still clicks
        return;
    }
    set_list_index(position);
}

void ComboBox::type_text(std::u16string text) {
    if (!takes_input()) return;
    text_ = std::move(text);
    list_index_ = -1;
    typed_ = true;
}

namespace {

// Letter case for the list's entries, which are Latin letters: ASCII and Latin-1 ("FRANÇAIS", "español").
char16_t fold(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 0x20);
    return c;
}

bool same_ignoring_case(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

}  // namespace

void ComboBox::commit_typed() {
    if (!typed_ || !takes_input()) return;
    typed_ = false;
    std::int16_t position = last_selected_;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (same_ignoring_case(text_, entries_[i])) position = static_cast<std::int16_t>(i);
    }
    if (position < 0) {
        // Nothing was ever selected: the typed text stays, as the field had it.
        return;
    }
    set_list_index(position);
}

PictureButton::PictureButton(Form1& form, ControlName name, std::int16_t index, Control* container,
                             Bounds bounds, std::int16_t tab_index, Picture picture, std::u16string tool_tip)
    : Control(form, ControlKind::picture_button, name, index, container, bounds, tab_index),
      picture_(picture),
      tool_tip_(std::move(tool_tip)) {}

void PictureButton::press() {
    if (!takes_input()) return;
    form_.raise(*this, ControlEvent::click);
}

}  // namespace pm
