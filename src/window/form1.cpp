#include "window/form1.h"

#include <algorithm>
#include <string>

#include "window/layout.h"

namespace pm {

namespace {

std::unique_ptr<Control> make_control(Form1& form, const ControlRow& s, Control* container) {
    const auto index = static_cast<std::int16_t>(s.index);
    const auto tab = static_cast<std::int16_t>(s.tab_index);
    // A fresh string for each control to take over, rather than one kept here and copied.
    auto caption = [&s] { return std::u16string{s.caption}; };
    switch (s.kind) {
        case ControlKind::frame:
            return std::make_unique<FrameControl>(form, s.name, index, container, s.bounds, tab, caption());
        case ControlKind::check_box:
            return std::make_unique<CheckBox>(form, s.name, index, container, s.bounds, tab, caption(),
                                              static_cast<std::int16_t>(s.value));
        case ControlKind::scroll_bar:
            return std::make_unique<HScrollBar>(
                form, s.name, index, container, s.bounds, tab, static_cast<std::int16_t>(s.range.min),
                static_cast<std::int16_t>(s.range.max), static_cast<std::int16_t>(s.range.small_change),
                static_cast<std::int16_t>(s.range.large_change), static_cast<std::int16_t>(s.value));
        case ControlKind::text_box:
            return std::make_unique<TextBox>(form, s.name, index, container, s.bounds, tab, caption(),
                                             s.max_length);
        case ControlKind::combo_box:
            return std::make_unique<ComboBox>(form, s.name, index, container, s.bounds, tab, caption());
        case ControlKind::picture_button:
            return std::make_unique<PictureButton>(form, s.name, index, container, s.bounds, tab, s.picture,
                                                   std::u16string{s.tool_tip});
    }
    return nullptr;
}

}  // namespace

Form1::Form1(Form1Events& events, float width, float height)
    : events_(events), width_(width), height_(height) {
    owned_.reserve(layout_table().size());
    all_.reserve(layout_table().size());
    for (const ControlRow& row : layout_table()) {
        Control* container =
            row.container == ControlName::Form1 ? nullptr : find(row.container, row.container_index);
        owned_.push_back(make_control(*this, row, container));
        all_.push_back(owned_.back().get());
        // A name or index outside the lookup table is a fault in the layout table: at() throws.
        by_name_.at(static_cast<std::size_t>(row.name)).at(static_cast<std::size_t>(row.index)) = all_.back();
    }
}

Form1::~Form1() = default;

Control* Form1::find(ControlName name, int index) const {
    const auto row = static_cast<std::size_t>(name);
    if (row >= by_name_.size() || index < 0 || index >= indexes) return nullptr;
    return by_name_[row][static_cast<std::size_t>(index)];
}

template <class T>
T& Form1::member(ControlName name, int index) {
    if (auto* control = dynamic_cast<T*>(find(name, index))) return *control;
    std::string what = "no control ";
    for (char16_t c : to_string(name))
        what.push_back(static_cast<char>(c));
    throw std::out_of_range(what + "(" + std::to_string(index) + ")");
}

FrameControl& Form1::Frame(int index) {
    return member<FrameControl>(ControlName::Frame, index);
}
ComboBox& Form1::Combo1() {
    return member<ComboBox>(ControlName::Combo1, 0);
}
CheckBox& Form1::pressure_channel(int channel) {
    return member<CheckBox>(ControlName::pressure_channel, channel);
}
FrameControl& Form1::channel_frame(int channel) {
    return member<FrameControl>(ControlName::channel_frame, channel);
}
FrameControl& Form1::high_pressure_frame(int channel) {
    return member<FrameControl>(ControlName::high_pressure_frame, channel);
}
HScrollBar& Form1::high_pressure_scroll(int channel) {
    return member<HScrollBar>(ControlName::high_pressure_scroll, channel);
}
FrameControl& Form1::low_pressure_frame(int channel) {
    return member<FrameControl>(ControlName::low_pressure_frame, channel);
}
HScrollBar& Form1::low_pressure_scroll(int channel) {
    return member<HScrollBar>(ControlName::low_pressure_scroll, channel);
}
TextBox& Form1::Text5() {
    return member<TextBox>(ControlName::Text5, 0);
}
TextBox& Form1::Text1(int index) {
    return member<TextBox>(ControlName::Text1, index);
}
PictureButton& Form1::Command1() {
    return member<PictureButton>(ControlName::Command1, 0);
}
PictureButton& Form1::Command2() {
    return member<PictureButton>(ControlName::Command2, 0);
}

std::vector<Control*> Form1::tab_order() const {
    std::vector<Control*> order;
    for (Control* c : all_) {
        if (c->takes_focus()) order.push_back(c);
    }
    std::sort(order.begin(), order.end(),
              [](Control* a, Control* b) { return a->tab_index() < b->tab_index(); });
    return order;
}

void Form1::set_caption(std::u16string caption) {
    caption_ = std::move(caption);
    if (view_ != nullptr) view_->refresh_form();
}

void Form1::set_left(float left) {
    left_ = left;
    if (view_ != nullptr) view_->refresh_form();
}

void Form1::set_top(float top) {
    top_ = top;
    if (view_ != nullptr) view_->refresh_form();
}

bool Form1::request_close(CloseReason reason) {
    if (unloaded_) return true;
    std::int16_t cancel = 0;
    events_.Form_QueryUnload(cancel, static_cast<std::int16_t>(reason));
    return cancel == 0;
}

void Form1::raise(Control& source, ControlEvent event) {
    const std::int16_t i = source.index();
    switch (source.name()) {
        case ControlName::Combo1:
            if (event == ControlEvent::click) events_.Combo1_Click();
            break;
        case ControlName::Command1:
            if (event == ControlEvent::click) events_.Command1_Click();
            break;
        case ControlName::Command2:
            if (event == ControlEvent::click) events_.Command2_Click();
            break;
        case ControlName::pressure_channel:
            if (event == ControlEvent::click) events_.pressure_channel_Click(i);
            break;
        case ControlName::high_pressure_scroll:
            if (event == ControlEvent::change) events_.high_pressure_scroll_Change(i);
            if (event == ControlEvent::scroll) events_.high_pressure_scroll_Scroll(i);
            break;
        case ControlName::low_pressure_scroll:
            if (event == ControlEvent::change) events_.low_pressure_scroll_Change(i);
            if (event == ControlEvent::scroll) events_.low_pressure_scroll_Scroll(i);
            break;
        default:
            break;  // every other event of the window is ignored
    }
}

void Form1::raise_key_press(Control& source, std::int16_t& code) {
    if (source.name() == ControlName::Text1) events_.Text1_KeyPress(source.index(), code);
}

void Form1::raise_unwritable(Control& source) {
    events_.Text_Unwritable(source.name(), source.index());
}

void Form1::refresh(const Control& control) {
    if (view_ != nullptr) view_->refresh(control);
}

}  // namespace pm
