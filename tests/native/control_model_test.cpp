#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "doubles/test_app.h"
#include "window/form1.h"
#include "window/layout.h"

namespace pm {
namespace {

// Counts every handled event; optional hooks run inside a handler to check nesting.
struct CountingEvents : Form1Events {
    std::vector<std::string> log;
    std::function<void(std::int16_t)> on_high_change;
    int key_presses = 0;
    std::int16_t key_reply = -1;  // -1: leave the code alone

    void Form_QueryUnload(std::int16_t& cancel, std::int16_t) override {
        log.push_back("QueryUnload");
        cancel = cancel_close;
    }
    void Combo1_Click() override { log.push_back("Combo1_Click"); }
    void Command1_Click() override { log.push_back("Command1_Click"); }
    void Command2_Click() override { log.push_back("Command2_Click"); }
    void pressure_channel_Click(std::int16_t i) override { log.push_back("Click" + std::to_string(i)); }
    void high_pressure_scroll_Change(std::int16_t i) override {
        log.push_back("HighChange" + std::to_string(i));
        if (on_high_change) on_high_change(i);
    }
    void high_pressure_scroll_Scroll(std::int16_t i) override {
        log.push_back("HighScroll" + std::to_string(i));
    }
    void low_pressure_scroll_Change(std::int16_t i) override {
        log.push_back("LowChange" + std::to_string(i));
    }
    void low_pressure_scroll_Scroll(std::int16_t i) override {
        log.push_back("LowScroll" + std::to_string(i));
    }
    void Text1_KeyPress(std::int16_t, std::int16_t& code) override {
        ++key_presses;
        if (key_reply >= 0) code = key_reply;
    }
    std::int16_t cancel_close = 0;
};

struct ModelTest : ::testing::Test {
    CountingEvents events;
    Form1 form{events, 6855 + 90, 9855 + 435};
};

TEST(LayoutTable, HoldsEveryControlOnceWithItsContainerAndTabIndex) {
    std::set<int> tabs;
    std::map<ControlKind, int> kinds;
    for (const ControlRow& s : layout_table()) {
        tabs.insert(s.tab_index);
        ++kinds[s.kind];
    }
    EXPECT_EQ(layout_table().size(), 37u);
    EXPECT_EQ(tabs.size(), 37u);
    EXPECT_EQ(*tabs.begin(), 0);
    EXPECT_EQ(*tabs.rbegin(), 36);
    EXPECT_EQ(kinds[ControlKind::frame], 18);
    EXPECT_EQ(kinds[ControlKind::check_box], 4);
    EXPECT_EQ(kinds[ControlKind::scroll_bar], 8);
    EXPECT_EQ(kinds[ControlKind::text_box], 4);
    EXPECT_EQ(kinds[ControlKind::combo_box], 1);
    EXPECT_EQ(kinds[ControlKind::picture_button], 2);
}

TEST_F(ModelTest, EveryControlLiesInsideItsContainerWithRoomToTheEdges) {
    for (Control* c : form.controls()) {
        const Bounds b = c->bounds();
        const int width = c->container() ? c->container()->bounds().width : Form1::client_width;
        const int height = c->container() ? c->container()->bounds().height : Form1::client_height;
        SCOPED_TRACE(std::string(to_string(c->name()).begin(), to_string(c->name()).end()) + "(" +
                     std::to_string(c->index()) + ")");
        EXPECT_LE(b.left + b.width, width - 120);
        EXPECT_LE(b.top + b.height, height - 120);
        if (c->container()) {
            EXPECT_GE(b.top, 240);
        }
    }
}

TEST_F(ModelTest, DesignTimeStateMatchesTheTable) {
    EXPECT_EQ(form.caption(), u"Pelmora PM (V2.00)");
    EXPECT_EQ(form.Frame(0).caption(), u"Language");
    EXPECT_EQ(form.Frame(3).caption(), u"Job Description");
    EXPECT_EQ(form.Frame(7).caption(), u"Enable");
    EXPECT_EQ(form.Combo1().text(), u"English");
    EXPECT_EQ(form.Combo1().list_index(), -1);
    EXPECT_TRUE(form.Combo1().entries().empty());
    EXPECT_EQ(form.Command1().tool_tip(), u"SAVE FILE");
    EXPECT_EQ(form.Command2().tool_tip(), u"");
    EXPECT_EQ(form.Command2().picture(), Picture::globe);
    EXPECT_EQ(form.Command1().picture(), Picture::folder_search);
    EXPECT_EQ(form.Text5().max_length(), 64);
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(form.pressure_channel(c).value(), 1);
        EXPECT_EQ(form.pressure_channel(c).caption(), u"CH" + std::u16string(1, char16_t(u'0' + c)));
        EXPECT_EQ(form.channel_frame(c).caption(), form.pressure_channel(c).caption());
        EXPECT_EQ(form.high_pressure_frame(c).caption(), u"high_pressure_frame");
        EXPECT_EQ(form.low_pressure_frame(c).caption(), u"Frame1");
        for (HScrollBar* bar : {&form.high_pressure_scroll(c), &form.low_pressure_scroll(c)}) {
            EXPECT_EQ(bar->value(), 0);
            EXPECT_EQ(bar->min(), 0);
            EXPECT_EQ(bar->max(), 99);
            EXPECT_EQ(bar->small_change(), 1);
            EXPECT_EQ(bar->large_change(), 10);
        }
        EXPECT_EQ(form.high_pressure_scroll(c).container(), &form.high_pressure_frame(c));
        EXPECT_EQ(form.high_pressure_frame(c).container(), &form.channel_frame(c));
        EXPECT_EQ(form.pressure_channel(c).container(), &form.Frame(7));
    }
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(form.Text1(i).max_length(), 16);
        EXPECT_EQ(form.Text1(i).text(), u"");
        EXPECT_EQ(form.Text1(i).container(), &form.Frame(i + 3));
    }
    EXPECT_EQ(form.Combo1().container(), nullptr);  // a sibling over Frame(0), not inside it
    EXPECT_TRUE(events.log.empty());                // loading raises no control event
}

TEST_F(ModelTest, IndicesThatNameNoControlAreErrors) {
    EXPECT_THROW(form.Frame(1), std::out_of_range);
    EXPECT_THROW(form.Frame(2), std::out_of_range);
    EXPECT_THROW(form.Frame(8), std::out_of_range);
    EXPECT_THROW(form.high_pressure_scroll(0), std::out_of_range);
    EXPECT_THROW(form.pressure_channel(5), std::out_of_range);
    EXPECT_THROW(form.Text1(4), std::out_of_range);
    EXPECT_NO_THROW(form.Frame(6));
}

TEST_F(ModelTest, TabOrderFollowsTabIndexSkippingFrames) {
    std::vector<std::pair<ControlName, int>> expected = {
        {ControlName::Combo1, 0},
        {ControlName::Command1, 0},
        {ControlName::Text5, 0},
        {ControlName::Text1, 1},
        {ControlName::Text1, 2},
        {ControlName::Text1, 3},
        {ControlName::Command2, 0},
        {ControlName::high_pressure_scroll, 1},
        {ControlName::low_pressure_scroll, 1},
        {ControlName::low_pressure_scroll, 2},
        {ControlName::high_pressure_scroll, 2},
        {ControlName::high_pressure_scroll, 3},
        {ControlName::low_pressure_scroll, 3},
        {ControlName::high_pressure_scroll, 4},
        {ControlName::low_pressure_scroll, 4},
        {ControlName::pressure_channel, 1},
        {ControlName::pressure_channel, 2},
        {ControlName::pressure_channel, 3},
        {ControlName::pressure_channel, 4},
    };
    std::vector<std::pair<ControlName, int>> order;
    for (Control* c : form.tab_order())
        order.push_back({c->name(), c->index()});
    EXPECT_EQ(order, expected);

    // A disabled channel's bars leave the order; its check box stays.
    form.channel_frame(2).set_enabled(false);
    order.clear();
    for (Control* c : form.tab_order())
        order.push_back({c->name(), c->index()});
    expected.erase(expected.begin() + 9, expected.begin() + 11);
    EXPECT_EQ(order, expected);
}

TEST_F(ModelTest, AnAssignmentRaisesOneEventThatFinishesBeforeItReturns) {
    std::vector<std::string> seen_inside;
    events.on_high_change = [&](std::int16_t i) {
        // Nested: an assignment inside the handler delivers its own event at once.
        seen_inside.push_back("value=" + std::to_string(form.high_pressure_scroll(i).value()));
        form.low_pressure_scroll(i).set_value(7);
        seen_inside.push_back("after nested, log size " + std::to_string(events.log.size()));
    };
    form.high_pressure_scroll(2).set_value(30);
    EXPECT_EQ(events.log, (std::vector<std::string>{"HighChange2", "LowChange2"}));
    EXPECT_EQ(seen_inside, (std::vector<std::string>{"value=30", "after nested, log size 2"}));
}

TEST_F(ModelTest, TheSameValueRaisesNothing) {
    form.high_pressure_scroll(1).set_value(0);
    form.pressure_channel(1).set_value(1);
    form.Combo1().add_item(u"English", 0);
    form.Combo1().set_list_index(-1);
    EXPECT_TRUE(events.log.empty());

    form.pressure_channel(1).set_value(2);
    form.pressure_channel(1).set_value(2);
    form.Combo1().set_list_index(0);
    form.Combo1().set_list_index(0);
    EXPECT_EQ(events.log, (std::vector<std::string>{"Click1", "Combo1_Click"}));
}

TEST_F(ModelTest, CaptionsTextsAndEnabledRaiseNothing) {
    form.Frame(0).set_caption(u"x");
    form.Text1(1).set_text(u"123");
    form.Text5().set_text(u"job");
    form.channel_frame(1).set_enabled(false);
    form.set_caption(u"title");
    EXPECT_TRUE(events.log.empty());
}

TEST_F(ModelTest, OutOfRangeValuesThrowAndChangeNothing) {
    struct Case {
        const char* what;
        std::function<void()> assign;
    };
    form.high_pressure_scroll(1).set_value(50);
    events.log.clear();
    const Case cases[] = {
        {"bar 100", [&] { form.high_pressure_scroll(1).set_value(100); }},
        {"bar -1", [&] { form.high_pressure_scroll(1).set_value(-1); }},
        {"check 3", [&] { form.pressure_channel(1).set_value(3); }},
        {"check -1", [&] { form.pressure_channel(1).set_value(-1); }},
        {"list 0 of none", [&] { form.Combo1().set_list_index(0); }},
        {"list -2", [&] { form.Combo1().set_list_index(-2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(c.assign(), InvalidValueError);
    }
    EXPECT_EQ(form.high_pressure_scroll(1).value(), 50);
    EXPECT_EQ(form.pressure_channel(1).value(), 1);
    EXPECT_EQ(form.Combo1().list_index(), -1);
    EXPECT_TRUE(events.log.empty());

    form.high_pressure_scroll(1).set_value(99);
    form.high_pressure_scroll(1).set_value(0);
    EXPECT_EQ(events.log.size(), 2u);
}

// MaxLength holds back only typing and pasting, and that is the edit box's own limit (the robot checks
// it): whatever text reaches the model, assigned or edited, is kept whole.
TEST_F(ModelTest, TextIsKeptWholeWhetherAssignedOrEditedAndAnEditRefreshesNothing) {
    test::RecordingView view;
    form.attach_view(&view);
    const std::u16string twenty = u"12345678901234567890";
    form.Text1(1).set_text(twenty);
    EXPECT_EQ(form.Text1(1).text(), twenty);
    form.Text5().set_text(std::u16string(70, u'j'));
    EXPECT_EQ(form.Text5().text().size(), 70u);
    EXPECT_EQ(view.count(ControlName::Text1, 1), 1);

    // An edit comes from the window, which shows it already: nothing goes back, nothing is raised.
    form.Text1(2).user_edit(twenty);
    EXPECT_EQ(form.Text1(2).text(), twenty);
    EXPECT_EQ(view.count(ControlName::Text1, 2), 0);
    EXPECT_TRUE(events.log.empty());
}

// Only the SMS boxes have a key press handler; the box acts on the code the handler leaves.
TEST_F(ModelTest, AKeyPressAnswersWithTheCodeItsHandlerLeaves) {
    const struct {
        const char* name;
        ControlName box;
        std::int16_t reply;  // -1: the handler leaves the code alone
        std::int16_t answer;
        int key_presses;
    } cases[] = {
        {"SMS box, code left alone", ControlName::Text1, -1, 'a', 1},
        {"SMS box, code set to 0", ControlName::Text1, 0, 0, 1},
        {"SMS box, code changed", ControlName::Text1, 'B', 'B', 1},
        {"job description, no handler", ControlName::Text5, 0, 'a', 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        events.key_presses = 0;
        events.key_reply = c.reply;
        TextBox& box = c.box == ControlName::Text1 ? form.Text1(1) : form.Text5();
        EXPECT_EQ(box.key_press('a'), c.answer);
        EXPECT_EQ(events.key_presses, c.key_presses);
    }
}

TEST_F(ModelTest, CheckBoxClicksToggleAndAGreyedBoxBecomesChecked) {
    CheckBox& box = form.pressure_channel(3);
    box.click();
    EXPECT_EQ(box.value(), 0);
    box.click();
    EXPECT_EQ(box.value(), 1);
    box.set_value(2);
    box.click();
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(events.log, (std::vector<std::string>{"Click3", "Click3", "Click3", "Click3"}));
}

TEST_F(ModelTest, ScrollBarStepsClampAndRaiseChange) {
    HScrollBar& bar = form.high_pressure_scroll(1);
    bar.set_value(95);
    events.log.clear();
    bar.step(ScrollStep::page_right);
    EXPECT_EQ(bar.value(), 99);
    bar.step(ScrollStep::page_right);  // already at Max: no change, no event
    bar.step(ScrollStep::line_left);
    EXPECT_EQ(bar.value(), 98);
    bar.step(ScrollStep::page_left);
    EXPECT_EQ(bar.value(), 88);
    bar.set_value(3);
    events.log.clear();
    bar.step(ScrollStep::page_left);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(events.log, (std::vector<std::string>{"HighChange1"}));

    // Home and End: straight to Min and Max, a Change only when the value moves.
    events.log.clear();
    bar.step(ScrollStep::to_min);
    bar.step(ScrollStep::to_max);
    EXPECT_EQ(bar.value(), 99);
    bar.step(ScrollStep::to_max);
    bar.step(ScrollStep::to_min);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(events.log, (std::vector<std::string>{"HighChange1", "HighChange1"}));
}

TEST_F(ModelTest, DraggingRaisesScrollWithTheValueAtTheThumbThenChangeOnRelease) {
    HScrollBar& bar = form.low_pressure_scroll(4);
    std::vector<int> values_seen;
    bar.drag(10);
    values_seen.push_back(bar.value());
    bar.drag(150);  // clamped to Max
    values_seen.push_back(bar.value());
    bar.release(42);
    EXPECT_EQ(values_seen, (std::vector<int>{10, 99}));
    EXPECT_EQ(bar.value(), 42);
    EXPECT_EQ(events.log, (std::vector<std::string>{"LowScroll4", "LowScroll4", "LowChange4"}));
}

TEST_F(ModelTest, ADisabledFrameTakesInputFromEverythingInsideIt) {
    form.channel_frame(2).set_enabled(false);
    HScrollBar& bar = form.high_pressure_scroll(2);
    EXPECT_TRUE(bar.enabled());  // its own Enabled stays
    EXPECT_FALSE(bar.takes_input());
    bar.step(ScrollStep::line_right);
    bar.drag(50);
    bar.release(50);
    EXPECT_EQ(bar.value(), 0);
    form.pressure_channel(2).click();  // lies in Frame(7): still takes clicks
    EXPECT_EQ(events.log, (std::vector<std::string>{"Click2"}));
    form.Frame(3).set_enabled(false);
    EXPECT_FALSE(form.Text5().takes_input());
    EXPECT_FALSE(form.Text5().takes_focus());
}

TEST_F(ModelTest, ComboEntriesInsertAtAPositionAndTypingClearsTheSelection) {
    ComboBox& combo = form.Combo1();
    combo.add_item(u"B", 0);
    combo.add_item(u"A", 0);
    combo.add_item(u"C", 2);
    EXPECT_EQ(combo.entries(), (std::vector<std::u16string>{u"A", u"B", u"C"}));
    EXPECT_THROW(combo.add_item(u"X", 5), InvalidValueError);

    combo.choose(1);
    EXPECT_EQ(combo.text(), u"B");
    combo.choose(1);  // choosing the selected entry again still clicks
    EXPECT_EQ(events.log, (std::vector<std::string>{"Combo1_Click", "Combo1_Click"}));

    combo.type_text(u"Klingon");
    EXPECT_EQ(combo.list_index(), -1);
    EXPECT_EQ(combo.text(), u"Klingon");
    EXPECT_EQ(events.log.size(), 2u);
}

// Typing ends when the field loses the focus or Enter is pressed: text naming an entry, in any letter
// case, selects it; other text puts back the entry selected last; both click. Without typing, nothing.
TEST_F(ModelTest, TypedComboTextIsSettledWhenTheUserIsDone) {
    ComboBox& combo = form.Combo1();
    for (const char16_t* entry : {u"English", u"Français", u"Deutsch"})
        combo.add_item(entry, static_cast<std::int16_t>(combo.entries().size()));
    const struct {
        const char16_t* typed;  // nothing: no typing before the commit
        std::int16_t selected;
        std::u16string text;
        std::size_t clicks;
    } cases[] = {
        {u"deutsch", 2, u"Deutsch", 1},   {u"Deutsc", 2, u"Deutsch", 1}, {u"", 2, u"Deutsch", 1},
        {u"FRANÇAIS", 1, u"Français", 1}, {nullptr, 1, u"Français", 0},
    };
    combo.choose(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? std::string(c.typed, c.typed + std::char_traits<char16_t>::length(c.typed))
                             : "no typing");
        events.log.clear();
        if (c.typed) combo.type_text(c.typed);
        EXPECT_TRUE(events.log.empty());  // typing itself raises nothing
        combo.commit_typed();
        EXPECT_EQ(combo.list_index(), c.selected);
        EXPECT_EQ(combo.text(), c.text);
        EXPECT_EQ(events.log.size(), c.clicks);
    }
    // Settled once: a second commit does nothing, and a list index set by the program is never undone.
    combo.type_text(u"x");
    combo.commit_typed();
    events.log.clear();
    combo.commit_typed();
    combo.set_list_index(-1);
    combo.commit_typed();
    EXPECT_EQ(combo.list_index(), -1);
    EXPECT_EQ(events.log, (std::vector<std::string>{"Combo1_Click"}));
}

TEST_F(ModelTest, PictureButtonsClickAndCloseRequestsCanBeCancelled) {
    form.Command1().press();
    form.Command2().press();
    events.cancel_close = -1;
    EXPECT_FALSE(form.request_close(CloseReason::user));
    EXPECT_FALSE(form.unloaded());
    events.cancel_close = 0;
    EXPECT_TRUE(form.request_close(CloseReason::session_end));
    EXPECT_FALSE(form.unloaded());  // a session end may still be called off: the renderer unloads
    EXPECT_EQ(events.log,
              (std::vector<std::string>{"Command1_Click", "Command2_Click", "QueryUnload", "QueryUnload"}));
}

TEST_F(ModelTest, TheViewHearsOfEveryChange) {
    test::RecordingView view;
    form.attach_view(&view);
    form.high_pressure_scroll(1).set_value(5);
    form.high_pressure_scroll(1).set_value(5);
    form.Text5().set_text(u"x");
    form.channel_frame(4).set_enabled(false);
    form.set_left(10);
    EXPECT_EQ(view.count(ControlName::high_pressure_scroll, 1), 1);
    EXPECT_EQ(view.count(ControlName::Text5, 0), 1);
    EXPECT_EQ(view.count(ControlName::channel_frame, 4), 1);
    EXPECT_EQ(view.form_refreshes, 1);
}

}  // namespace
}  // namespace pm
