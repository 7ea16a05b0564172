#include "window_state.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "lang/lang_text.h"

namespace robot {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the window's text is UTF-16, as the program's is");

// The program's table as the window shows it, made once: the monkey reads it after every event.
struct Texts {
    std::array<std::array<std::wstring, pm::LangText::rows>, pm::language_count> cells;
    std::array<std::wstring, pm::language_count> names;
};

const Texts& texts() {
    static const Texts made = [] {
        pm::LangText table;
        table.fill();
        Texts t;
        for (int language = 0; language < pm::language_count; ++language) {
            const auto l = static_cast<size_t>(language);
            for (int row = 0; row < pm::LangText::rows; ++row)
                t.cells[l][static_cast<size_t>(row)] = wide(table(language, row));
            t.names[l] = wide(pm::language_name(language));
        }
        return t;
    }();
    return made;
}

// An index the program would map to English is a mistake in a case, not a language to expect.
size_t checked(int index, int count, const char* what) {
    if (index < 0 || index >= count) throw std::out_of_range(std::string(what) + " " + std::to_string(index));
    return static_cast<size_t>(index);
}

}  // namespace

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string utf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

const std::wstring& lang_text(int language, int row) {
    return texts()
        .cells[checked(language, pm::language_count, "language")][checked(row, pm::LangText::rows, "row")];
}

const std::wstring& language_name(int language) {
    return texts().names[checked(language, pm::language_count, "language")];
}

std::wstring alarm_caption(int language, int row, int value) {
    return lang_text(language, row) + L" (" + std::to_wstring(value) + L"Pa)";
}

const WindowState design_time{u"", {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, {u"", u"", u""}, english};

const WindowState example{u"Site 4 compressor",
                          {1, 1, 0, 1},
                          {60, 45, 0, 99},
                          {20, 45, 0, 5},
                          {u"0123456789", u"", u"+3100000000"},
                          german};

WindowState state_of(const Editor& editor) {
    WindowState s;
    s.job = utf16(editor.text(id::text5));
    for (int c = 1; c <= 4; ++c) {
        const auto i = static_cast<size_t>(c - 1);
        s.enabled[i] = editor.check(id::pressure_channel(c));
        s.high[i] = editor.value(id::high_scroll(c));
        s.low[i] = editor.value(id::low_scroll(c));
    }
    for (int n = 1; n <= 3; ++n)
        s.sms[static_cast<size_t>(n - 1)] = utf16(editor.text(id::text1(n)));
    s.language = editor.selection();
    return s;
}

void expect_settings(const Editor& editor, const WindowState& settings) {
    const WindowState shown = state_of(editor);
    EXPECT_EQ(wide(shown.job), wide(settings.job)) << control_name(id::text5);
    for (int n = 1; n <= 3; ++n) {
        const auto i = static_cast<size_t>(n - 1);
        EXPECT_EQ(wide(shown.sms[i]), wide(settings.sms[i])) << control_name(id::text1(n));
    }
    EXPECT_EQ(shown.language, settings.language) << control_name(id::combo1) << "'s selection";
    for (int c = 1; c <= 4; ++c) {
        const auto i = static_cast<size_t>(c - 1);
        EXPECT_EQ(shown.enabled[i], settings.enabled[i]) << control_name(id::pressure_channel(c));
        EXPECT_EQ(shown.high[i], settings.high[i]) << control_name(id::high_scroll(c));
        EXPECT_EQ(shown.low[i], settings.low[i]) << control_name(id::low_scroll(c));
        const bool on = settings.enabled[i] != 0;
        for (int frame : {id::channel_frame(c), id::high_frame(c), id::low_frame(c)})
            EXPECT_EQ(editor.enabled(frame), on) << control_name(frame) << " enabled";
        // The bars keep their own enabled state; only their frames are switched.
        for (int control : {id::high_scroll(c), id::low_scroll(c), id::pressure_channel(c)})
            EXPECT_TRUE(editor.enabled(control)) << control_name(control) << " disabled";
    }
}

void expect_captions(const Editor& editor, int language) {
    SCOPED_TRACE(L"captions in " + language_name(language));
    for (const TitledFrame& frame : titled_frames)
        EXPECT_EQ(editor.text(frame.control), lang_text(language, frame.row)) << control_name(frame.control);
    for (int c = 1; c <= 4; ++c) {
        const std::wstring ch = L"CH" + std::to_wstring(c);
        EXPECT_EQ(editor.text(id::channel_frame(c)), ch) << control_name(id::channel_frame(c));
        EXPECT_EQ(editor.text(id::pressure_channel(c)), ch) << control_name(id::pressure_channel(c));
        EXPECT_EQ(editor.text(id::high_frame(c)),
                  alarm_caption(language, row::high_alarm, editor.value(id::high_scroll(c))))
            << control_name(id::high_frame(c));
        EXPECT_EQ(editor.text(id::low_frame(c)),
                  alarm_caption(language, row::low_alarm, editor.value(id::low_scroll(c))))
            << control_name(id::low_frame(c));
    }
}
std::vector<int> tab_stops() {
    std::vector<int> stops = {id::combo1,   id::command1, id::text5,   id::text1(1),
                              id::text1(2), id::text1(3), id::command2};
    for (int c = 1; c <= 4; ++c) {
        if (c == 2) {
            stops.insert(stops.end(), {id::low_scroll(c), id::high_scroll(c)});
        } else {
            stops.insert(stops.end(), {id::high_scroll(c), id::low_scroll(c)});
        }
    }
    for (int c = 1; c <= 4; ++c)
        stops.push_back(id::pressure_channel(c));
    return stops;
}

void expect_tab_round_trip(Editor& editor, const std::vector<int>& stops) {
    ASSERT_TRUE(editor.tab_to(id::combo1));
    const auto count = stops.size();
    // Stops at the first wrong step: every later one would be wrong too.
    for (size_t i = 1; i <= count; ++i) {
        editor.key(VK_TAB);
        const int expected = stops[i % count];
        ASSERT_TRUE(editor.wait_focus(expected)) << "Tab " << i << " reached " << control_name(editor.focus())
                                                 << ", expected " << control_name(expected);
    }
    for (size_t i = 1; i <= count; ++i) {
        editor.key(VK_TAB, true);
        const int expected = stops[(count - i) % count];
        ASSERT_TRUE(editor.wait_focus(expected))
            << "Shift+Tab " << i << " reached " << control_name(editor.focus()) << ", expected "
            << control_name(expected);
    }
}

}  // namespace robot
