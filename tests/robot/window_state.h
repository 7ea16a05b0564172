// What the editor's window should show: the settings in its controls and the captions in one language.
// Each check names the control that differs.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "robot.h"

namespace robot {

struct Language {
    int index;  // position in the language list
    const wchar_t* name;
    const wchar_t* language;  // Frame(0)
    const wchar_t* high;      // leading text of the high alarm captions
    const wchar_t* low;
    const wchar_t* job;     // Frame(3)
    const wchar_t* sms;     // Frame(4) to Frame(6), followed by " 1" to " 3"
    const wchar_t* enable;  // Frame(7)
};

extern const Language english;
extern const Language german;
extern const Language dutch;

struct Settings {
    std::wstring job;
    std::array<int, 4> enabled;  // check values of channels 1 to 4
    std::array<int, 4> high;
    std::array<int, 4> low;
    std::array<std::wstring, 3> sms;
    int language;
};

// The state before any settings are read.
extern const Settings design_time;
// The example file of the settings format, and the window it describes.
extern const char* const example_file;
extern const Settings example;

// "High pressure alarm (25Pa)".
std::wstring alarm_caption(const wchar_t* text, int value);

// Every setting in its control, and each channel's three frames enabled exactly when it is checked.
void expect_settings(const Editor& editor, const Settings& settings);
// The captions of the six titled frames and of the eight alarm frames in this language, with each alarm
// caption showing its bar's present value; the fixed "CH1" to "CH4" captions.
void expect_captions(const Editor& editor, const Language& language);

// The controls that take the focus, in tab order (frames never do), channel 2's low bar before its high.
std::vector<int> tab_stops();
// Tab walks the stops from Combo1 round to Combo1 again; Shift+Tab walks them back.
void expect_tab_round_trip(Editor& editor, const std::vector<int>& stops);

}  // namespace robot
