// How fast the editor follows a dragged thumb: 200 Scroll steps of channel 1's high alarm bar, each
// timed from the pointer's move until the bar holds the new value and its caption shows it; and, to
// tell the editor's own work from the pointer's way through Wine, the same steps made with the arrow
// keys. The window robot's own harness and reads; bench/run runs it under tools/robot-run.
// Each case prints one line: "bench case=NAME steps=N median_ms=.. mean_ms=.. p95_ms=.. max_ms=..", the
// thumb drag with " resent=N", the steps left out of its figures (see the drag).
// Against bench_drag_measured.exe (bench/drag_measured.cpp, with PM_DRAG_LOG naming its log) the thumb
// drag prints four more lines, which split each step: from the pointer's move until WM_HSCROLL reaches
// the window (thumb-drag-to-window), the window's own work until the bar and the captions are painted
// (thumb-drag-in-window), waiting for the window's further SB_THUMBTRACKs in the same step
// (thumb-drag-between-messages), and from the last one painted until the robot has read the new value
// and caption (thumb-drag-read-back); and a fifth with the window's own work for each SB_THUMBTRACK
// (thumb-drag-in-window-per-message).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

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

void move_pointer(POINT p) {
    INPUT input = mouse_input(0, p);
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

// Waits, without pausing, until channel 1's high bar and its caption show the value; false after the
// timeout.
bool shows(const Editor& editor, int value, int timeout_ms = 5000) {
    const std::wstring caption = alarm_caption(german, row::high_alarm, value);
    const ULONGLONG give_up = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
    while (editor.value(id::high_scroll(1)) != value || editor.text(id::high_frame(1)) != caption) {
        if (GetTickCount64() > give_up) return false;
    }
    return true;
}

// `more` adds fields to the line, such as " resent=2".
void report(const char* name, const std::vector<double>& steps, const std::string& more = {}) {
    std::vector<double> sorted = steps;
    std::sort(sorted.begin(), sorted.end());
    const auto percentile = [&](double p) {
        return sorted[static_cast<size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5)];
    };
    const double mean = std::accumulate(steps.begin(), steps.end(), 0.0) / static_cast<double>(steps.size());
    std::printf("bench case=%s steps=%zu median_ms=%.2f mean_ms=%.2f p95_ms=%.2f max_ms=%.2f%s\n", name,
                steps.size(), percentile(0.5), mean, percentile(0.95), sorted.back(), more.c_str());
    std::fflush(stdout);
}

// One SB_THUMBTRACK as bench/drag_measured logs it: when it reached the window procedure and when
// the window had painted what it changed, in QueryPerformanceCounter ticks.
struct WindowStep {
    LONGLONG arrival = 0;
    LONGLONG painted = 0;
};

// The file that PM_DRAG_LOG names, if the variable is set.
std::optional<std::wstring> window_log() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"PM_DRAG_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::wstring(path);
}

std::vector<WindowStep> read_window_log(const std::wstring& path) {
    std::vector<WindowStep> steps;
    std::ifstream in{std::filesystem::path(path)};
    WindowStep step;
    while (in >> step.arrival >> step.painted)
        steps.push_back(step);
    return steps;
}

// Every step of the robot's, from `starts` to `ends`, set beside the SB_THUMBTRACKs that the window
// handled within it: at least the one that brought the value the robot waits for, which changes only in
// the window's handler, and often two more, when Wine's late reports of its own pointer moves (see the
// drag below) move the thumb back one step and forward again. Lines of other runs in the same log lie
// outside every step: Wine's counter is one clock for every process. The four parts add up to the step.
void report_split(const std::vector<LONGLONG>& starts, const std::vector<LONGLONG>& ends,
                  const std::vector<WindowStep>& window) {
    std::vector<double> to_window, in_window, between, read_back, per_message;
    for (size_t i = 0; i < starts.size(); ++i) {
        const WindowStep* first = nullptr;
        const WindowStep* last = nullptr;
        double inside = 0;
        for (const WindowStep& w : window) {
            if (w.arrival < starts[i] || w.painted > ends[i]) continue;
            if (!first) first = &w;
            last = &w;
            inside += milliseconds(w.painted - w.arrival);
            per_message.push_back(milliseconds(w.painted - w.arrival));
        }
        if (!first) continue;
        to_window.push_back(milliseconds(first->arrival - starts[i]));
        in_window.push_back(inside);
        between.push_back(milliseconds(last->painted - first->arrival) - inside);
        read_back.push_back(milliseconds(ends[i] - last->painted));
    }
    ASSERT_EQ(in_window.size(), starts.size())
        << "the window logged " << window.size() << " steps; " << in_window.size() << " of the "
        << starts.size() << " steps found theirs (is the program bench_drag_measured?)";
    report("thumb-drag-to-window", to_window);
    report("thumb-drag-in-window", in_window, " messages=" + std::to_string(per_message.size()));
    report("thumb-drag-between-messages", between);
    report("thumb-drag-read-back", read_back);
    report("thumb-drag-in-window-per-message", per_message);
}

void expect_end_state(const Editor& editor) {
    EXPECT_EQ(editor.value(id::high_scroll(1)), 62);
    EXPECT_EQ(editor.value(id::low_scroll(1)), 0) << "the low alarm was not pushed down";
    EXPECT_EQ(editor.text(id::low_frame(1)), alarm_caption(german, row::low_alarm, 0));
}

TEST(Bench, HighAlarmThumbDrag) {
    ProgramFolder folder;
    folder.write_settings(example_file);  // Deutsch; channel 1 at 60/20
    Editor editor(folder);
    const int bar = id::high_scroll(1);
    const HWND hwnd = editor.find(bar);

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

    ASSERT_EQ(editor.value(bar), 60);
    editor.move_to(at(60));
    editor.press();
    ASSERT_TRUE(wait_until([&] { return editor.capture() == hwnd; })) << "the thumb was not taken";
    std::vector<double> steps;
    std::vector<LONGLONG> starts, ends;
    int resent = 0;
    for (const int value : values) {
        const LONGLONG start = now();
        move_pointer(at(value));
        // Wine moves the X pointer for every injected move, and the X server's report of that comes back
        // a little later as a move of its own. Under load a late report from the step before can come
        // last and leave the thumb one step behind with nothing more to come. After 100 ms the move goes
        // again, and the step stays out of the figures: its time is the robot's wait, not the window's.
        bool shown = shows(editor, value, 100);
        const bool sent_again = !shown;
        for (int again = 0; !shown && again < 50; ++again) {
            move_pointer(at(value));
            shown = shows(editor, value, 100);
        }
        ASSERT_TRUE(shown) << "the bar did not reach " << value << " (it holds " << editor.value(bar)
                           << ", caption \"" << editor.text(id::high_frame(1)) << "\")";
        if (sent_again) {
            ++resent;
            continue;
        }
        const LONGLONG end = now();
        steps.push_back(milliseconds(end - start));
        starts.push_back(start);
        ends.push_back(end);
    }
    editor.move_to(at(values.back()));
    editor.release();
    ASSERT_TRUE(wait_until([&] { return editor.capture() == nullptr; }));
    expect_end_state(editor);
    report("thumb-drag", steps, " resent=" + std::to_string(resent));
    if (const std::optional<std::wstring> log = window_log())
        report_split(starts, ends, read_window_log(*log));
}

TEST(Bench, HighAlarmArrowKeys) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    ASSERT_TRUE(editor.tab_to(id::high_scroll(1)));
    ASSERT_EQ(editor.value(id::high_scroll(1)), 60);
    std::vector<double> steps;
    int at = 60;
    for (const int value : step_values()) {
        const LONGLONG start = now();
        editor.key(value > at ? VK_RIGHT : VK_LEFT);
        ASSERT_TRUE(shows(editor, value)) << "the bar did not reach " << value;
        steps.push_back(milliseconds(now() - start));
        at = value;
    }
    expect_end_state(editor);
    report("arrow-keys", steps);
}

}  // namespace
}  // namespace robot
