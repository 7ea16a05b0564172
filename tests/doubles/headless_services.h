// The services that need a user, for running without one (the tests and the benchmarks): each remembers
// what it was asked to do, and message boxes answer from a script.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/beeper.h"
#include "platform/message_box.h"
#include "platform/portable/fixed_screen.h"
#include "platform/program_start.h"
#include "platform/shell_open.h"
#include "platform/window_show.h"

namespace pm {

class HeadlessShow : public WindowShow {
  public:
    SysError show_modeless(Form1& form) override {
        shown = &form;
        ++count;
        return fails_with;
    }
    void session_end_reason(std::u16string_view reason) override { reasons.emplace_back(reason); }
    Form1* shown = nullptr;
    int count = 0;
    std::vector<std::u16string> reasons;  // every reason given, "" where it was withdrawn
    SysError fails_with = sys_error::ok;  // a window that cannot be created
};

class ScriptedBoxes : public MessageBoxService {
  public:
    struct Shown {
        std::u16string text, title;
        int style;
    };
    // Answers in order; with the script used up, every box is answered Cancel (or OK for OK-only boxes).
    std::deque<int> answers;
    std::vector<Shown> shown;
    // Runs while each box is open, as the messages that reach a window during a modal box do.
    std::function<void()> while_open;

    int show(std::u16string_view text, std::u16string_view title, int style) override {
        shown.push_back({std::u16string{text}, std::u16string{title}, style});
        if (while_open) while_open();
        if (answers.empty()) return (style & 0xF) == box::ok_only ? box::answer_ok : box::answer_cancel;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class CountingBeeper : public Beeper {
  public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class RecordingPrograms : public ProgramStart {
  public:
    std::u16string file_browser() override { return u"C:\\Windows\\explorer.exe"; }
    void start(const std::u16string& program, const std::u16string& command_line) override {
        started.push_back({program, command_line});
    }
    std::vector<std::pair<std::u16string, std::u16string>> started;
};

class RecordingShell : public ShellOpen {
  public:
    void open(std::u16string_view address) override { opened.emplace_back(address); }
    std::vector<std::u16string> opened;
};

// Everything a program meets but its files and its text, with nobody there: a fixed screen and the
// services above. A test or a benchmark adds the file system and the text service it is about.
struct HeadlessUser {
    FixedScreen screen;
    HeadlessShow show;
    ScriptedBoxes boxes;
    CountingBeeper beeper;
    RecordingPrograms programs;
    RecordingShell shell;

    Services services(FileSystem& files, TextServices& text) { return services(files, text, screen, show); }
    // With a screen or a window of the test's own.
    Services services(FileSystem& files, TextServices& text, Screen& on, WindowShow& shows) {
        return {files, text, on, shows, boxes, beeper, programs, shell};
    }
};

}  // namespace pm
