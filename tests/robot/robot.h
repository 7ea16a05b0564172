// The window robot: starts the real editor in a program folder of its own and works it as a user would,
// with the mouse and the keyboard (SendInput), reading what it shows through window messages. Runs under
// tools/robot-run, which gives it a screen of its own.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/layout.h"

namespace robot {

// What the harness tells the robot: the program under test, the screen's DPI, where to ask for
// screenshots, a drive letter whose root is an empty folder and, when it knows them, where it counts the
// screen's bells and the ANSI code page it has set Wine up with.
struct Config {
    std::wstring program;      // the editor's .exe, as a Windows path
    std::wstring screenshots;  // a folder the harness watches for screenshot requests
    std::wstring root_drive;   // such as L"P:"
    std::wstring twin_drive;   // a second drive letter for root_drive's folder, such as L"Q:"
    std::wstring bells;        // a file that gains a line each time the screen's bell rings; empty if none
    std::wstring artifacts;    // where the harness leaves the pictures it takes
    UINT code_page = 0;        // 0 when the harness names none
    int dpi = 0;
};
const Config& config();
// Reads the command line's --program=PATH and the harness's environment; false with a message on stderr
// when something is missing.
bool configure(int argc, char** argv);

// Control IDs: 1000 + the control's TabIndex in the program's layout table, found there by name and
// index (0 for a control that is no array member).
int control_id(pm::ControlName name, int index = 0);
// The control's name in the layout table, such as L"low_pressure_scroll(2)", for messages.
std::wstring control_name(int control);

namespace id {
using N = pm::ControlName;
inline const int combo1 = control_id(N::Combo1);
inline const int command1 = control_id(N::Command1);
inline const int command2 = control_id(N::Command2);
inline const int frame0 = control_id(N::Frame, 0);
inline const int frame3 = control_id(N::Frame, 3);  // job description
inline const int frame7 = control_id(N::Frame, 7);  // the channels' check boxes
inline const int text5 = control_id(N::Text5);
inline int text1(int n) {  // SMS numbers 1 to 3
    return control_id(N::Text1, n);
}
inline int sms_frame(int n) {
    return control_id(N::Frame, 3 + n);
}
inline int pressure_channel(int c) {
    return control_id(N::pressure_channel, c);
}
inline int channel_frame(int c) {
    return control_id(N::channel_frame, c);
}
inline int high_frame(int c) {
    return control_id(N::high_pressure_frame, c);
}
inline int high_scroll(int c) {
    return control_id(N::high_pressure_scroll, c);
}
inline int low_frame(int c) {
    return control_id(N::low_pressure_frame, c);
}
inline int low_scroll(int c) {
    return control_id(N::low_pressure_scroll, c);
}
// Every control has an ID from first to last.
inline const int first = 1000;
inline const int last = first + static_cast<int>(pm::layout_table().size()) - 1;
}  // namespace id

// Polls pred every few milliseconds until it holds or timeout_ms have passed; the result says which.
// The timeout only guards against a hang: every wait ends as soon as the awaited state is there.
bool wait_until(const std::function<bool()>& pred, int timeout_ms = 15000);

// How often the screen's bell has rung since the harness started the screen. Wine rings the X bell for
// MessageBeep, but only sends it to the X server with the ringing program's next drawing.
int bells();

// A fresh folder holding a copy of the editor, and optionally SETTINGS.TXT and a DATA folder. Removed
// again when the case ends, read-only files included.
class ProgramFolder {
  public:
    ProgramFolder();
    // A fresh folder whose name ends in this text (blanks, say).
    explicit ProgramFolder(std::wstring_view name_ending);
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
    // SETTINGS.TXT's bytes, nothing when there is no such file.
    std::optional<std::string> settings() const;
    // The names of the entries in the folder, sorted.
    std::vector<std::wstring> entries() const;
    const std::wstring& path() const { return path_; }
    std::wstring program() const;

  private:
    explicit ProgramFolder(std::wstring path, bool owned);
    void empty() const;
    std::wstring path_;
    bool owned_ = true;
};

// Puts this text on the clipboard, for a paste.
void put_on_clipboard(std::wstring_view text);

// SETTINGS.TXT's lines joined with CR LF, each line ended.
std::string settings_lines(std::initializer_list<std::string_view> lines);

// The system's description of an error code (FormatMessage), without the line end it comes with.
std::wstring system_description(DWORD error);

// Screen points of a horizontal scroll bar's parts.
struct ScrollBarPoints {
    POINT left_arrow;
    POINT right_arrow;
    POINT thumb;         // the middle of the thumb at the bar's present value
    POINT track_before;  // the track between the left arrow and the thumb
    POINT track_after;   // the track between the thumb and the right arrow
};

// A message box as the user sees it.
struct MessageBoxView {
    HWND owner = nullptr;  // the window it belongs to
    std::wstring title;
    std::wstring text;         // the message
    std::vector<int> buttons;  // the buttons' IDs (IDOK, IDYES, ...) from left to right
    int default_button = 0;    // the ID of the button drawn as the default one, 0 when none is
    HICON icon = nullptr;      // the icon shown; handles compare only within one program
    bool icon_shown = false;
};

// A program the editor has started that is still running.
struct ChildProcess {
    DWORD id = 0;
    std::wstring name;
    std::wstring command_line;  // empty while the program has not set it up yet
};

// A mouse event at a screen point: every one carries its own position (see robot.cpp).
INPUT mouse_input(DWORD flags, POINT screen_point);

// One running editor and the user in front of it. The constructor starts the program from the folder,
// with a current directory elsewhere, waits for its window and brings it to the front; the destructor
// ends the programs it started, asks it to close and ends it if it does not.
class Editor {
  public:
    // Called when the editor shows a message box before its window: it reads and answers the box.
    using StartUpBox = std::function<void(Editor&, HWND box)>;
    // Without start_up_box, a message box at start-up fails the case.
    explicit Editor(const ProgramFolder& folder, const StartUpBox& start_up_box = {});
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    HWND window() const { return window_; }
    bool running() const;

    // Reading. Each control is looked up once, when first read, as a child of the window or of a frame
    // with its ID: the reads are fast enough for the cases that read the window after every event.
    HWND find(int control) const;
    // WM_GETTEXT: a caption, an edit's or the combo's text (an edit's very long one through the clipboard).
    std::wstring text(int control) const;
    std::wstring title() const;
    int check(int control) const;  // BM_GETCHECK
    int value(int control) const;  // SBM_GETPOS
    bool enabled(int control) const;
    int selection() const;  // Combo1's CB_GETCURSEL
    bool dropped() const;   // Combo1's list is open
    std::wstring list_entry(int index) const;
    int list_count() const;
    // The control that has the keyboard focus (Combo1 for its edit field), 0 when none of them has.
    int focus() const;
    HWND capture() const;      // the window that has captured the mouse, if any
    HWND message_box() const;  // a message box the editor shows, if any
    // A shown top-level window of the editor's of this class (such as "#32768", an open menu), if any.
    HWND shown_window(std::wstring_view class_name) const;
    // Waits, with the common timeout, for a message box; nullptr when none comes.
    HWND wait_message_box() const;
    MessageBoxView read_message_box(HWND box) const;
    // Waits, with the common timeout, for the program to end.
    bool wait_ended() const;
    // The programs the editor has started that are still running (the file browser, the web browser).
    std::vector<std::wstring> children() const;
    std::vector<ChildProcess> child_processes() const;
    void end_children() const;
    // Every control's caption or text, value and enabled state, one line each: equal snapshots mean
    // that nothing the user can see has changed.
    std::map<int, std::wstring> snapshot() const;

    // Acting, as a user: the mouse moves to a point (and presses and releases there), and keys go to the
    // focused control.
    void click(int control);
    void click_at(POINT screen_point);
    void click_window(HWND hwnd);  // the middle of any window, a message box's button say
    void right_click(int control);
    // The middle of a top-level window's close box, found by asking the window what lies where.
    POINT close_box(HWND top_level) const;
    void move_to(POINT screen_point);
    void press();
    void release();
    // Turns the mouse wheel at `screen_point` by `delta` (WHEEL_DELTA a notch, negative towards the user).
    void wheel(POINT screen_point, int delta);
    void key(WORD vk, bool shift = false);
    // A key with a modifier held down, such as Alt+F4 or Ctrl+V.
    void chord(WORD modifier, WORD vk);
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
    // What the screen shows where `hwnd` lies, pixel by pixel, as the harness took it from the X server.
    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<COLORREF> pixels;  // rows from the top
        COLORREF at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    };
    Picture picture(HWND hwnd, const std::wstring& name);

    // SendMessageTimeout; fails the case when the editor does not answer.
    LRESULT send(HWND hwnd, UINT message, WPARAM w = 0, LPARAM l = 0) const;

  private:
    std::wstring window_text(HWND hwnd) const;
    // An edit box's text of `length` characters, through the clipboard.
    std::wstring copied_text(HWND edit, size_t length) const;
    // A top-level window of the editor's of this class, if any.
    HWND top_level(std::wstring_view class_name, bool shown_only) const;
    // The editor's window, or the message box in front of it while one is shown.
    void bring_to_front() const;
    void send_input(INPUT* inputs, UINT count) const;
    // Asks the harness for a picture of a part of the screen, and waits until it is taken.
    void request_picture(const std::wstring& name, const RECT& r);

    mutable std::vector<HWND> controls_;  // by ID from id::first, nullptr until looked up
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    DWORD thread_ = 0;
    POINT pointer_{0, 0};  // where the last move went
    bool button_down_ = false;
};

// The editor takes input events from its queue one by one and answers our messages in between, so that
// a read right after SendInput may come before the input is handled. A window takes WM_PAINT from its
// queue only when no input is left there, so pass() marks one pixel of the window's client area (left
// of every control) for repainting and waits until the window has painted it: the editor has then
// handled every input event sent before. The editor paints its window only on WM_PAINT (it never calls
// UpdateWindow after start-up), so nothing else clears the mark earlier.
class InputBarrier {
  public:
    explicit InputBarrier(const Editor& editor) : window_(editor.window()) {}

    // False when the editor did not get that far within the timeout.
    bool pass(int timeout_ms = 10000) const;

  private:
    HWND window_;
};

// The screen's bells that the editor rings while it handles input, counted from one call to the next.
// Wine sends a beep to the X server only with the ringing program's next drawing, which the barrier
// brings; xkbevd then writes each ring through a shell of its own, so a ring shows a moment later.
class BellCount {
  public:
    explicit BellCount(const Editor& editor) : barrier_(editor), last_(bells()) {}

    // The bells since the last call, as soon as `expected` have come (at most 5 s): fast, and a ring
    // too many that comes late shows in a later call.
    int arrived(int expected);
    // The same, then a pause long enough for a late ring to show too.
    int settled(int expected);

  private:
    InputBarrier barrier_;
    int last_;
};

// Readable differences between two snapshots, empty when they are equal.
std::wstring differences(const std::map<int, std::wstring>& before, const std::map<int, std::wstring>& after);

}  // namespace robot
