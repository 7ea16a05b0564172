// Random window states, and a machine that stops in the middle of a save.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "doubles/test_app.h"
#include "doubles/window_state.h"
#include "settings/settings_file.h"

namespace pm {
namespace {

using test::state_of;
using test::WindowState;

// A text from the ANSI code page, without the line ends and the NUL that no box can hold, often holding
// "=" or a key.
std::u16string random_text(std::mt19937& rng, TextServices& text) {
    static const std::string pieces[] = {
        "=", "JOB=", "GSM1=", "HIGH_ALARM2=", "language=-1", " ", "\t", "+31"};
    std::string bytes;
    const int kind = static_cast<int>(rng() % 6);
    if (kind == 0) return u"";
    const std::size_t length = kind == 1 ? 70 : rng() % 24;
    while (bytes.size() < length) {
        if (rng() % 5 == 0) {
            bytes += pieces[rng() % std::size(pieces)];
        } else {
            char c = static_cast<char>(rng() % 256);
            if (c != '\r' && c != '\n' && c != '\0') bytes.push_back(c);
        }
    }
    std::u16string wide;
    EXPECT_EQ(text.to_wide(bytes, wide), sys_error::ok);
    return wide;
}

void set_random_state(Form1& f, std::mt19937& rng, TextServices& text) {
    f.Text5().set_text(random_text(rng, text));
    for (int i = 1; i <= 3; ++i)
        f.Text1(i).set_text(random_text(rng, text));
    for (int c = 1; c <= 4; ++c) {
        f.pressure_channel(c).set_value(static_cast<std::int16_t>(rng() % 3));
        f.high_pressure_scroll(c).set_value(static_cast<std::int16_t>(rng() % 100));
        f.low_pressure_scroll(c).set_value(static_cast<std::int16_t>(rng() % 100));
    }
    if (rng() % 8 == 0) {
        f.Combo1().type_text(u"typed");
    } else {
        f.Combo1().set_list_index(static_cast<std::int16_t>(rng() % 7));
    }
}

TEST(RoundTrip, RandomWindowStatesSurviveASaveAndARead) {
    const unsigned seed = 20261207;
    std::mt19937 rng(seed);
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
        test::TestApp first;
        first.app.Main();
        set_random_state(first.form(), rng, first.text);
        ASSERT_TRUE(save_settings(first.form(), first.files, first.text).ok());
        const std::string bytes = first.files.bytes(u"SETTINGS.TXT");

        test::TestApp second;
        second.files.put(u"SETTINGS.TXT", bytes);
        second.app.Main();
        ASSERT_EQ(state_of(second.form()), state_of(first.form()));
        ASSERT_TRUE(save_settings(second.form(), second.files, second.text).ok());
        ASSERT_EQ(second.files.bytes(u"SETTINGS.TXT"), bytes);
    }
}

// The machine stops before each file-system call of a save in turn. Whatever the step, the next start
// finds either the old settings or the new ones, whole: also when the old ones were only in the
// SETTINGS.NEW that an earlier cut-off save left without a SETTINGS.TXT.
TEST(Crash, AtAnyStepOfASaveLeavesTheOldOrTheNewSettings) {
    const std::string old_file = test::example_settings;
    const struct {
        const char* name;
        std::u16string settings_in;
        const char* other_new_file;  // a stale SETTINGS.NEW beside SETTINGS.TXT, or nothing
    } starts[] = {
        {"SETTINGS.TXT and a stale SETTINGS.NEW", u"SETTINGS.TXT",
         "JOB=stale, from an earlier cut-off save\r\n"},
        {"SETTINGS.NEW alone", u"SETTINGS.NEW", nullptr},
    };
    for (const auto& start : starts) {
        for (int step = 1;; ++step) {
            SCOPED_TRACE(std::string(start.name) + ": crash before call " + std::to_string(step));
            test::TestApp t;
            t.files.put(start.settings_in, old_file);
            if (start.other_new_file) t.files.put(u"SETTINGS.NEW", start.other_new_file);
            t.app.Main();
            const WindowState old_state = state_of(t.form());
            t.form().Text5().set_text(u"new job");
            t.form().high_pressure_scroll(3).set_value(77);
            const WindowState new_state = state_of(t.form());

            t.files.crash_before(step);
            bool crashed = false;
            try {
                ASSERT_TRUE(save_settings(t.form(), t.files, t.text).ok());
            } catch (const test::MemoryFileSystem::Crash&) {
                crashed = true;
            }

            test::TestApp next;
            next.files.entries = t.files.entries;
            const LoadOutcome outcome = next.app.Main();
            EXPECT_EQ(outcome.status, LoadOutcome::Status::read);
            const WindowState found = state_of(next.form());
            EXPECT_TRUE(found == old_state || found == new_state) << found;
            if (!crashed) {
                EXPECT_EQ(found, new_state);
                EXPECT_FALSE(next.files.has(u"SETTINGS.NEW"));
                EXPECT_GT(step, 20);  // every call of the save was reached at least once
                break;
            }
            // Whatever was left behind, the next save goes through.
            EXPECT_TRUE(save_settings(next.form(), next.files, next.text).ok());
        }
    }
}

}  // namespace
}  // namespace pm
