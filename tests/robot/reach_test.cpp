// Every user's reach: the bars' Home and End keys, the language field after typing, a window that fits
// a small screen at a large scale, and captions readable in a high-contrast colour scheme.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

// Home and End take a focused bar to 0 and 99 by the same way as any step: channel 2's low alarm
// follows its high one down, and both captions show the values.
TEST(Keyboard, HomeAndEndTakeAFocusedBarToItsEnds) {
    ProgramFolder folder;
    folder.write_settings(example_file);  // channel 2: high 45, low 45
    Editor editor(folder);
    ASSERT_TRUE(editor.tab_to(id::high_scroll(2)));
    editor.key(VK_END);
    ASSERT_TRUE(wait_until([&] { return editor.value(id::high_scroll(2)) == 99; })) << "End did nothing";
    EXPECT_EQ(editor.value(id::low_scroll(2)), 45);
    EXPECT_EQ(editor.text(id::high_frame(2)), alarm_caption(german, row::high_alarm, 99));
    editor.key(VK_HOME);
    ASSERT_TRUE(wait_until([&] { return editor.value(id::high_scroll(2)) == 0; })) << "Home did nothing";
    EXPECT_TRUE(wait_until([&] { return editor.value(id::low_scroll(2)) == 0; })) << "low was not pushed";
    EXPECT_EQ(editor.text(id::low_frame(2)), alarm_caption(german, row::low_alarm, 0));
    EXPECT_EQ(editor.focus(), id::high_scroll(2));
}

// Text that names no entry gives way to the entry chosen last when the field loses the focus; a name
// typed in any letter case and ended with Enter chooses that entry. Both retitle the window.
TEST(LanguageField, ATypoGivesWayToTheLastEntryAndATypedNameChoosesIt) {
    ProgramFolder folder;
    folder.write_settings(example_file);  // German
    Editor editor(folder);
    ASSERT_TRUE(editor.wait_focus(id::combo1));
    editor.key(VK_END);
    editor.key(VK_HOME, true);
    editor.type(L"Deutsh");
    ASSERT_TRUE(wait_until([&] { return editor.text(id::combo1) == L"Deutsh"; }));
    EXPECT_EQ(editor.selection(), -1);
    editor.key(VK_TAB);
    EXPECT_TRUE(wait_until([&] { return editor.selection() == german; })) << "no entry put back";
    EXPECT_EQ(editor.text(id::combo1), language_name(german));
    expect_captions(editor, german);

    ASSERT_TRUE(editor.tab_to(id::combo1));
    editor.key(VK_END);
    editor.key(VK_HOME, true);
    editor.type(L"nederlands");
    editor.key(VK_RETURN);
    EXPECT_TRUE(wait_until([&] { return editor.selection() == dutch; })) << "the typed name chose nothing";
    EXPECT_EQ(editor.text(id::combo1), language_name(dutch));
    expect_captions(editor, dutch);
    EXPECT_EQ(editor.focus(), id::combo1);
}

// The window's title bar lies in the work area on every screen; where the centred window would not fit
// (a small screen at a large scale: the harness's PM_ROBOT_DESKTOP), its top is the work area's top. Where
// it can fit at 96 DPI, it is laid out small enough that all of it, every control too, lies in the work area.
TEST(Placement, TheTitleBarIsAlwaysWithinReach) {
    ProgramFolder folder;
    Editor editor(folder);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    RECT window{};
    ASSERT_TRUE(GetWindowRect(editor.window(), &window));
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    EXPECT_GE(window.top, work.top);
    EXPECT_LT(window.top + GetSystemMetrics(SM_CYCAPTION), work.bottom);
    if (width <= work.right - work.left) {
        EXPECT_GE(window.left, work.left);
        EXPECT_LE(window.right, work.right);
    } else {
        EXPECT_EQ(window.left, work.left);
    }
    if (height > work.bottom - work.top) {
        EXPECT_EQ(window.top, work.top) << "a window taller than the work area starts at its top";
    }
    RECT client{};
    ASSERT_TRUE(GetClientRect(editor.window(), &client));
    if (MulDiv(6855, 96, 1440) + width - client.right <= work.right - work.left &&
        MulDiv(9855, 96, 1440) + height - client.bottom <= work.bottom - work.top) {
        EXPECT_LE(window.bottom, work.bottom);
        for (int control = id::first; control <= id::last; ++control) {
            RECT r{};
            GetWindowRect(editor.find(control), &r);
            EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right &&
                        r.bottom <= work.bottom)
                << control_name(control) << " leaves the work area";
        }
    }
    editor.save_screenshot(L"placement-" + std::to_wstring(work.right - work.left) + L"x" +
                           std::to_wstring(work.bottom - work.top) + L"-" + std::to_wstring(config().dpi) +
                           L"dpi");
}

// Where not even 96 DPI fits (the harness's 1024 x 600 desktop), the client area scrolls, and every control
// that gets the focus by Tab or Shift+Tab is scrolled into view whole first: inside the client area and the
// work area. The wheel and the keyboard scroll it too.
TEST(Placement, EveryControlThatGetsTheFocusLiesInView) {
    ProgramFolder folder;
    Editor editor(folder);
    ASSERT_TRUE(editor.wait_focus(id::combo1));
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    RECT client{};
    ASSERT_TRUE(GetClientRect(editor.window(), &client));
    MapWindowPoints(editor.window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const auto in_view = [&](int control) {
        RECT r{};
        GetWindowRect(editor.find(control), &r);
        return r.left >= std::max(client.left, work.left) && r.top >= std::max(client.top, work.top) &&
               r.right <= std::min(client.right, work.right) &&
               r.bottom <= std::min(client.bottom, work.bottom);
    };
    const std::vector<int> stops = tab_stops();
    for (bool backwards : {false, true}) {
        for (std::size_t i = 1; i <= stops.size(); ++i) {
            const int control = stops[backwards ? stops.size() - i : i % stops.size()];
            editor.key(VK_TAB, backwards);
            ASSERT_TRUE(editor.wait_focus(control)) << control_name(control);
            // The focus moves before the control has dealt with it; the scrolling comes with that.
            ASSERT_TRUE(wait_until([&] { return in_view(control); }, 2000))
                << control_name(control) << (backwards ? " after Shift+Tab" : " after Tab");
        }
    }
    if (GetWindowLongW(editor.window(), GWL_STYLE) & WS_VSCROLL) {
        // The wheel over a check box and Page Down (which the check box has no use for) scroll the controls.
        ASSERT_TRUE(editor.tab_to(id::pressure_channel(1)));
        const auto top = [&] {
            RECT r{};
            GetWindowRect(editor.find(id::text5), &r);
            return r.top;
        };
        const LONG shown = top();
        RECT box{};
        GetWindowRect(editor.find(id::pressure_channel(1)), &box);
        editor.wheel({(box.left + box.right) / 2, (box.top + box.bottom) / 2}, -WHEEL_DELTA);
        EXPECT_TRUE(wait_until([&] { return top() < shown; }, 2000)) << "the wheel does not scroll";
        const LONG wheeled = top();
        editor.key(VK_PRIOR);
        EXPECT_TRUE(wait_until([&] { return top() > wheeled; }, 2000)) << "Page Up does not scroll";
    }
}

// Under a scheme whose window text colour is the button face's own (black on black), the frames'
// captions must still be drawn in the button text colour for that face. The harness sets the scheme
// (PM_ROBOT_COLORS).
TEST(HighContrast, FrameCaptionsAreDrawnInTheFacesTextColour) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    ASSERT_EQ(face, GetSysColor(COLOR_WINDOWTEXT)) << "the harness set no such colour scheme";
    ASSERT_NE(face, text);
    ProgramFolder folder;
    folder.write_settings(example_file);  // channel 3 off: its frames are disabled
    Editor editor(folder);
    for (int control : {id::frame0, id::frame3, id::high_frame(1), id::low_frame(4)}) {
        SCOPED_TRACE(control_name(control));
        const Editor::Picture picture =
            editor.picture(editor.find(control), L"contrast-" + control_name(control));
        ASSERT_GT(picture.width, 0) << "no picture";
        // The caption sits on the frame's top edge; its letters are the text colour, and nothing is drawn
        // in the window text colour there but the face.
        const int caption_rows = std::min(picture.height, 20 * config().dpi / 96);
        int letters = 0;
        for (int y = 0; y < caption_rows; ++y) {
            for (int x = 0; x < picture.width; ++x)
                letters += picture.at(x, y) == text;
        }
        EXPECT_GT(letters, 20) << "the caption is not drawn in the button text colour";
    }
    editor.save_screenshot(L"high-contrast");
}

}  // namespace
}  // namespace robot
