// One editor per program folder: a second start of the program from a folder whose editor is open brings
// that editor's window to the front and ends without a window of its own; other folders have editors of
// their own.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "robot.h"

namespace robot {
namespace {

using Windows = std::set<HWND>;

// The shown editor windows, whichever program they belong to.
Windows editor_windows() {
    Windows found;
    EnumWindows(
        [](HWND hwnd, LPARAM l) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (IsWindowVisible(hwnd) && std::wstring_view(name) == L"PelmoraSettings")
                reinterpret_cast<Windows*>(l)->insert(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Shown top-level windows of a process, by class, added to `seen`.
void note_windows(DWORD process, std::set<std::wstring>& seen) {
    struct Search {
        DWORD process;
        std::set<std::wstring>* seen;
    } search{process, &seen};
    EnumWindows(
        [](HWND hwnd, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s->process || !IsWindowVisible(hwnd)) return TRUE;
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            s->seen->insert(name);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
}

struct SecondStart {
    bool ended = false;
    DWORD exit_code = 0;
    std::set<std::wstring> windows;  // the classes of the top-level windows it showed
    std::wstring box_text;           // the message of the box it showed, if answer_boxes
};

// Starts the program at `program` from `current_directory` and waits for it to end, watching all the
// while for a window of its own; with `answer_boxes`, a message box it shows is read and answered with
// OK. One that never ends is ended.
SecondStart start_again(const std::wstring& program, const std::wstring& current_directory,
                        bool answer_boxes = false) {
    SecondStart start;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command_line = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        current_directory.c_str(), &startup, &process)) {
        ADD_FAILURE() << "cannot start the program: error " << GetLastError();
        return start;
    }
    start.ended = wait_until([&] {
        note_windows(process.dwProcessId, start.windows);
        HWND box = answer_boxes ? FindWindowW(L"#32770", nullptr) : nullptr;
        DWORD owner = 0;
        if (box) GetWindowThreadProcessId(box, &owner);
        if (owner == process.dwProcessId && IsWindowVisible(box)) {
            wchar_t text[512] = {};
            GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 512);  // the message's ID in every message box
            start.box_text = text;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    });
    if (start.ended) {
        GetExitCodeProcess(process.hProcess, &start.exit_code);
    } else {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return start;
}

std::wstring upper_case(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Two folders, two editors. A second start for either folder, by the path in other letter case and
// from the other folder as the current directory, ends with code 0 without a window and brings that
// folder's editor in front of the other one, restored if it was minimised; both editors stay as they
// were.
TEST(SingleInstance, ASecondStartForTheSameFolderBringsItsEditorForwardAndEnds) {
    ProgramFolder first_folder;
    ProgramFolder second_folder;
    Editor first(first_folder);
    Editor second(second_folder);
    const Windows both{first.window(), second.window()};
    ASSERT_EQ(editor_windows(), both) << "two folders should have an editor each";
    ASSERT_EQ(GetForegroundWindow(), second.window());

    const struct {
        const char* name;
        const Editor& editor;
        std::wstring program;
        const ProgramFolder& current_directory;
        bool minimised;
    } cases[] = {
        {"the first folder, in upper case", first, upper_case(first_folder.program()), second_folder, false},
        {"the second folder", second, second_folder.program(), first_folder, false},
        {"the first folder, its editor minimised", first, first_folder.program(), second_folder, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.minimised) {
            ShowWindow(c.editor.window(), SW_MINIMIZE);
            ASSERT_TRUE(wait_until([&] { return IsIconic(c.editor.window()) != FALSE; }));
        }
        const SecondStart start = start_again(c.program, c.current_directory.path());
        ASSERT_TRUE(start.ended) << "the second start did not end";
        EXPECT_EQ(start.exit_code, 0u);
        EXPECT_TRUE(start.windows.empty())
            << "the second start showed a window of class " << *start.windows.begin();
        EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == c.editor.window(); }))
            << "the open editor did not come to the front";
        EXPECT_FALSE(IsIconic(c.editor.window())) << "the open editor stayed minimised";
        EXPECT_EQ(editor_windows(), both);
        EXPECT_TRUE(first.running());
        EXPECT_TRUE(second.running());
    }
}

// The same folder through a second drive letter is the same folder: the editor comes forward, and no
// second one opens to save over the first one's settings.
TEST(SingleInstance, TheSameFolderThroughAnotherDriveLetterIsTheSameFolder) {
    const ProgramFolder root = ProgramFolder::drive_root();
    Editor first(root);
    ProgramFolder elsewhere;
    Editor other(elsewhere);
    ASSERT_EQ(GetForegroundWindow(), other.window());

    const std::wstring twin = config().twin_drive + L"\\" + root.program().substr(root.path().size());
    const SecondStart start = start_again(twin, elsewhere.path());
    ASSERT_TRUE(start.ended) << "the second start did not end";
    EXPECT_EQ(start.exit_code, 0u);
    EXPECT_TRUE(start.windows.empty())
        << "the second start showed a window of class " << *start.windows.begin();
    EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == first.window(); }))
        << "the open editor did not come to the front";
    EXPECT_EQ(editor_windows(), (Windows{first.window(), other.window()}));
}

// A second start while the first editor still shows its start-up warning, with another window in front,
// brings the warning forward, and the editor goes on as usual once it is answered.
TEST(SingleInstance, ASecondStartDuringTheStartUpWarningBringsTheWarningForward) {
    ProgramFolder folder;
    folder.write_settings(settings_lines({"HIGH_ALARM1=abc"}));
    ProgramFolder elsewhere;
    Editor other(elsewhere);
    bool warned = false;
    Editor first(folder, [&](Editor& e, HWND box) {
        warned = true;
        SetForegroundWindow(other.window());
        ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == other.window(); }));
        const SecondStart start = start_again(folder.program(), elsewhere.path());
        EXPECT_TRUE(start.ended);
        EXPECT_TRUE(start.windows.empty());
        EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == box; }))
            << "the warning stayed behind the other window";
        e.click_window(GetDlgItem(box, IDOK));
    });
    EXPECT_TRUE(warned);
    EXPECT_TRUE(IsWindowVisible(first.window()));
}

// A second start for a folder whose editor is minimised and does not answer (hung) says that the settings
// are already open, and ends once that is answered: it neither waits for the hung editor nor leaves the
// user with nothing but a taskbar button.
TEST(SingleInstance, ASecondStartWhileTheEditorHangsMinimisedSaysSoAndEnds) {
    ProgramFolder folder;
    ProgramFolder elsewhere;
    Editor first(folder);
    ShowWindow(first.window(), SW_MINIMIZE);
    ASSERT_TRUE(wait_until([&] { return IsIconic(first.window()) != FALSE; }));
    HANDLE thread =
        OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(first.window(), nullptr));
    ASSERT_NE(thread, nullptr);
    ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
    const SecondStart start = start_again(folder.program(), elsewhere.path(), true);
    ResumeThread(thread);
    CloseHandle(thread);
    ASSERT_TRUE(start.ended) << "the second start did not end";
    EXPECT_EQ(start.exit_code, 0u);
    EXPECT_EQ(start.box_text, L"These settings are already open in another window of the settings editor.");
    EXPECT_TRUE(first.running());
}

// Once a folder's editor has closed, the next start from that folder opens an editor again, while the
// other folder's editor runs on.
TEST(SingleInstance, AFolderIsFreeAgainOnceItsEditorHasClosed) {
    ProgramFolder first_folder;
    ProgramFolder second_folder;
    std::optional<Editor> first;
    first.emplace(first_folder);
    Editor second(second_folder);
    first.reset();  // closed, answering No to the save prompt
    EXPECT_TRUE(second.running());
    EXPECT_EQ(editor_windows(), Windows{second.window()});

    Editor again(first_folder);
    EXPECT_EQ(editor_windows(), (Windows{again.window(), second.window()}));
}

}  // namespace
}  // namespace robot
