// Starting the editor: what the window shows with and without a settings file, and where it looks for one.
#include <gtest/gtest.h>

#include "lang/lang_text.h"
#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

std::wstring dpi_suffix() {
    return L"-" + std::to_wstring(config().dpi) + L"dpi";
}

// The language list, the title and the focus are the same whatever the file says.
void expect_common_start(const Editor& editor) {
    EXPECT_EQ(editor.title(), L"Pelmora\u2122 PM (V2.00)");
    ASSERT_EQ(editor.list_count(), pm::language_count);
    for (int i = 0; i < pm::language_count; ++i)
        EXPECT_EQ(editor.list_entry(i), language_name(i)) << "entry " << i;
    EXPECT_TRUE(editor.wait_focus(id::combo1)) << "focus on " << editor.focus();
}

TEST(StartUp, FromTheExampleSettingsFile) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    folder.make_data_folder();
    Editor editor(folder);

    expect_common_start(editor);
    expect_settings(editor, example);
    EXPECT_EQ(editor.text(id::combo1), language_name(german));
    expect_captions(editor, german);
    EXPECT_EQ(editor.text(id::high_frame(1)), alarm_caption(german, row::high_alarm, 60));
    EXPECT_EQ(editor.text(id::low_frame(4)), alarm_caption(german, row::low_alarm, 5));
    editor.save_screenshot(L"german" + dpi_suffix());
}

TEST(StartUp, WithoutSettingsFileShowsTheDesignTimeValuesInEnglish) {
    ProgramFolder folder;
    Editor editor(folder);

    expect_common_start(editor);
    expect_settings(editor, design_time);
    EXPECT_EQ(editor.text(id::combo1), language_name(english));
    expect_captions(editor, english);
    EXPECT_EQ(editor.text(id::high_frame(1)), alarm_caption(english, row::high_alarm, 0));
    EXPECT_EQ(editor.text(id::low_frame(3)), alarm_caption(english, row::low_alarm, 0));
    editor.save_screenshot(L"english" + dpi_suffix());
}

// The program folder is at the root of a drive: the editor reads the file from the root.
TEST(StartUp, FromADriveRoot) {
    ProgramFolder root = ProgramFolder::drive_root();
    root.write_settings(settings_lines({"JOB=at the root", "HIGH_ALARM2=70", "LOW_ALARM2=12", "LANGUAGE=3"}));
    Editor editor(root);

    WindowState expected = design_time;
    expected.job = u"at the root";
    expected.high[1] = 70;
    expected.low[1] = 12;
    expected.language = dutch;
    expect_settings(editor, expected);
    expect_captions(editor, dutch);
}

// Only typing is limited to 64 characters: a longer text from the file is shown whole, also one past the
// edit box's own default limit.
TEST(StartUp, LongJobDescriptionFromTheFileIsShownWhole) {
    for (const std::string& job :
         {std::string("Compressor hall 2, line A: check the filters before every shift change"),
          std::string(1 << 20, 'j')}) {
        ProgramFolder folder;
        folder.write_settings(settings_lines({"JOB=" + job, "GSM1=+31 (0)20 555 0100 ext 12"}));
        Editor editor(folder);
        ASSERT_NE(editor.find(id::text5), nullptr) << job.size() << " characters";
        EXPECT_EQ(editor.text(id::text5), std::wstring(job.begin(), job.end()));
        EXPECT_EQ(editor.text(id::text1(1)), L"+31 (0)20 555 0100 ext 12");
    }
}

}  // namespace
}  // namespace robot
