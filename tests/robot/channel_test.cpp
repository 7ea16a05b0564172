// The channels with the mouse and the keyboard: switching a channel off and on, stepping and dragging the
// threshold bars, and the high and low thresholds pushing each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

// Both thresholds of a channel in their bars and in their captions (in English).
::testing::AssertionResult thresholds_become(const Editor& editor, int channel, int high, int low) {
    const bool reached = wait_until([&] {
        return editor.value(id::high_scroll(channel)) == high && editor.value(id::low_scroll(channel)) == low;
    });
    if (!reached) {
        return ::testing::AssertionFailure()
               << "high/low are " << editor.value(id::high_scroll(channel)) << "/"
               << editor.value(id::low_scroll(channel)) << ", expected " << high << "/" << low;
    }
    const std::wstring high_caption = editor.text(id::high_frame(channel));
    const std::wstring low_caption = editor.text(id::low_frame(channel));
    if (high_caption != alarm_caption(english, row::high_alarm, high) ||
        low_caption != alarm_caption(english, row::low_alarm, low)) {
        return ::testing::AssertionFailure() << "captions \"" << high_caption << "\" and \"" << low_caption
                                             << "\" for high/low " << high << "/" << low;
    }
    return ::testing::AssertionSuccess();
}

TEST(Channels, AnUncheckedChannelTakesNoInputUntilCheckedAgain) {
    ProgramFolder folder;
    folder.write_settings(settings_lines({"HIGH_ALARM2=50", "LOW_ALARM2=30"}));
    Editor editor(folder);

    editor.click(id::pressure_channel(2));
    ASSERT_TRUE(wait_until([&] { return editor.check(id::pressure_channel(2)) == 0; }));
    WindowState off = design_time;
    off.enabled[1] = 0;
    off.high[1] = 50;
    off.low[1] = 30;
    expect_settings(editor, off);  // its three frames disabled, its bars themselves enabled
    const auto before = editor.snapshot();

    // Arrows, track and thumb of both bars, clicked and dragged.
    for (int bar : {id::high_scroll(2), id::low_scroll(2)}) {
        const ScrollBarPoints points = editor.scroll_bar(bar);
        for (POINT p : {points.left_arrow, points.right_arrow, points.track_before, points.track_after}) {
            editor.click_at(p);
        }
        editor.move_to(points.thumb);
        editor.press();
        editor.move_to(points.right_arrow);
        editor.release();
    }
    // The keyboard cannot reach the bars either. The focus moving round shows that the clicks before it
    // have been handled.
    auto stops = tab_stops();
    std::erase(stops, id::high_scroll(2));
    std::erase(stops, id::low_scroll(2));
    expect_tab_round_trip(editor, stops);
    const std::wstring changed = differences(before, editor.snapshot());
    EXPECT_TRUE(changed.empty()) << changed;

    // Checked again, the channel's frames are enabled and its bars take clicks.
    editor.click(id::pressure_channel(2));
    ASSERT_TRUE(wait_until([&] { return editor.check(id::pressure_channel(2)) == 1; }));
    off.enabled[1] = 1;
    expect_settings(editor, off);
    editor.click_at(editor.scroll_bar(id::high_scroll(2)).right_arrow);
    EXPECT_TRUE(thresholds_become(editor, 2, 51, 30));
}

struct Step {
    const char* what;
    std::function<void(Editor&)> act;
    int high, low;  // channel 1 afterwards
};

// Arrows move a bar by 1, the track and Page Up/Down by 10, never beyond 0..99; a high threshold moved
// below the low one takes the low one along, and a low one moved above the high one the high one.
TEST(Channels, ArrowsTrackAndPageKeysStepTheBars) {
    ProgramFolder folder;
    folder.write_settings(settings_lines({"HIGH_ALARM1=95", "LOW_ALARM1=90"}));
    Editor editor(folder);
    const int high = id::high_scroll(1);
    const int low = id::low_scroll(1);
    auto click = [](int bar, POINT ScrollBarPoints::*part) {
        return [=](Editor& e) { e.click_at(e.scroll_bar(bar).*part); };
    };
    auto press = [](WORD vk) { return [=](Editor& e) { e.key(vk); }; };
    auto focus = [](int bar) { return [=](Editor& e) { ASSERT_TRUE(e.tab_to(bar)); }; };

    const Step steps[] = {
        {"track right of the thumb at 95", click(high, &ScrollBarPoints::track_after), 99, 90},
        {"left arrow", click(high, &ScrollBarPoints::left_arrow), 98, 90},
        {"right arrow", click(high, &ScrollBarPoints::right_arrow), 99, 90},
        {"track left of the thumb, below low", click(high, &ScrollBarPoints::track_before), 89, 89},
        {"high bar focused", focus(high), 89, 89},
        {"Right", press(VK_RIGHT), 90, 89},
        {"Page Down beyond 99", press(VK_NEXT), 99, 89},
        {"Page Up", press(VK_PRIOR), 89, 89},
        {"Page Up below low", press(VK_PRIOR), 79, 79},
        {"Left", press(VK_LEFT), 78, 78},
        {"low bar focused", focus(low), 78, 78},
        {"Page Down above high", press(VK_NEXT), 88, 88},
        {"Left", press(VK_LEFT), 88, 87},
        {"Page Up", press(VK_PRIOR), 88, 77},
        {"right arrow of the low bar", click(low, &ScrollBarPoints::right_arrow), 88, 78},
        {"track right of the low thumb, above high", click(low, &ScrollBarPoints::track_after), 88, 88},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act(editor);
        ASSERT_TRUE(thresholds_become(editor, 1, step.high, step.low));
    }
}

// Dragging the high thumb below the low one pushes the low one while the button is still down; dragging
// it back up leaves the low one where it was pushed. The thumb goes to the ends of the bar, where the
// values are exact.
TEST(Channels, DraggingHighBelowLowPushesLowLiveAndNeverBack) {
    ProgramFolder folder;
    folder.write_settings(settings_lines({"HIGH_ALARM1=60", "LOW_ALARM1=35"}));
    Editor editor(folder);
    const int high = id::high_scroll(1);
    const ScrollBarPoints bar = editor.scroll_bar(high);
    auto drag_to = [&](POINT from, POINT to, int high_at_end, int low_at_end) {
        for (int step = 1; step <= 10; ++step) {
            editor.move_to({from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
        }
        // Wine reports each injected move back as one of its own a little later; on a busy machine stale
        // reports can come last (under Wine 10 even after the thumb has reached the end) and leave the
        // thumb a step short. The pointer then goes to its end again, as a user's hand would, until the
        // thumb stays there.
        const auto there = [&] {
            return editor.value(high) == high_at_end && editor.value(id::low_scroll(1)) == low_at_end;
        };
        for (int again = 0; again < 5; ++again) {
            if (wait_until(there, 1500) && !wait_until([&] { return !there(); }, 500)) break;
            editor.move_to(to);
        }
    };

    editor.move_to(bar.thumb);
    editor.press();
    ASSERT_TRUE(wait_until([&] { return editor.capture() == editor.find(high); }))
        << "the thumb was not taken";
    drag_to(bar.thumb, bar.left_arrow, 0, 0);
    EXPECT_TRUE(thresholds_become(editor, 1, 0, 0)) << "while dragging down";
    drag_to(bar.left_arrow, bar.right_arrow, 99, 0);
    EXPECT_TRUE(thresholds_become(editor, 1, 99, 0)) << "dragged back up";
    EXPECT_EQ(editor.capture(), editor.find(high)) << "the drag ended early";
    editor.release();
    ASSERT_TRUE(wait_until([&] { return editor.capture() == nullptr; }));
    EXPECT_TRUE(thresholds_become(editor, 1, 99, 0)) << "released";
    EXPECT_EQ(editor.value(id::high_scroll(2)), 0) << "another channel moved";
}

// The rows of a frame's picture above the bar it holds: the top of its border, and its caption.
std::vector<COLORREF> caption_rows(Editor& editor, int frame, int bar, const std::wstring& name) {
    RECT outer{}, inner{};
    GetWindowRect(editor.find(frame), &outer);
    GetWindowRect(editor.find(bar), &inner);
    const Editor::Picture picture = editor.picture(editor.find(frame), name);
    const int rows = std::clamp(static_cast<int>(inner.top - outer.top), 0, picture.height);
    return {picture.pixels.begin(), picture.pixels.begin() + rows * picture.width};
}

int differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}

// New thresholds reach the screen, not only the captions' text: a frame draws its caption itself, and
// WM_SETTEXT draws nothing but a title bar. Both captions of channel 1 after Home on its high bar (which
// pushes the low one), against the same window started with those values.
TEST(Channels, ChangedCaptionsAreDrawnAtOnce) {
    const int high = id::high_scroll(1), low = id::low_scroll(1);
    std::vector<COLORREF> high_before, low_before, high_after, low_after;
    {
        ProgramFolder folder;
        folder.write_settings(settings_lines({"HIGH_ALARM1=60", "LOW_ALARM1=20"}));
        Editor editor(folder);
        high_before = caption_rows(editor, id::high_frame(1), high, L"caption-high-60");
        low_before = caption_rows(editor, id::low_frame(1), low, L"caption-low-20");
        ASSERT_TRUE(editor.tab_to(high));
        editor.key(VK_HOME);
        ASSERT_TRUE(thresholds_become(editor, 1, 0, 0));
        high_after = caption_rows(editor, id::high_frame(1), high, L"caption-high-60-to-0");
        low_after = caption_rows(editor, id::low_frame(1), low, L"caption-low-20-to-0");
    }
    ProgramFolder folder;
    folder.write_settings(settings_lines({"HIGH_ALARM1=0", "LOW_ALARM1=0"}));
    Editor editor(folder);
    const std::vector<COLORREF> high_shown = caption_rows(editor, id::high_frame(1), high, L"caption-high-0");
    const std::vector<COLORREF> low_shown = caption_rows(editor, id::low_frame(1), low, L"caption-low-0");
    ASSERT_FALSE(high_shown.empty()) << "no picture";
    // The pictures tell the captions apart at all.
    ASSERT_GT(differing(high_before, high_shown), 0);
    ASSERT_GT(differing(low_before, low_shown), 0);
    EXPECT_EQ(differing(high_after, high_shown), 0) << "the high alarm's frame still shows its old caption";
    EXPECT_EQ(differing(low_after, low_shown), 0) << "the low alarm's frame still shows its old caption";
}

}  // namespace
}  // namespace robot
