// The two picture buttons: the folder button starts the system's file browser for the DATA folder, or
// for the program folder when there is no visible DATA folder; the web button leaves the window as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

namespace fs = std::filesystem;

// The file browser from the Windows folder, opening this folder; both paths quoted, as either may hold
// blanks.
std::wstring browser_command_line(const std::wstring& folder) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return L"\"" + std::wstring(windows) + L"\\explorer.exe\" \"" + folder + L"\"";
}

// Presses the folder button and returns the command line of the one program that the press started.
std::wstring started_by(Editor& editor, const std::function<void()>& press) {
    editor.end_children();
    press();
    std::vector<ChildProcess> children;
    const bool started = wait_until([&] {
        children = editor.child_processes();
        return !children.empty() && !children[0].command_line.empty();
    });
    if (!started) return L"<nothing started>";
    if (children.size() != 1) return L"<" + std::to_wstring(children.size()) + L" programs started>";
    return children[0].command_line;
}

void set_attributes(const fs::path& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
    constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_EQ(GetFileAttributesW(path.c_str()) & kept, attributes & kept)
        << "the file system does not keep the attributes of " << path;
}

// In a program folder whose name has blanks: a DATA folder is opened, and the program folder is opened
// when there is none, when it is hidden or a system folder, and when DATA is a file. By the mouse, the
// space bar and Enter.
TEST(Buttons, FolderButtonOpensTheDataFolderElseTheProgramFolder) {
    ProgramFolder folder(L" with blanks");
    const fs::path data = fs::path(folder.path()) / "DATA";
    Editor editor(folder);
    const auto window_before = editor.snapshot();
    const std::wstring opens_data = browser_command_line(data.wstring());
    const std::wstring opens_folder = browser_command_line(folder.path());
    auto click = [&] { editor.click(id::command1); };
    auto space = [&] {
        ASSERT_TRUE(editor.tab_to(id::command1));
        editor.key(VK_SPACE);
    };
    auto enter = [&] {
        ASSERT_TRUE(editor.tab_to(id::command1));
        editor.key(VK_RETURN);
    };

    EXPECT_EQ(started_by(editor, click), opens_folder) << "no DATA";
    folder.make_data_folder();
    EXPECT_EQ(started_by(editor, click), opens_data) << "DATA folder";
    EXPECT_EQ(started_by(editor, space), opens_data) << "DATA folder, space bar";
    set_attributes(data, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(started_by(editor, click), opens_folder) << "hidden DATA folder";
    set_attributes(data, FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(started_by(editor, enter), opens_folder) << "system DATA folder";
    set_attributes(data, FILE_ATTRIBUTE_NORMAL);
    fs::remove(data);
    folder.write_settings("");
    fs::rename(fs::path(folder.path()) / "SETTINGS.TXT", data);
    EXPECT_EQ(started_by(editor, click), opens_folder) << "DATA is a file";

    const std::wstring changed = differences(window_before, editor.snapshot());
    EXPECT_TRUE(changed.empty()) << changed;
    EXPECT_EQ(editor.message_box(), nullptr);
}

// At a drive root the DATA folder follows the root's own separator, and the root is opened without one.
TEST(Buttons, FolderButtonAtADriveRoot) {
    ProgramFolder root = ProgramFolder::drive_root();
    Editor editor(root);
    const std::wstring drive = config().root_drive;
    auto click = [&] { editor.click(id::command1); };
    EXPECT_EQ(started_by(editor, click), browser_command_line(drive + L"\\"));
    root.make_data_folder();
    EXPECT_EQ(started_by(editor, click), browser_command_line(drive + L"\\DATA"));
}

// The folder button's tip comes up while the pointer rests on the button, and goes when it leaves.
TEST(Buttons, FolderButtonShowsItsTipUnderThePointer) {
    ProgramFolder folder;
    Editor editor(folder);
    auto middle = [&](int control) {
        RECT r{};
        GetWindowRect(editor.find(control), &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    auto tip_shown = [&] { return editor.shown_window(L"tooltips_class32") != nullptr; };
    editor.move_to(middle(id::frame3));
    editor.move_to(middle(id::command1));
    EXPECT_TRUE(wait_until(tip_shown)) << "no tip over the folder button";
    editor.move_to(middle(id::frame3));
    EXPECT_TRUE(wait_until([&] { return !tip_shown(); })) << "the tip stays after the pointer left";
}

// The web page cannot open here (no web browser): pressed by the mouse and by the keyboard, the button
// leaves the window open and as it was, with no message, and the window goes on taking input.
TEST(Buttons, WebButtonLeavesTheWindowAsItWas) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    const auto window_before = editor.snapshot();

    editor.click(id::command2);
    ASSERT_TRUE(editor.wait_focus(id::command2)) << "a click focuses the button";
    editor.key(VK_SPACE);
    editor.key(VK_TAB);  // handled after both presses
    EXPECT_TRUE(editor.wait_focus(id::high_scroll(1))) << "the focus is on " << control_name(editor.focus());
    EXPECT_TRUE(editor.running());
    EXPECT_TRUE(IsWindowVisible(editor.window()));
    EXPECT_EQ(editor.message_box(), nullptr);
    const std::wstring changed = differences(window_before, editor.snapshot());
    EXPECT_TRUE(changed.empty()) << changed;
}

}  // namespace
}  // namespace robot
