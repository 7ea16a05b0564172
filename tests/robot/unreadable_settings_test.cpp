// A settings file that is there but cannot be read, or holds values that cannot be used: the editor
// warns before its window shows, since a save would replace them with what the window shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "lang/messages.h"
#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

// Another program holds SETTINGS.TXT open and shares it with nobody.
class HeldOpen {
  public:
    explicit HeldOpen(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldOpen() { release(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (held()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE handle_;
};

// With nothing read, the warning is in English and names the sharing violation; the window shows only
// after OK, with its design-time values. Released since, the file is still not replaced without a
// question: No keeps it byte for byte and the window open, Yes replaces it.
TEST(UnreadableSettings, AFileHeldOpenElsewhereIsReportedBeforeTheWindowShows) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    HeldOpen file((std::filesystem::path(folder.path()) / "SETTINGS.TXT").wstring());
    ASSERT_TRUE(file.held());

    bool warned = false;
    Editor editor(folder, [&](Editor& e, HWND box) {
        warned = true;
        EXPECT_FALSE(e.window() && IsWindowVisible(e.window())) << "the window shows behind the warning";
        const MessageBoxView view = e.read_message_box(box);
        EXPECT_EQ(view.title, L"Pelmora\u2122 PM (V2.00)");
        const std::wstring description = system_description(ERROR_SHARING_VIOLATION);
        ASSERT_FALSE(description.empty());
        const std::wstring path = (std::filesystem::path(folder.path()) / "SETTINGS.TXT").wstring();
        EXPECT_EQ(view.text, wide(pm::read_failed_text(english)) + L"\n\n" + path + L"\n" + description);
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        EXPECT_TRUE(view.icon_shown);
        e.key(VK_RETURN);
    });
    EXPECT_TRUE(warned) << "no warning before the window showed";
    expect_settings(editor, design_time);
    expect_captions(editor, english);
    EXPECT_EQ(editor.message_box(), nullptr);

    file.release();
    for (const int answer : {IDNO, IDYES}) {
        editor.chord(VK_MENU, VK_F4);
        const HWND prompt = editor.wait_message_box();
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(editor.read_message_box(prompt).title, lang_text(english, row::prompt_title));
        editor.click_window(GetDlgItem(prompt, IDYES));
        HWND question = nullptr;
        ASSERT_TRUE(wait_until([&] {
            question = editor.message_box();
            return question && question != prompt && IsWindowVisible(question);
        })) << "no question before replacing the file";
        const MessageBoxView view = editor.read_message_box(question);
        EXPECT_EQ(view.text, wide(pm::not_read_text(english, u"SETTINGS.TXT")));
        EXPECT_EQ(view.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(view.default_button, IDNO);
        editor.click_window(GetDlgItem(question, answer));
        if (answer == IDYES) break;
        ASSERT_TRUE(wait_until([&] { return editor.message_box() == nullptr; }));
        EXPECT_TRUE(editor.running());
        EXPECT_EQ(folder.settings(), example_file);
    }
    EXPECT_TRUE(editor.wait_ended());
    EXPECT_EQ(folder.settings(),
              settings_lines({"JOB=", "ENABLE_CH1=1", "HIGH_ALARM1=0", "LOW_ALARM1=0", "ENABLE_CH2=1",
                              "HIGH_ALARM2=0", "LOW_ALARM2=0", "ENABLE_CH3=1", "HIGH_ALARM3=0",
                              "LOW_ALARM3=0", "ENABLE_CH4=1", "HIGH_ALARM4=0", "LOW_ALARM4=0",
                              "GSM1=", "GSM2=", "GSM3=", "LANGUAGE=0"}));
}

// Two values the editor cannot use: the warning, in the file's language, lists their lines as the file
// has them; the window then shows the rest of the file, and the two controls keep their design-time
// values. No leaves the file as it was.
TEST(UnreadableSettings, ValuesThatCannotBeUsedAreListedBeforeTheWindowShows) {
    ProgramFolder folder;
    std::string file = example_file;
    file.replace(file.find("ENABLE_CH3=0"), 12, "ENABLE_CH3=yes");
    file.replace(file.find("HIGH_ALARM3=0"), 13, "HIGH_ALARM3=60 Pa");
    folder.write_settings(file);

    bool warned = false;
    Editor editor(folder, [&](Editor& e, HWND box) {
        warned = true;
        EXPECT_FALSE(e.window() && IsWindowVisible(e.window())) << "the window shows behind the warning";
        const MessageBoxView view = e.read_message_box(box);
        EXPECT_EQ(view.text, wide(pm::values_skipped_text(german)) +
                                 L"\n\nZeile 8: ENABLE_CH3=yes\nZeile 9: HIGH_ALARM3=60 Pa");
        EXPECT_EQ(view.buttons, std::vector<int>{IDOK});
        e.key(VK_RETURN);
    });
    EXPECT_TRUE(warned) << "no warning before the window showed";
    WindowState shown = example;
    shown.enabled[2] = 1;  // the check box's design-time value
    expect_settings(editor, shown);
    expect_captions(editor, german);

    editor.chord(VK_MENU, VK_F4);
    const HWND prompt = editor.wait_message_box();
    ASSERT_NE(prompt, nullptr);
    editor.click_window(GetDlgItem(prompt, IDNO));
    EXPECT_TRUE(editor.wait_ended());
    EXPECT_EQ(folder.settings(), file);
}

// A damaged UTF-16 file with 15 values that cannot be used, 15 lines that are no setting and 15 that the
// code page cannot hold: the warning's four headings and its OK lie inside the work area, on every screen.
TEST(Placement, AWarningWithFourHeadingsLiesInsideTheWorkArea) {
    ProgramFolder folder;
    std::string file = "\xFF\xFE";
    for (int i = 0; i < 15; ++i) {
        for (std::u16string_view line : {u"HIGH_ALARM1=x\r\n", u"FOO=1\r\n", u"JOB=\u041F\r\n"}) {
            for (char16_t unit : line)
                file += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        }
    }
    folder.write_settings(file + "9");  // cut in the middle of a character
    bool warned = false;
    Editor editor(folder, [&](Editor& e, HWND box) {
        warned = true;
        RECT work{};
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
        RECT r{};
        ASSERT_TRUE(GetWindowRect(box, &r));
        EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right &&
                    r.bottom <= work.bottom)
            << r.left << "," << r.top << " to " << r.right << "," << r.bottom;
        e.key(VK_RETURN);
    });
    EXPECT_TRUE(warned);
}

}  // namespace
}  // namespace robot
