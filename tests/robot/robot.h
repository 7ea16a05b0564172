// The window robot: starts the real editor in a program folder of its own and works it as a user would,
// with the mouse and the keyboard (SendInput), reading what it shows through window messages. Runs under
// tools/robot-run, which gives it a screen of its own.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace robot {

// What the harness tells the robot: the program under test, the screen's DPI, where to ask for
// screenshots and a drive letter whose root is an empty folder.
struct Config {
    std::wstring program;      // the editor's .exe, as a Windows path
    std::wstring screenshots;  // a folder the harness watches for screenshot requests
    std::wstring root_drive;   // such as L"P:"
    int dpi = 0;
};
const Config& config();
// Reads the command line's --program=PATH and the harness's environment; false with a message on stderr
// when something is missing.
bool configure(int argc, char** argv);

// Control IDs: 1000 + the control's TabIndex.
namespace id {
constexpr int combo1 = 1000;
constexpr int command1 = 1001;
constexpr int frame0 = 1002;
constexpr int frame3 = 1003;  // job description
constexpr int frame4 = 1004;  // SMS numbers 1 to 3: frame4 + n - 1
constexpr int text5 = 1007;
constexpr int text1(int n) {
    return 1007 + n;
}
constexpr int sms_frame(int n) {
    return 1003 + n;
}
constexpr int command2 = 1011;
constexpr int frame7 = 1032;
constexpr int pressure_channel(int c) {
    return 1032 + c;
}
constexpr int channel_frame(int c) {
    return 1012 + 5 * (c - 1);
}
// In channel 2 the low group comes before the high one.
constexpr int high_frame(int c) {
    return c == 2 ? 1020 : channel_frame(c) + 1;
}
constexpr int high_scroll(int c) {
    return high_frame(c) + 1;
}
constexpr int low_frame(int c) {
    return c == 2 ? 1018 : channel_frame(c) + 3;
}
constexpr int low_scroll(int c) {
    return low_frame(c) + 1;
}
constexpr int first = 1000;
constexpr int last = 1036;
}  // namespace id

// The control's name in the window's design, such as L"low_pressure_scroll(2)", for messages.
std::wstring control_name(int control);

// Polls pred every few milliseconds until it holds or timeout_ms have passed; the result says which.
// The timeout only guards against a hang: every wait ends as soon as the awaited state is there.
bool wait_until(const std::function<bool()>& pred, int timeout_ms = 15000);

// A fresh folder holding a copy of the editor, and optionally SETTINGS.TXT and a DATA folder. Removed
// again when the case ends.
class ProgramFolder {
  public:
    ProgramFolder();
    // The root of the harness's drive (config().root_drive), emptied now and when the case ends.
    static ProgramFolder drive_root();
    ~ProgramFolder();
    ProgramFolder(ProgramFolder&& other) noexcept;
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
    ProgramFolder& operator=(ProgramFolder&&) = delete;

    // SETTINGS.TXT with these bytes exactly (the ANSI code page; lines end in CR LF).
    void write_settings(std::string_view bytes) const;
    void make_data_folder() const;
    const std::wstring& path() const { return path_; }
    std::wstring program() const;

  private:
    explicit ProgramFolder(std::wstring path, bool owned);
    void empty() const;
    std::wstring path_;
    bool owned_ = true;
};

// SETTINGS.TXT's lines joined with CR LF, each line ended.
std::string settings_lines(std::initializer_list<std::string_view> lines);

// Screen points of a horizontal scroll bar's parts.
struct ScrollBarPoints {
    POINT left_arrow;
    POINT right_arrow;
    POINT thumb;         // the middle of the thumb at the bar's present value
    POINT track_before;  // the track between the left arrow and the thumb
    POINT track_after;   // the track between the thumb and the right arrow
};

// One running editor and the user in front of it. The constructor starts the program from the folder,
// with a current directory elsewhere, waits for its window and brings it to the front; the destructor
// asks it to close and ends it if it does not.
class Editor {
  public:
    explicit Editor(const ProgramFolder& folder);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    HWND window() const { return window_; }
    bool running() const;

    // Reading. Each control is looked up afresh: a child of the window or of a frame, by its ID.
    HWND find(int control) const;
    std::wstring text(int control) const;  // WM_GETTEXT: a caption, an edit's or the combo's text
    std::wstring title() const;
    int check(int control) const;  // BM_GETCHECK
    int value(int control) const;  // SBM_GETPOS
    bool enabled(int control) const;
    int selection() const;  // Combo1's CB_GETCURSEL
    std::wstring list_entry(int index) const;
    int list_count() const;
    // The control that has the keyboard focus (Combo1 for its edit field), 0 when none of them has.
    int focus() const;
    HWND capture() const;      // the window that has captured the mouse, if any
    HWND message_box() const;  // a message box the editor shows, if any
    // The programs the editor has started that are still running (the file browser, the web browser).
    std::vector<std::wstring> children() const;
    // Every control's caption or text, value and enabled state, one line each: equal snapshots mean
    // that nothing the user can see has changed.
    std::map<int, std::wstring> snapshot() const;

    // Acting, as a user: the mouse moves to a point (and presses and releases there), and keys go to the
    // focused control.
    void click(int control);
    void click_at(POINT screen_point);
    void move_to(POINT screen_point);
    void press();
    void release();
    void key(WORD vk, bool shift = false);
    void type(std::wstring_view text);
    ScrollBarPoints scroll_bar(int control) const;

    // Waits, with the common timeout, for the focus to reach a control.
    bool wait_focus(int control) const;
    // Waits until the focus has left the control (a key sent after others shows they are handled).
    bool wait_focus_leaves(int control) const;
    // Presses Tab until the control has the focus, at most one round.
    bool tab_to(int control);

    // The window as it looks now, saved by the harness to its artifacts folder as NAME.png.
    void save_screenshot(const std::wstring& name);

  private:
    LRESULT send(HWND hwnd, UINT message, WPARAM w = 0, LPARAM l = 0) const;
    void bring_to_front() const;
    void send_input(INPUT* inputs, UINT count) const;
    INPUT mouse_input(DWORD flags, POINT screen_point) const;

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    DWORD thread_ = 0;
    POINT pointer_{0, 0};  // where the last move went
    bool button_down_ = false;
};

// Readable differences between two snapshots, empty when they are equal.
std::wstring differences(const std::map<int, std::wstring>& before, const std::map<int, std::wstring>& after);

}  // namespace robot
