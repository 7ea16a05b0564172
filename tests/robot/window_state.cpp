#include "window_state.h"

#include <gtest/gtest.h>

namespace robot {

const Language english{0,
                       L"English",
                       L"Language",
                       L"High pressure alarm",
                       L"Low pressure alarm",
                       L"Job description",
                       L"SMS Number",
                       L"Enable channel"};
const Language german{2,
                      L"Deutsch",
                      L"Sprache",
                      L"Hochdruck-alarm",
                      L"Niederdruck-alarm",
                      L"Job-beschreibung",
                      L"SMS-Nummer",
                      L"Aktivieren kanal"};
const Language dutch{3,
                     L"Nederlands",
                     L"taal",
                     L"Hoge druk alarm",
                     L"Lage druk alarm",
                     L"Functiebeschrijving",
                     L"SMS nummer",
                     L"Inschakelen kanaal"};

const Settings design_time{L"", {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, {L"", L"", L""}, 0};

const char* const example_file =
    "JOB=Site 4 compressor\r\n"
    "ENABLE_CH1=1\r\nHIGH_ALARM1=60\r\nLOW_ALARM1=20\r\n"
    "ENABLE_CH2=1\r\nHIGH_ALARM2=45\r\nLOW_ALARM2=45\r\n"
    "ENABLE_CH3=0\r\nHIGH_ALARM3=0\r\nLOW_ALARM3=0\r\n"
    "ENABLE_CH4=1\r\nHIGH_ALARM4=99\r\nLOW_ALARM4=5\r\n"
    "GSM1=0123456789\r\nGSM2=\r\nGSM3=+3100000000\r\n"
    "LANGUAGE=2\r\n";
const Settings example{L"Site 4 compressor",
                       {1, 1, 0, 1},
                       {60, 45, 0, 99},
                       {20, 45, 0, 5},
                       {L"0123456789", L"", L"+3100000000"},
                       2};

std::wstring alarm_caption(const wchar_t* text, int value) {
    return std::wstring(text) + L" (" + std::to_wstring(value) + L"Pa)";
}

void expect_settings(const Editor& editor, const Settings& settings) {
    EXPECT_EQ(editor.text(id::text5), settings.job);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(editor.text(id::text1(n)), settings.sms[n - 1]) << "Text1(" << n << ")";
    }
    EXPECT_EQ(editor.selection(), settings.language);
    for (int c = 1; c <= 4; ++c) {
        SCOPED_TRACE("channel " + std::to_string(c));
        const auto i = static_cast<size_t>(c - 1);
        EXPECT_EQ(editor.check(id::pressure_channel(c)), settings.enabled[i]);
        EXPECT_EQ(editor.value(id::high_scroll(c)), settings.high[i]);
        EXPECT_EQ(editor.value(id::low_scroll(c)), settings.low[i]);
        const bool on = settings.enabled[i] != 0;
        EXPECT_EQ(editor.enabled(id::channel_frame(c)), on);
        EXPECT_EQ(editor.enabled(id::high_frame(c)), on);
        EXPECT_EQ(editor.enabled(id::low_frame(c)), on);
        // The bars keep their own enabled state; only their frames are switched.
        EXPECT_TRUE(editor.enabled(id::high_scroll(c)));
        EXPECT_TRUE(editor.enabled(id::low_scroll(c)));
        EXPECT_TRUE(editor.enabled(id::pressure_channel(c)));
    }
}

void expect_captions(const Editor& editor, const Language& language) {
    SCOPED_TRACE(std::string("captions in language ") + std::to_string(language.index));
    EXPECT_EQ(editor.text(id::frame0), language.language);
    EXPECT_EQ(editor.text(id::frame3), language.job);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(editor.text(id::sms_frame(n)), std::wstring(language.sms) + L" " + std::to_wstring(n));
    }
    EXPECT_EQ(editor.text(id::frame7), language.enable);
    for (int c = 1; c <= 4; ++c) {
        const std::wstring ch = L"CH" + std::to_wstring(c);
        EXPECT_EQ(editor.text(id::channel_frame(c)), ch);
        EXPECT_EQ(editor.text(id::pressure_channel(c)), ch);
        EXPECT_EQ(editor.text(id::high_frame(c)),
                  alarm_caption(language.high, editor.value(id::high_scroll(c))));
        EXPECT_EQ(editor.text(id::low_frame(c)),
                  alarm_caption(language.low, editor.value(id::low_scroll(c))));
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
