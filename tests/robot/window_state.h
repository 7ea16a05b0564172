// What the editor's window should show: the settings in its controls and the captions in one language.
// The captions come from the program's own language table, so that a text changed there is expected
// here too; what the robot checks is that the window shows the right one of them, in the right place.
// Each check names the control that differs.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "doubles/window_state.h"
#include "example_settings.h"
#include "robot.h"

namespace robot {

// What a save writes: the same type the native tests and the fuzz target read off the control model.
using pm::test::WindowState;

// Positions in the language list.
constexpr int english = 0;
constexpr int french = 1;
constexpr int german = 2;
constexpr int dutch = 3;
constexpr int spanish = 6;

// Rows of the language table. A titled frame's caption is the row of its index: Frame(0), Frame(3) to
// Frame(7).
namespace row {
constexpr int high_alarm = 1;  // the leading text of the high alarm captions
constexpr int low_alarm = 2;
constexpr int prompt_title = 8;  // the save prompt's
constexpr int prompt_question = 9;
}  // namespace row

// The six titled frames, each with its row.
struct TitledFrame {
    int control;
    int row;
};
inline const std::array<TitledFrame, 6> titled_frames = {{{id::frame0, 0},
                                                          {id::frame3, 3},
                                                          {id::sms_frame(1), 4},
                                                          {id::sms_frame(2), 5},
                                                          {id::sms_frame(3), 6},
                                                          {id::frame7, 7}}};

// The program's texts are char16_t, the window's wchar_t: both UTF-16 on Windows.
std::wstring wide(std::u16string_view text);
std::u16string utf16(std::wstring_view text);

// A text of the language table for a language in the list (0 to 6).
const std::wstring& lang_text(int language, int row);
// The language list's entry.
const std::wstring& language_name(int language);
// "High pressure alarm (25Pa)": row::high_alarm or row::low_alarm of the language, with a bar's value.
std::wstring alarm_caption(int language, int row, int value);

// The state before any settings are read.
extern const WindowState design_time;
// The example file of the settings format, and the window it describes.
inline const std::string& example_file = pm::test::example_settings;
extern const WindowState example;

// What the window shows of what a save writes, read control by control.
WindowState state_of(const Editor& editor);

// Every setting in its control, and each channel's three frames enabled exactly when it is checked.
void expect_settings(const Editor& editor, const WindowState& settings);
// The captions of the six titled frames and of the eight alarm frames in this language, with each alarm
// caption showing its bar's present value; the fixed "CH1" to "CH4" captions.
void expect_captions(const Editor& editor, int language);

// The controls that take the focus, in tab order (frames never do), channel 2's low bar before its high.
std::vector<int> tab_stops();
// Tab walks the stops from Combo1 round to Combo1 again; Shift+Tab walks them back.
void expect_tab_round_trip(Editor& editor, const std::vector<int>& stops);

}  // namespace robot
