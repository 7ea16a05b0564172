// The keyboard: the tab order, keys that must press no button, and typing into the text fields.
#include <gtest/gtest.h>

#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

TEST(Keyboard, TabVisitsTheNineteenStopsInOrderAndShiftTabGoesBack) {
    ProgramFolder folder;
    Editor editor(folder);
    ASSERT_TRUE(editor.wait_focus(id::combo1));
    const auto stops = tab_stops();
    ASSERT_EQ(stops.size(), 19u);
    expect_tab_round_trip(editor, stops);
}

// Tab skips the bars of a channel that is switched off; the check box itself stays a stop.
TEST(Keyboard, TabSkipsTheBarsOfADisabledChannel) {
    ProgramFolder folder;
    folder.write_settings(example_file);  // channel 3 is off
    Editor editor(folder);
    auto stops = tab_stops();
    std::erase(stops, id::high_scroll(3));
    std::erase(stops, id::low_scroll(3));
    expect_tab_round_trip(editor, stops);
}

// Neither picture button is a default or cancel button: Enter in the combo or in a text box, and Escape,
// start nothing and change nothing. The Tab after them shows that the editor has handled them; a button
// starts its program before its press returns.
TEST(Keyboard, EnterAndEscapePressNoButton) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    folder.make_data_folder();
    Editor editor(folder);
    ASSERT_TRUE(editor.wait_focus(id::combo1));
    const auto before = editor.snapshot();

    for (int control : {id::combo1, id::text5, id::text1(1)}) {
        SCOPED_TRACE(control_name(control));
        ASSERT_TRUE(editor.tab_to(control));
        editor.key(VK_RETURN);
        editor.key(VK_ESCAPE);
        editor.key(VK_TAB);
        EXPECT_TRUE(editor.wait_focus_leaves(control));
        EXPECT_TRUE(editor.running());
        EXPECT_TRUE(IsWindowVisible(editor.window()));
        EXPECT_EQ(editor.children(), std::vector<std::wstring>{}) << "a button was pressed";
        const std::wstring changed = differences(before, editor.snapshot());
        EXPECT_TRUE(changed.empty()) << changed;
    }
}

struct TypingCase {
    int control;
    const wchar_t* typed;
    const wchar_t* kept;
};

// The SMS boxes take 16 typed characters, the job description 64; the rest is refused.
TEST(Keyboard, TypingStopsAtTheLengthLimits) {
    const TypingCase cases[] = {
        {id::text1(1), L"12345678901234567890", L"1234567890123456"},
        {id::text1(3), L"+44(20.7946&'%123456", L"+44(20.7946&'%12"},
        {id::text5, L"Site 4 compressor, hall B. Filters weekly, valves every 3 months; oil",
         L"Site 4 compressor, hall B. Filters weekly, valves every 3 months"},
    };
    ProgramFolder folder;
    Editor editor(folder);
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(control_name(c.control));
        ASSERT_TRUE(editor.tab_to(c.control));
        editor.type(c.typed);
        editor.key(VK_TAB);  // handled after every typed key
        EXPECT_TRUE(editor.wait_focus_leaves(c.control));
        EXPECT_EQ(editor.text(c.control), c.kept);
    }
}

struct PastingCase {
    int control;
    const wchar_t* typed;  // before the paste
    const wchar_t* pasted;
    const wchar_t* kept;
};

// Pasting stops at the same limits, counting what the box holds already; a save then writes what the
// boxes show. Shift+Insert pastes into the SMS boxes, where Ctrl+V is a refused key.
TEST(Keyboard, PastingStopsAtTheLengthLimits) {
    const PastingCase cases[] = {
        {id::text1(1), L"", L"12345678901234567890", L"1234567890123456"},
        {id::text1(2), L"+31", L"12345678901234567890", L"+311234567890123"},
        {id::text5, L"", L"Line 3 blower, room 12: replace the belts and grease the bearings now!",
         L"Line 3 blower, room 12: replace the belts and grease the bearing"},
    };
    ProgramFolder folder;
    Editor editor(folder);
    for (const PastingCase& c : cases) {
        SCOPED_TRACE(control_name(c.control));
        put_on_clipboard(c.pasted);
        ASSERT_TRUE(editor.tab_to(c.control));
        editor.type(c.typed);
        if (c.control == id::text5) {
            editor.chord(VK_CONTROL, 'V');
        } else {
            editor.key(VK_INSERT, true);
        }
        editor.key(VK_TAB);  // handled after the paste
        EXPECT_TRUE(editor.wait_focus_leaves(c.control));
        EXPECT_EQ(editor.text(c.control), c.kept);
    }

    editor.chord(VK_MENU, VK_F4);
    const HWND box = editor.wait_message_box();
    ASSERT_NE(box, nullptr) << "no save prompt after Alt+F4";
    editor.key(VK_RETURN);
    ASSERT_TRUE(editor.wait_ended());
    EXPECT_EQ(folder.settings(),
              settings_lines({"JOB=Line 3 blower, room 12: replace the belts and grease the bearing",
                              "ENABLE_CH1=1", "HIGH_ALARM1=0", "LOW_ALARM1=0", "ENABLE_CH2=1",
                              "HIGH_ALARM2=0", "LOW_ALARM2=0", "ENABLE_CH3=1", "HIGH_ALARM3=0",
                              "LOW_ALARM3=0", "ENABLE_CH4=1", "HIGH_ALARM4=0", "LOW_ALARM4=0",
                              "GSM1=1234567890123456", "GSM2=+311234567890123", "GSM3=", "LANGUAGE=0"}));
}

// Text typed into the language field selects no entry and retitles nothing.
TEST(Keyboard, TypingIntoTheLanguageFieldLeavesNoSelectionAndTheCaptions) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    ASSERT_TRUE(editor.wait_focus(id::combo1));
    auto expected = editor.snapshot();

    editor.key(VK_END);
    editor.key(VK_HOME, true);
    editor.type(L"Klingon");
    EXPECT_TRUE(wait_until([&] { return editor.text(id::combo1) == L"Klingon"; }))
        << "the field shows \"" << editor.text(id::combo1) << "\"";
    EXPECT_EQ(editor.selection(), -1);
    expected[id::combo1] = L"Combo1: \"Klingon\" selection -1 enabled";
    const std::wstring changed = differences(expected, editor.snapshot());
    EXPECT_TRUE(changed.empty()) << changed;
    expect_captions(editor, german);
}

}  // namespace
}  // namespace robot
