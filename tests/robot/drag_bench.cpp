// How fast the editor follows a dragged thumb: 200 Scroll steps of channel 1's high alarm bar, each
// timed from the pointer's move until the bar holds the new value and its caption shows it; and, to
// tell the editor's own work from the pointer's way through Wine, the same steps made with the arrow
// keys. Measurements, not tests: DISABLED_, so that the robot's runs skip them; bench/run runs them with
// --gtest_also_run_disabled_tests --gtest_filter=DISABLED_Bench.*
// Each prints one line: "bench case=NAME steps=N median_ms=.. mean_ms=.. p95_ms=.. max_ms=..".
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "live_window.h"
#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

double milliseconds(LONGLONG ticks) {
    static const double per_ms = [] {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    return static_cast<double>(ticks) / per_ms;
}

LONGLONG now() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

// A move that carries its position, as every mouse event must (see robot.cpp).
void move_pointer(POINT p) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (p.x * 65536 + width - 1) / width;
    input.mi.dy = (p.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// One Pa per step: up to 99, down to 0 (pushing the low alarm down from 20), up to 62: 200 steps.
std::vector<int> step_values() {
    std::vector<int> values;
    for (int v = 61; v <= 99; ++v)
        values.push_back(v);
    for (int v = 98; v >= 0; --v)
        values.push_back(v);
    for (int v = 1; v <= 62; ++v)
        values.push_back(v);
    return values;
}

// Waits, without pausing, until channel 1's high bar and its caption show the value; false after 5 s.
bool shows(const LiveWindow& live, int value) {
    const std::wstring caption = alarm_caption(german, row::high_alarm, value);
    const ULONGLONG give_up = GetTickCount64() + 5000;
    while (live.value(id::high_scroll(1)) != value || live.text(id::high_frame(1)) != caption) {
        if (GetTickCount64() > give_up) return false;
    }
    return true;
}

void report(const char* name, const std::vector<double>& steps) {
    std::vector<double> sorted = steps;
    std::sort(sorted.begin(), sorted.end());
    const auto percentile = [&](double p) {
        return sorted[static_cast<size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5)];
    };
    const double mean = std::accumulate(steps.begin(), steps.end(), 0.0) / static_cast<double>(steps.size());
    std::printf("bench case=%s steps=%zu median_ms=%.2f mean_ms=%.2f p95_ms=%.2f max_ms=%.2f\n", name,
                steps.size(), percentile(0.5), mean, percentile(0.95), sorted.back());
    std::fflush(stdout);
}

void expect_end_state(const LiveWindow& live) {
    EXPECT_EQ(live.value(id::high_scroll(1)), 62);
    EXPECT_EQ(live.value(id::low_scroll(1)), 0) << "the low alarm was not pushed down";
    EXPECT_EQ(live.text(id::low_frame(1)), alarm_caption(german, row::low_alarm, 0));
}

TEST(DISABLED_Bench, HighAlarmThumbDrag) {
    ProgramFolder folder;
    folder.write_settings(example_file);  // Deutsch; channel 1 at 60/20
    Editor editor(folder);
    const LiveWindow live(editor);
    const int bar = id::high_scroll(1);
    const HWND hwnd = live.hwnd(bar);

    // The thumb's middle for each value, as the bar places it (no page size, a fixed thumb).
    RECT r{};
    GetWindowRect(hwnd, &r);
    const UINT dpi = GetDpiForWindow(hwnd);
    const int arrow = GetSystemMetricsForDpi(SM_CXHSCROLL, dpi);
    const int thumb = GetSystemMetricsForDpi(SM_CXHTHUMB, dpi);
    const int track = (r.right - r.left) - 2 * arrow - thumb;
    const int y = (r.top + r.bottom) / 2;
    auto at = [&](int value) { return POINT{r.left + arrow + MulDiv(track, value, 99) + thumb / 2, y}; };

    const std::vector<int> values = step_values();
    ASSERT_EQ(values.size(), 200u);

    ASSERT_EQ(live.value(bar), 60);
    editor.move_to(at(60));
    editor.press();
    ASSERT_TRUE(wait_until([&] { return live.capture() == hwnd; })) << "the thumb was not taken";
    std::vector<double> steps;
    for (const int value : values) {
        const LONGLONG start = now();
        move_pointer(at(value));
        ASSERT_TRUE(shows(live, value))
            << "the bar did not reach " << value << " (it holds " << live.value(bar) << ", caption \""
            << live.text(id::high_frame(1)) << "\")";
        steps.push_back(milliseconds(now() - start));
    }
    editor.move_to(at(values.back()));
    editor.release();
    ASSERT_TRUE(wait_until([&] { return live.capture() == nullptr; }));
    expect_end_state(live);
    report("thumb-drag", steps);
}

TEST(DISABLED_Bench, HighAlarmArrowKeys) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    const LiveWindow live(editor);
    ASSERT_TRUE(editor.tab_to(id::high_scroll(1)));
    ASSERT_EQ(live.value(id::high_scroll(1)), 60);
    std::vector<double> steps;
    int at = 60;
    for (const int value : step_values()) {
        const LONGLONG start = now();
        editor.key(value > at ? VK_RIGHT : VK_LEFT);
        ASSERT_TRUE(shows(live, value)) << "the bar did not reach " << value;
        steps.push_back(milliseconds(now() - start));
        at = value;
    }
    expect_end_state(live);
    report("arrow-keys", steps);
}

}  // namespace
}  // namespace robot
