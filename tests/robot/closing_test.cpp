// Closing the window: every kind of close request asks whether to save, in the language selected at that
// moment. Cancel keeps the window and the file, No ends the program without writing, Yes writes what the
// window shows; a save that fails says why and keeps the window open.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "lang/messages.h"
#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

// The save prompt's title and question in a language.
struct Prompt {
    std::wstring title;
    std::wstring question;
};
Prompt prompt_in(int language) {
    return {lang_text(language, row::prompt_title), lang_text(language, row::prompt_question)};
}
const Prompt english_prompt = prompt_in(english);
const Prompt french_prompt = prompt_in(french);
const Prompt german_prompt = prompt_in(german);

::testing::AssertionResult box_failure(const MessageBoxView& box) {
    return ::testing::AssertionFailure() << "the box \"" << box.title << "\" saying \"" << box.text << "\" ";
}

// The save prompt: a box of the editor's window with the language's title and question, the buttons
// Yes, No and Cancel with Yes the default, and an icon.
::testing::AssertionResult is_save_prompt(const Editor& editor, const MessageBoxView& box,
                                          const Prompt& prompt) {
    if (box.owner != editor.window()) return box_failure(box) << "does not belong to the editor's window";
    if (box.title != prompt.title || box.text != prompt.question) {
        return box_failure(box) << "is not \"" << prompt.title << "\" saying \"" << prompt.question << "\"";
    }
    if (box.buttons != std::vector<int>{IDYES, IDNO, IDCANCEL})
        return box_failure(box) << "is not Yes/No/Cancel";
    if (box.default_button != IDYES) return box_failure(box) << "has default button " << box.default_button;
    if (!box.icon_shown) return box_failure(box) << "shows no icon";
    return ::testing::AssertionSuccess();
}

// The names the program folder should hold: the program's and these, sorted.
std::vector<std::wstring> program_and(const ProgramFolder& folder, std::vector<std::wstring> names) {
    names.push_back(std::filesystem::path(folder.program()).filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

// Waits for the prompt that a close request brings; nullptr when none comes.
HWND prompt_after(const Editor& editor, const char* request) {
    const HWND box = editor.wait_message_box();
    EXPECT_NE(box, nullptr) << "no prompt after " << request;
    return box;
}

// The answer Windows gets when it asks the window whether the session may end.
int session_answers = 0;
bool session_may_end = false;
void CALLBACK take_session_answer(HWND, UINT, ULONG_PTR, LRESULT result) {
    ++session_answers;
    session_may_end = result != FALSE;
}

// The user's session ends: Windows asks the window and gets the answer once the window has given it.
class SessionEnd {
  public:
    explicit SessionEnd(HWND window) : answers_before_(session_answers) {
        SendMessageCallbackW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, take_session_answer, 0);
    }
    // The window's answer, true when the session may end; nothing when it has not answered.
    std::optional<bool> answer() const {
        const bool answered = wait_until([&] {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // delivers the answer
            return session_answers > answers_before_;
        });
        return answered ? std::optional<bool>(session_may_end) : std::nullopt;
    }

  private:
    int answers_before_;
};

struct CloseRequest {
    const char* name;
    std::function<void(Editor&)> ask;
};

const CloseRequest alt_f4{"Alt+F4", [](Editor& e) { e.chord(VK_MENU, VK_F4); }};
const CloseRequest close_box{"the close box", [](Editor& e) { e.click_at(e.close_box(e.window())); }};
const CloseRequest system_menu{"Close in the system menu", [](Editor& e) {
                                   e.chord(VK_MENU, VK_SPACE);
                                   ASSERT_TRUE(wait_until([&] { return e.shown_window(L"#32768"); }))
                                       << "no system menu";
                                   e.key('C');
                               }};
const CloseRequest another_program{"WM_CLOSE from another program",
                                   [](Editor& e) { PostMessageW(e.window(), WM_CLOSE, 0, 0); }};

// Alt+F4 asks in the language selected when the window is closed: English at first, French just after
// choosing it. Text typed into the language field selects no entry while it is typed; a close request
// settles it first (text that names no entry puts French back), so the prompt speaks the language the
// field shows and Yes would record. Escape answers Cancel.
TEST(Closing, ThePromptSpeaksTheLanguageSelectedAtThatMoment) {
    ProgramFolder folder;
    Editor editor(folder);
    ASSERT_TRUE(editor.wait_focus(id::combo1));
    auto ask = [&](const Prompt& prompt) {
        editor.chord(VK_MENU, VK_F4);
        const HWND box = prompt_after(editor, "Alt+F4");
        if (!box) return;
        EXPECT_TRUE(is_save_prompt(editor, editor.read_message_box(box), prompt));
        editor.key(VK_ESCAPE);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(box); })) << "Escape left the prompt";
    };

    ask(english_prompt);
    editor.key(VK_DOWN);
    ASSERT_TRUE(wait_until([&] { return editor.text(id::frame0) == lang_text(french, 0); }))
        << "French was not chosen";
    ask(french_prompt);
    editor.key(VK_END);
    editor.key(VK_HOME, true);
    editor.type(L"x");
    ASSERT_TRUE(wait_until([&] { return editor.text(id::combo1) == L"x"; }));
    EXPECT_EQ(editor.selection(), -1) << "the list still marks the entry chosen before typing";
    ask(french_prompt);
    EXPECT_EQ(editor.selection(), french) << "the typed text did not give way to the entry chosen last";
    EXPECT_EQ(editor.text(id::combo1), language_name(french));
    EXPECT_TRUE(editor.running());
    EXPECT_EQ(folder.settings(), std::nullopt) << "Cancel wrote the file";
}

// Whatever asks the window to close, and however the prompt is cancelled (Escape, its Cancel button, its
// own close box), the window stays as it was and the file is left alone; the session is not let end.
TEST(Closing, CancelKeepsTheWindowAndTheFileForEveryCloseRequest) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    ASSERT_TRUE(editor.tab_to(id::high_scroll(1)));
    editor.key(VK_RIGHT);
    ASSERT_TRUE(wait_until([&] { return editor.value(id::high_scroll(1)) == 61; }));
    const auto window_before = editor.snapshot();
    const auto entries_before = folder.entries();

    using Cancel = std::function<void(Editor&, HWND)>;
    const Cancel escape = [](Editor& e, HWND) { e.key(VK_ESCAPE); };
    const Cancel cancel_button = [](Editor& e, HWND box) { e.click_window(GetDlgItem(box, IDCANCEL)); };
    const Cancel box_close_box = [](Editor& e, HWND box) { e.click_at(e.close_box(box)); };
    const struct {
        const CloseRequest& request;
        Cancel cancel;
    } cases[] = {{alt_f4, escape},
                 {close_box, cancel_button},
                 {system_menu, box_close_box},
                 {another_program, escape}};
    auto expect_unchanged = [&] {
        EXPECT_TRUE(editor.running());
        EXPECT_TRUE(IsWindowVisible(editor.window()));
        const std::wstring changed = differences(window_before, editor.snapshot());
        EXPECT_TRUE(changed.empty()) << changed;
        EXPECT_EQ(folder.settings(), example_file);
        EXPECT_EQ(folder.entries(), entries_before);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.name);
        c.request.ask(editor);
        const HWND box = prompt_after(editor, c.request.name);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(is_save_prompt(editor, editor.read_message_box(box), german_prompt));
        c.cancel(editor, box);
        ASSERT_TRUE(wait_until([&] { return !IsWindow(box); })) << "the prompt stayed";
        expect_unchanged();
    }

    SCOPED_TRACE("the session ends");
    const SessionEnd session_end(editor.window());
    const HWND box = prompt_after(editor, "the end of the session");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(is_save_prompt(editor, editor.read_message_box(box), german_prompt));
    editor.click_window(GetDlgItem(box, IDCANCEL));
    EXPECT_EQ(session_end.answer(), false);
    expect_unchanged();
}

// No ends the program and leaves the file as it was, or absent; the session may then end.
TEST(Closing, NoEndsTheProgramWithoutWriting) {
    {
        SCOPED_TRACE("no file, the close box");
        ProgramFolder folder;
        Editor editor(folder);
        ASSERT_TRUE(editor.wait_focus(id::combo1));
        editor.key(VK_END);
        editor.type(L"x");  // into the language field: a save would write LANGUAGE=-1
        ASSERT_TRUE(wait_until([&] { return editor.text(id::combo1) == language_name(english) + L"x"; }));
        close_box.ask(editor);
        const HWND box = prompt_after(editor, close_box.name);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(is_save_prompt(editor, editor.read_message_box(box), english_prompt));
        editor.click_window(GetDlgItem(box, IDNO));
        EXPECT_TRUE(editor.wait_ended());
        EXPECT_EQ(folder.settings(), std::nullopt);
        EXPECT_EQ(folder.entries(), program_and(folder, {}));
    }
    {
        SCOPED_TRACE("the example file, the end of the session");
        ProgramFolder folder;
        folder.write_settings(example_file);
        Editor editor(folder);
        ASSERT_TRUE(editor.tab_to(id::text1(2)));
        editor.type(L"112");
        ASSERT_TRUE(wait_until([&] { return editor.text(id::text1(2)) == L"112"; }));
        const SessionEnd session_end(editor.window());
        const HWND box = prompt_after(editor, "the end of the session");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(is_save_prompt(editor, editor.read_message_box(box), german_prompt));
        editor.key('N');
        EXPECT_EQ(session_end.answer(), true);
        // Agreeing is not yet ending: another program may still call the ending off.
        EXPECT_TRUE(editor.running());
        // The system then tells every window that agreed that the session does end.
        SendMessageTimeoutW(editor.window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        EXPECT_TRUE(editor.wait_ended());
        EXPECT_EQ(folder.settings(), example_file);
    }
}

// Yes writes the seventeen lines of what the window shows, creating the file or replacing it, and leaves
// nothing else in the folder. Enter answers Yes, the default.
TEST(Closing, YesWritesWhatTheWindowShows) {
    {
        SCOPED_TRACE("no file, one threshold raised, the Yes button");
        ProgramFolder folder;
        Editor editor(folder);
        ASSERT_TRUE(editor.tab_to(id::high_scroll(3)));
        editor.key(VK_NEXT);
        ASSERT_TRUE(wait_until([&] { return editor.value(id::high_scroll(3)) == 10; }));
        system_menu.ask(editor);
        const HWND box = prompt_after(editor, system_menu.name);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(is_save_prompt(editor, editor.read_message_box(box), english_prompt));
        editor.click_window(GetDlgItem(box, IDYES));
        EXPECT_TRUE(editor.wait_ended());
        EXPECT_EQ(folder.settings(),
                  settings_lines({"JOB=", "ENABLE_CH1=1", "HIGH_ALARM1=0", "LOW_ALARM1=0", "ENABLE_CH2=1",
                                  "HIGH_ALARM2=0", "LOW_ALARM2=0", "ENABLE_CH3=1", "HIGH_ALARM3=10",
                                  "LOW_ALARM3=0", "ENABLE_CH4=1", "HIGH_ALARM4=0", "LOW_ALARM4=0",
                                  "GSM1=", "GSM2=", "GSM3=", "LANGUAGE=0"}));
        EXPECT_EQ(folder.entries(), program_and(folder, {L"SETTINGS.TXT"}));
    }
    {
        SCOPED_TRACE("the example file, a threshold and an SMS number changed, Enter");
        ProgramFolder folder;
        folder.write_settings(example_file);
        Editor editor(folder);
        ASSERT_TRUE(editor.tab_to(id::low_scroll(4)));
        editor.key(VK_NEXT);
        ASSERT_TRUE(editor.tab_to(id::text1(2)));
        editor.type(L"112");
        ASSERT_TRUE(wait_until(
            [&] { return editor.value(id::low_scroll(4)) == 15 && editor.text(id::text1(2)) == L"112"; }));
        alt_f4.ask(editor);
        const HWND box = prompt_after(editor, alt_f4.name);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(is_save_prompt(editor, editor.read_message_box(box), german_prompt));
        editor.key(VK_RETURN);
        EXPECT_TRUE(editor.wait_ended());
        std::string saved = example_file;  // with the two changes, in their places
        saved.replace(saved.find("LOW_ALARM4=5\r"), 12, "LOW_ALARM4=15");
        saved.replace(saved.find("GSM2=\r"), 5, "GSM2=112");
        EXPECT_EQ(folder.settings(), saved);
        EXPECT_EQ(folder.entries(), program_and(folder, {L"SETTINGS.TXT"}));
    }
}

// Another program writes SETTINGS.TXT while the window is open: Yes asks, in the window's language, before
// replacing it, No being the default; No keeps that program's bytes and the window.
TEST(Closing, YesAsksBeforeReplacingWhatAnotherProgramWrote) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    const std::string theirs = settings_lines({"JOB=written elsewhere", "HIGH_ALARM1=10", "GSM1=999"});
    folder.write_settings(theirs);
    alt_f4.ask(editor);
    const HWND prompt = prompt_after(editor, alt_f4.name);
    ASSERT_NE(prompt, nullptr);
    editor.click_window(GetDlgItem(prompt, IDYES));
    HWND question = nullptr;
    ASSERT_TRUE(wait_until([&] {
        question = editor.message_box();
        return question && question != prompt && IsWindowVisible(question);
    }));
    const MessageBoxView view = editor.read_message_box(question);
    EXPECT_EQ(view.text,
              L"SETTINGS.TXT wurde nach dem Einlesen von einem anderen Programm ge\u00e4ndert. Durch "
              L"die hier angezeigten Einstellungen ersetzen?");
    EXPECT_EQ(view.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(view.default_button, IDNO);
    editor.click_window(GetDlgItem(question, IDNO));
    ASSERT_TRUE(wait_until([&] { return editor.message_box() == nullptr; }));
    EXPECT_TRUE(editor.running());
    EXPECT_EQ(folder.settings(), theirs);
}

// The session's end while the user is answering the prompt: no second box over the first, and the end is
// refused; the prompt then answers as usual.
TEST(Closing, TheSessionsEndWhileThePromptIsOpenAsksNothingMoreAndIsRefused) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    alt_f4.ask(editor);
    const HWND prompt = prompt_after(editor, alt_f4.name);
    ASSERT_NE(prompt, nullptr);
    const SessionEnd session_end(editor.window());
    EXPECT_EQ(session_end.answer(), false);
    // No other box of the dialog class ("#32770") is shown: the robot shows none of its own.
    HWND other = nullptr;
    while ((other = FindWindowExW(nullptr, other, L"#32770", nullptr)) &&
           (other == prompt || !IsWindowVisible(other))) {
    }
    EXPECT_EQ(other, nullptr) << "a second box over the prompt";
    editor.click_window(GetDlgItem(prompt, IDNO));
    EXPECT_TRUE(editor.wait_ended());
    EXPECT_EQ(folder.settings(), example_file);
}

// A read-only settings file cannot be replaced: after Yes an error box, in the file's language, says so,
// which file and why, and the window stays open with the file byte for byte as it was. No then ends the
// program.
TEST(Closing, AFailedSaveSaysWhyAndKeepsTheWindowOpen) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    const std::wstring settings_path = (std::filesystem::path(folder.path()) / "SETTINGS.TXT").wstring();
    ASSERT_TRUE(SetFileAttributesW(settings_path.c_str(), FILE_ATTRIBUTE_READONLY));
    Editor editor(folder);
    ASSERT_TRUE(editor.tab_to(id::low_scroll(4)));
    editor.key(VK_NEXT);
    ASSERT_TRUE(wait_until([&] { return editor.value(id::low_scroll(4)) == 15; }));
    const auto window_before = editor.snapshot();
    const auto entries_before = folder.entries();

    alt_f4.ask(editor);
    const HWND prompt = prompt_after(editor, alt_f4.name);
    ASSERT_NE(prompt, nullptr);
    const MessageBoxView question = editor.read_message_box(prompt);
    EXPECT_TRUE(is_save_prompt(editor, question, german_prompt));
    editor.key(VK_RETURN);

    HWND error = nullptr;
    ASSERT_TRUE(wait_until([&] {
        error = editor.message_box();
        return error && error != prompt && IsWindow(error);
    })) << "no error box after Yes";
    const MessageBoxView box = editor.read_message_box(error);
    EXPECT_EQ(box.owner, editor.window());
    EXPECT_EQ(box.title, german_prompt.title);
    const std::wstring description = system_description(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(description.empty());
    // The language's text, the file that could not be replaced, the system's reason.
    EXPECT_EQ(box.text, wide(pm::save_failed_text(german)) + L"\n\n" + settings_path + L"\n" + description);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(box.icon_shown);
    EXPECT_NE(box.icon, question.icon) << "the error box shows the prompt's icon";
    editor.key(VK_RETURN);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(error); })) << "OK left the error box";

    // The window answers after the close request has been handled: it is still there, unchanged.
    const std::wstring changed = differences(window_before, editor.snapshot());
    EXPECT_TRUE(changed.empty()) << changed;
    EXPECT_TRUE(editor.running());
    EXPECT_TRUE(IsWindowVisible(editor.window()));
    EXPECT_EQ(folder.settings(), example_file);
    EXPECT_EQ(folder.entries(), entries_before);

    close_box.ask(editor);
    const HWND again = prompt_after(editor, close_box.name);
    ASSERT_NE(again, nullptr);
    const MessageBoxView second = editor.read_message_box(again);
    EXPECT_TRUE(is_save_prompt(editor, second, german_prompt));
    EXPECT_EQ(second.icon, question.icon);
    editor.click_window(GetDlgItem(again, IDNO));
    EXPECT_TRUE(editor.wait_ended());
    EXPECT_EQ(folder.settings(), example_file);
    EXPECT_EQ(folder.entries(), entries_before);
    EXPECT_EQ(GetFileAttributesW(settings_path.c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

}  // namespace
}  // namespace robot
