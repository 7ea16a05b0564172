// The SMS number boxes take only the characters of a telephone number from the keyboard, and beep once
// for each character they refuse; the job description takes everything, and text pasted into an SMS box
// is not filtered.
#include <gtest/gtest.h>

#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

struct TypingCase {
    int control;
    const wchar_t* typed;
    int backspaces;  // pressed after the typing
    const wchar_t* kept;
    int beeps;  // one for each refused character
};

// Digits, "+", "%", "&", "'", "(" and "." stay; letters, blanks, ")", "-", ",", "*", "/" and accented
// letters are dropped with a beep each, and the characters around them stay. Backspace deletes as
// usual, without a beep.
TEST(KeyFilter, SmsBoxesKeepOnlyNumberCharactersTheJobDescriptionKeepsAll) {
    const TypingCase cases[] = {
        {id::text1(1), L"a1+ (.)-", 0, L"1+(.", 4},
        {id::text1(2), L"%&'\u00e9,*/9Z", 0, L"%&'9", 5},
        {id::text1(3), L"+31 (0)20-555", 2, L"+31(0205", 3},
        {id::text5, L"a1+ (.)-Z\u00e9", 1, L"a1+ (.)-Z", 0},
        // What the settings file cannot hold (code page 1252 has no \u0141 and no \u017a) is refused.
        {id::text5, L"\u0141\u00f3d\u017a", 0, L"a1+ (.)-Z\u00f3d", 2},
    };
    ProgramFolder folder;
    Editor editor(folder);
    BellCount rings(editor);
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(control_name(c.control));
        ASSERT_TRUE(editor.tab_to(c.control));
        editor.type(c.typed);
        for (int i = 0; i < c.backspaces; ++i)
            editor.key(VK_BACK);
        editor.key(VK_TAB);  // handled after every key before it
        EXPECT_TRUE(editor.wait_focus_leaves(c.control));
        EXPECT_EQ(editor.text(c.control), c.kept);
        EXPECT_EQ(rings.arrived(c.beeps), c.beeps) << "beeps";
    }
    EXPECT_EQ(rings.settled(0), 0) << "late beeps";
}

// Ctrl+V typed in an SMS box is a refused character, pastes nothing and beeps; Shift+Insert and the box's
// context menu paste the clipboard's text whole, and Ctrl+V pastes into the job description, all three
// without a beep.
TEST(KeyFilter, PastingIsNotFilteredButCtrlVInAnSmsBoxPastesNothing) {
    ProgramFolder folder;
    Editor editor(folder);
    BellCount rings(editor);
    put_on_clipboard(L"ab-1 2");

    ASSERT_TRUE(editor.tab_to(id::text1(1)));
    editor.chord(VK_CONTROL, 'V');
    editor.type(L"5");
    editor.key(VK_INSERT, true);
    editor.key(VK_TAB);
    EXPECT_TRUE(editor.wait_focus_leaves(id::text1(1)));
    EXPECT_EQ(editor.text(id::text1(1)), L"5ab-1 2");
    EXPECT_EQ(rings.arrived(1), 1) << "beeps";

    editor.right_click(id::text1(2));
    ASSERT_TRUE(wait_until([&] { return editor.shown_window(L"#32768") != nullptr; })) << "no context menu";
    editor.key('P');
    EXPECT_TRUE(wait_until([&] { return editor.text(id::text1(2)) == L"ab-1 2"; }))
        << "Text1(2) holds \"" << editor.text(id::text1(2)) << "\"";

    ASSERT_TRUE(editor.tab_to(id::text5));
    editor.chord(VK_CONTROL, 'V');
    EXPECT_TRUE(wait_until([&] { return editor.text(id::text5) == L"ab-1 2"; }))
        << "Text5 holds \"" << editor.text(id::text5) << "\"";
    EXPECT_EQ(editor.text(id::text1(3)), L"");
    EXPECT_EQ(rings.settled(0), 0) << "beeps after Ctrl+V in Text1(1)";
}

// Whatever route text takes into a box, the settings file's code page decides what stays: Shift+Insert
// (which Wine's edit box pastes on without WM_PASTE) and a text set from outside keep what it can hold,
// with one beep each, and Yes writes no "?" for the rest.
TEST(KeyFilter, ShiftInsertKeepsOutWhatTheFileCannotHold) {
    ProgramFolder folder;
    Editor editor(folder);
    BellCount rings(editor);
    put_on_clipboard(L"\u0141x");
    ASSERT_TRUE(editor.tab_to(id::text5));
    editor.key(VK_INSERT, true);
    EXPECT_TRUE(wait_until([&] { return editor.text(id::text5) == L"x"; }))
        << "Text5 holds \"" << editor.text(id::text5) << "\"";
    EXPECT_EQ(rings.settled(1), 1) << "beeps";
    // As an accessibility client sets a value, through the box's own message.
    editor.send(editor.find(id::text1(3)), WM_SETTEXT, 0,
                reinterpret_cast<LPARAM>(L"\u0141"
                                         L"12"));
    EXPECT_EQ(editor.text(id::text1(3)), L"12");
    EXPECT_EQ(rings.settled(1), 1) << "beeps";

    editor.chord(VK_MENU, VK_F4);
    const HWND prompt = editor.wait_message_box();
    ASSERT_NE(prompt, nullptr);
    editor.click_window(GetDlgItem(prompt, IDYES));
    EXPECT_TRUE(editor.wait_ended());
    const std::string saved = folder.settings().value_or("");
    EXPECT_TRUE(saved.starts_with("JOB=x\r\n")) << saved;
    EXPECT_EQ(saved.find('?'), std::string::npos) << saved;
}

}  // namespace
}  // namespace robot
