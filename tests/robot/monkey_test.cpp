// The monkey: seeded random clicks, drags and keys on the running editor, with the window's rules checked
// after every event, and at the end a close with Yes whose SETTINGS.TXT must hold what the window showed.
// It never asks the window to close before the end, and never presses Command1 or Command2, which start
// other programs.
//   PM_MONKEY_SEED    the seed to replay (printed by every run; by default taken from the clock)
//   PM_MONKEY_EVENTS  how many events to send (default 300)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "lang/lang_text.h"
#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

constexpr int languages = pm::language_count;

// What the window shows after an event.
struct Observed {
    WindowState state;  // what a save would write
    std::array<std::wstring, 4> high_caption, low_caption;
    std::array<bool, 4> channel_on{}, high_on{}, low_on{}, bars_on{};
    std::array<std::wstring, titled_frames.size()> titled;
    std::wstring combo_text;
    bool dropped = false;
};

Observed observe(const Editor& editor) {
    Observed o;
    o.state = state_of(editor);
    for (int c = 1; c <= 4; ++c) {
        const auto i = static_cast<size_t>(c - 1);
        o.high_caption[i] = editor.text(id::high_frame(c));
        o.low_caption[i] = editor.text(id::low_frame(c));
        o.channel_on[i] = editor.enabled(id::channel_frame(c));
        o.high_on[i] = editor.enabled(id::high_frame(c));
        o.low_on[i] = editor.enabled(id::low_frame(c));
        o.bars_on[i] = editor.enabled(id::high_scroll(c)) && editor.enabled(id::low_scroll(c)) &&
                       editor.enabled(id::pressure_channel(c));
    }
    for (size_t f = 0; f < titled_frames.size(); ++f)
        o.titled[f] = editor.text(titled_frames[f].control);
    o.combo_text = editor.text(id::combo1);
    o.dropped = editor.dropped();
    return o;
}

// The language whose texts all six titled frames show, -1 when there is none.
int titled_language(const Observed& o) {
    for (int l = 0; l < languages; ++l) {
        bool all = true;
        for (size_t f = 0; f < titled_frames.size(); ++f)
            all = all && o.titled[f] == lang_text(l, titled_frames[f].row);
        if (all) return l;
    }
    return -1;
}

// The language the editor settles on when the save prompt takes the focus: text typed into the language
// field that names an entry, ignoring case, selects it; any other text gives way to the entry chosen last,
// which the titled frames still show.
int settled_language(const Observed& o) {
    if (o.state.language >= 0) return o.state.language;
    for (int l = 0; l < languages; ++l) {
        const std::wstring& name = language_name(l);
        if (CompareStringOrdinal(o.combo_text.c_str(), static_cast<int>(o.combo_text.size()), name.c_str(),
                                 static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
            return l;
    }
    return titled_language(o);
}

// The language in which an alarm caption (row::high_alarm or row::low_alarm) shows this value, -1 when
// none.
int alarm_language(const std::wstring& caption, int row, int value) {
    for (int l = 0; l < languages; ++l) {
        if (caption == alarm_caption(l, row, value)) return l;
    }
    return -1;
}

// The characters that an SMS number box lets through, besides backspace.
bool sms_character(char16_t c) {
    return (c >= u'0' && c <= u'9') || std::u16string_view(u"+%&'(.").find(c) != std::u16string_view::npos;
}

// What the checks remember from one event to the next: the language that the titled frames and each
// channel's alarm captions were last set in. With no entry selected (after typing into Combo1) nothing
// retitles the frames, and a threshold change refreshes its channel's captions in English.
struct Languages {
    int titled = -1;
    std::array<int, 4> alarms{};
};

// The window's rules after an event that led from `before` to `now`; one line per broken rule.
std::vector<std::wstring> broken_rules(const Observed& before, const Observed& now, Languages& seen) {
    std::vector<std::wstring> broken;
    auto fail = [&](std::wstring what) { broken.push_back(std::move(what)); };
    for (size_t i = 0; i < 4; ++i) {
        const std::wstring ch = L"channel " + std::to_wstring(i + 1) + L": ";
        const int high = now.state.high[i], low = now.state.low[i];
        const int check = now.state.enabled[i], checked_before = before.state.enabled[i];
        if (low < 0 || high > 99 || high < low) {
            fail(ch + L"high " + std::to_wstring(high) + L", low " + std::to_wstring(low));
        }
        if (check != 0 && check != 1) {
            fail(ch + L"check box holds " + std::to_wstring(check) + L", which no user action gives");
        }
        const bool on = check != 0;
        if (now.channel_on[i] != on || now.high_on[i] != on || now.low_on[i] != on) {
            fail(ch + L"check box " + std::to_wstring(check) + L" but frames enabled " +
                 std::to_wstring(now.channel_on[i]) + L"/" + std::to_wstring(now.high_on[i]) + L"/" +
                 std::to_wstring(now.low_on[i]));
        }
        if (!now.bars_on[i]) fail(ch + L"a bar or the check box itself was disabled");
        if (checked_before == 0 && check == 0 &&
            (before.state.high[i] != high || before.state.low[i] != low)) {
            fail(ch + L"switched off, yet its thresholds moved from " +
                 std::to_wstring(before.state.high[i]) + L"/" + std::to_wstring(before.state.low[i]) +
                 L" to " + std::to_wstring(high) + L"/" + std::to_wstring(low));
        }
    }
    if (now.state.job.size() > 64) {
        fail(L"Text5 holds " + std::to_wstring(now.state.job.size()) + L" characters");
    }
    for (size_t n = 0; n < 3; ++n) {
        const std::u16string& sms = now.state.sms[n];
        const std::wstring name = L"Text1(" + std::to_wstring(n + 1) + L") \"" + wide(sms) + L"\"";
        if (sms.size() > 16) fail(name + L" is longer than 16 characters");
        for (char16_t c : sms) {
            if (!sms_character(c)) {
                fail(name + L" holds a character that the key filter refuses");
                break;
            }
        }
    }

    // Captions: every one in some language, with its bar's value.
    const int titled = titled_language(now);
    if (titled < 0) {
        std::wstring shown;
        for (const std::wstring& t : now.titled)
            shown += L" \"" + t + L"\"";
        fail(L"the titled frames are not all in one language:" + shown);
    }
    std::array<int, 4> alarms{};
    for (size_t i = 0; i < 4; ++i) {
        const int high = alarm_language(now.high_caption[i], row::high_alarm, now.state.high[i]);
        const int low = alarm_language(now.low_caption[i], row::low_alarm, now.state.low[i]);
        if (high < 0 || low < 0 || high != low) {
            fail(L"channel " + std::to_wstring(i + 1) + L": captions \"" + now.high_caption[i] +
                 L"\" and \"" + now.low_caption[i] + L"\" for high/low " +
                 std::to_wstring(now.state.high[i]) + L"/" + std::to_wstring(now.state.low[i]));
        }
        alarms[i] = high;
    }

    // ... in the selected language. While the list is open its highlight follows the pointer, so the
    // selection is read only with the list closed.
    if (!now.dropped && broken.empty()) {
        const int selected = now.state.language;
        if (selected >= 0 && selected < languages) {
            if (now.combo_text != language_name(selected)) {
                fail(L"entry " + std::to_wstring(selected) + L" is selected but the field shows \"" +
                     now.combo_text + L"\"");
            }
            if (titled != selected) fail(L"the titled frames are not in the selected language");
            for (size_t i = 0; i < 4; ++i) {
                if (alarms[i] != selected) {
                    fail(L"channel " + std::to_wstring(i + 1) + L": alarm captions \"" + now.high_caption[i] +
                         L"\" not in the selected language " + language_name(selected));
                }
            }
        } else if (selected == -1) {
            if (!before.dropped && titled != seen.titled) {
                fail(L"with no entry selected the titled frames changed language");
            }
            for (size_t i = 0; i < 4; ++i) {
                const bool moved =
                    before.state.high[i] != now.state.high[i] || before.state.low[i] != now.state.low[i];
                const bool in_english = alarms[i] == english;
                if (!before.dropped && moved && !in_english) {
                    fail(L"channel " + std::to_wstring(i + 1) + L": with no entry selected, the captions \"" +
                         now.high_caption[i] + L"\" of a moved threshold are not in English");
                }
                if (!before.dropped && !moved && !in_english && alarms[i] != seen.alarms[i]) {
                    fail(L"channel " + std::to_wstring(i + 1) + L": captions \"" + now.high_caption[i] +
                         L"\" changed language with no entry selected");
                }
            }
        } else {
            fail(L"Combo1 reports selection " + std::to_wstring(selected));
        }
    }
    seen.titled = titled;
    seen.alarms = alarms;
    return broken;
}

std::string ansi(const std::u16string& utf16_text) {
    const std::wstring text = wide(utf16_text);
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

// The seventeen lines that saving this state must write.
std::vector<std::string> expected_lines(const WindowState& state) {
    std::vector<std::string> lines = {"JOB=" + ansi(state.job)};
    for (size_t i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i + 1);
        lines.push_back("ENABLE_CH" + n + "=" + std::to_string(state.enabled[i]));
        lines.push_back("HIGH_ALARM" + n + "=" + std::to_string(state.high[i]));
        lines.push_back("LOW_ALARM" + n + "=" + std::to_string(state.low[i]));
    }
    for (size_t n = 0; n < 3; ++n)
        lines.push_back("GSM" + std::to_string(n + 1) + "=" + ansi(state.sms[n]));
    lines.push_back("LANGUAGE=" + std::to_string(state.language));
    return lines;
}

std::wstring point_text(POINT p) {
    return std::to_wstring(p.x) + L"," + std::to_wstring(p.y);
}

std::optional<unsigned long long> environment_number(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    if (!value || !*value) return std::nullopt;
    wchar_t* end = nullptr;
    const unsigned long long number = std::wcstoull(value, &end, 10);
    if (*end != L'\0') throw std::runtime_error("not a number in the environment variable");
    return number;
}

// Sends the random events. Each one is a whole user action (a click, a drag from press to release, a
// key, a few typed characters) and is described for the log.
class Monkey {
  public:
    Monkey(Editor& editor, std::uint64_t seed) : editor_(editor), random_(seed) {
        RECT client{};
        GetClientRect(editor.window(), &client);
        POINT corner{0, 0};
        ClientToScreen(editor.window(), &corner);
        client_ = {corner.x, corner.y, corner.x + client.right, corner.y + client.bottom};
        for (int button : {id::command1, id::command2}) {
            RECT r{};
            GetWindowRect(editor.find(button), &r);
            InflateRect(&r, 3, 3);
            buttons_.push_back(r);
        }
    }

    // One random event; returns what it was.
    std::wstring act() {
        const int roll = below(100);
        if (roll < 18) return click_anywhere();
        if (roll < 32) return click_bar();
        if (roll < 46) return drag_bar();
        if (roll < 49) return drag_anywhere();
        if (roll < 54) return click_check_box();
        if (roll < 60) return click_field();
        if (roll < 65) return choose_language();
        if (roll < 73) return tab();
        if (roll < 84) return navigate();
        if (roll < 95) return type();
        if (roll < 98) return erase();
        return enter_escape_or_f4();
    }

  private:
    int below(int n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }

    bool on_a_button(POINT p) const {
        for (const RECT& r : buttons_) {
            if (PtInRect(&r, p)) return true;
        }
        return false;
    }
    bool focus_on_a_button() const {
        const int focus = editor_.focus();
        return focus == id::command1 || focus == id::command2;
    }

    // Inside the client area and off the two buttons.
    POINT anywhere() {
        for (;;) {
            const POINT p{between(client_.left, client_.right - 1), between(client_.top, client_.bottom - 1)};
            if (!on_a_button(p)) return p;
        }
    }
    POINT clamp(POINT p) const {
        p.x = std::max(client_.left, std::min(client_.right - 1, p.x));
        p.y = std::max(client_.top, std::min(client_.bottom - 1, p.y));
        return p;
    }
    int random_bar() {
        const int c = between(1, 4);
        return chance(50) ? id::high_scroll(c) : id::low_scroll(c);
    }

    std::wstring click_anywhere() {
        const POINT p = anywhere();
        editor_.click_at(p);
        return L"click at " + point_text(p);
    }

    std::wstring click_bar() {
        const int bar = random_bar();
        const ScrollBarPoints points = editor_.scroll_bar(bar);
        static const std::pair<POINT ScrollBarPoints::*, const wchar_t*> parts[] = {
            {&ScrollBarPoints::left_arrow, L"left arrow"},
            {&ScrollBarPoints::right_arrow, L"right arrow"},
            {&ScrollBarPoints::thumb, L"thumb"},
            {&ScrollBarPoints::track_before, L"track before the thumb"},
            {&ScrollBarPoints::track_after, L"track after the thumb"}};
        const auto& part = parts[below(5)];
        editor_.click_at(points.*part.first);
        return L"click on the " + std::wstring(part.second) + L" of " + control_name(bar);
    }

    // A press, a few moves and a release; the moves stay near the bar's row, mostly, and sometimes
    // wander over the window, where a dragged thumb springs back.
    std::wstring drag_bar() {
        const int bar = random_bar();
        const ScrollBarPoints points = editor_.scroll_bar(bar);
        RECT r{};
        GetWindowRect(editor_.find(bar), &r);
        const int roll = below(100);
        const POINT start = roll < 60   ? points.thumb
                            : roll < 75 ? points.track_before
                            : roll < 90 ? points.track_after
                            : roll < 95 ? points.left_arrow
                                        : points.right_arrow;
        std::wstring what = L"drag on " + control_name(bar) + L" from " + point_text(start);
        editor_.move_to(start);
        editor_.press();
        if (chance(4)) {
            // Held long enough for the bar to repeat its step.
            const int hold = between(250, 600);
            Sleep(static_cast<DWORD>(hold));
            what += L" held " + std::to_wstring(hold) + L" ms";
        }
        const int moves = between(1, 8);
        POINT p = start;
        for (int m = 0; m < moves; ++m) {
            const int y = chance(80) ? (r.top + r.bottom) / 2 + between(-8, 8) : anywhere().y;
            p = clamp({between(r.left - 30, r.right + 30), y});
            if (on_a_button(p)) continue;
            editor_.move_to(p);
            what += L" > " + point_text(p);
        }
        editor_.release();
        return what;
    }

    std::wstring drag_anywhere() {
        const POINT start = anywhere();
        std::wstring what = L"drag from " + point_text(start);
        editor_.move_to(start);
        editor_.press();
        for (int m = between(1, 5); m > 0; --m) {
            const POINT p = anywhere();
            editor_.move_to(p);
            what += L" > " + point_text(p);
        }
        editor_.release();
        return what;
    }

    std::wstring click_check_box() {
        const int box = id::pressure_channel(between(1, 4));
        editor_.click(box);
        return L"click on " + control_name(box);
    }

    // A click somewhere in a text box or in the language field, often followed by typing.
    std::wstring click_field() {
        static const int fields[] = {id::combo1, id::text5, id::text1(1), id::text1(2), id::text1(3)};
        const int field = fields[below(5)];
        RECT r{};
        GetWindowRect(editor_.find(field), &r);
        const POINT p{between(r.left + 2, r.right - 3), between(r.top + 2, r.bottom - 3)};
        editor_.click_at(p);
        return L"click in " + control_name(field) + L" at " + point_text(p);
    }

    // Opens the language list with its arrow and clicks an entry.
    std::wstring choose_language() {
        RECT r{};
        GetWindowRect(editor_.find(id::combo1), &r);
        const int arrow = GetSystemMetricsForDpi(SM_CXVSCROLL, GetDpiForWindow(editor_.find(id::combo1)));
        const POINT button{r.right - arrow / 2 - 1, (r.top + r.bottom) / 2};
        editor_.click_at(button);
        std::wstring what = L"click on Combo1's arrow";
        if (!wait_until([&] { return editor_.dropped(); }, 2000)) return what + L" (the list stayed closed)";
        const HWND list = dropped_list();
        if (!list) return what + L" (no list window)";
        const int height = static_cast<int>(editor_.send(list, LB_GETITEMHEIGHT));
        const int top = static_cast<int>(editor_.send(list, LB_GETTOPINDEX));
        RECT inside{};
        GetClientRect(list, &inside);
        const int shown =
            height > 0 ? std::min(languages - top, static_cast<int>(inside.bottom) / height) : 0;
        if (shown <= 0) return what + L" (an empty list)";
        const int entry = top + below(shown);
        POINT p{inside.right / 2, (entry - top) * height + height / 2};
        ClientToScreen(list, &p);
        editor_.click_at(p);
        return what + L", then on entry " + std::to_wstring(entry) + L" " + language_name(entry);
    }

    HWND dropped_list() const {
        struct Search {
            DWORD thread;
            HWND found;
        } search{GetWindowThreadProcessId(editor_.window(), nullptr), nullptr};
        EnumThreadWindows(
            search.thread,
            [](HWND hwnd, LPARAM l) -> BOOL {
                wchar_t name[32] = {};
                GetClassNameW(hwnd, name, 32);
                if (std::wstring(name) != L"ComboLBox" || !IsWindowVisible(hwnd)) return TRUE;
                reinterpret_cast<Search*>(l)->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    std::wstring tab() {
        const bool back = chance(40);
        editor_.key(VK_TAB, back);
        return back ? L"Shift+Tab" : L"Tab";
    }

    std::wstring navigate() {
        static const std::pair<WORD, const wchar_t*> keys[] = {
            {VK_LEFT, L"Left"},     {VK_RIGHT, L"Right"},    {VK_UP, L"Up"},     {VK_DOWN, L"Down"},
            {VK_PRIOR, L"Page Up"}, {VK_NEXT, L"Page Down"}, {VK_HOME, L"Home"}, {VK_END, L"End"}};
        const auto& key = keys[below(8)];
        editor_.key(key.first);
        return key.second;
    }

    // One to six characters: digits, letters, punctuation and blanks, into whatever has the focus. A
    // focused button would take a blank as a press, so it gets none.
    std::wstring type() {
        static const std::wstring digits = L"0123456789";
        static const std::wstring letters = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        static const std::wstring punctuation = L"+-.,;:!?%&'()/*=_#@\"<>[]";
        const bool button = focus_on_a_button();
        std::wstring typed;
        for (int n = between(1, 6); n > 0; --n) {
            const int roll = below(100);
            if (roll < 35) {
                typed += digits[static_cast<size_t>(below(static_cast<int>(digits.size())))];
            } else if (roll < 65) {
                typed += letters[static_cast<size_t>(below(static_cast<int>(letters.size())))];
            } else if (roll < 90 || button) {
                typed += punctuation[static_cast<size_t>(below(static_cast<int>(punctuation.size())))];
            } else {
                typed += L' ';
            }
        }
        editor_.type(typed);
        return L"type \"" + typed + L"\"";
    }

    std::wstring erase() {
        const bool back = chance(70);
        editor_.key(back ? VK_BACK : VK_DELETE);
        return back ? L"Backspace" : L"Delete";
    }

    // Enter presses a focused button, so a button gets Escape instead.
    std::wstring enter_escape_or_f4() {
        const int roll = below(3);
        if (roll == 0 && !focus_on_a_button()) {
            editor_.key(VK_RETURN);
            return L"Enter";
        }
        if (roll == 1) {
            editor_.key(VK_F4);
            return L"F4";
        }
        editor_.key(VK_ESCAPE);
        return L"Escape";
    }

    Editor& editor_;
    std::mt19937_64 random_;
    RECT client_{};
    std::vector<RECT> buttons_;
};

INPUT key_input(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0u;
    return input;
}

HWND child_with_text(HWND parent, const std::wstring& text) {
    struct Search {
        const std::wstring* text;
        HWND found;
    } search{&text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            wchar_t buffer[256] = {};
            DWORD_PTR copied = 0;
            SendMessageTimeoutW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000,
                                &copied);
            if (*s->text != buffer) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(Monkey, RandomInputKeepsTheWindowsRulesAndSavesWhatItShows) {
    std::uint64_t seed = 0;
    int events = 300;
    try {
        seed = environment_number(L"PM_MONKEY_SEED")
                   .value_or(static_cast<std::uint64_t>(
                                 std::chrono::high_resolution_clock::now().time_since_epoch().count()) ^
                             (static_cast<std::uint64_t>(GetCurrentProcessId()) << 40));
        events = static_cast<int>(environment_number(L"PM_MONKEY_EVENTS").value_or(300));
    } catch (const std::exception&) {
        FAIL() << "PM_MONKEY_SEED and PM_MONKEY_EVENTS take decimal numbers";
    }
    std::printf("monkey: seed %llu, %d events (replay: PM_MONKEY_SEED=%llu PM_MONKEY_EVENTS=%d)\n",
                static_cast<unsigned long long>(seed), events, static_cast<unsigned long long>(seed), events);
    std::fflush(stdout);
    RecordProperty("seed", std::to_string(seed));

    ProgramFolder folder;
    folder.write_settings(example_file);
    folder.make_data_folder();
    Editor editor(folder);
    const InputBarrier barrier(editor);
    Monkey monkey(editor, seed);

    Observed before = observe(editor);
    Languages seen{titled_language(before), {}};
    for (size_t i = 0; i < 4; ++i)
        seen.alarms[i] = alarm_language(before.high_caption[i], row::high_alarm, before.state.high[i]);
    ASSERT_EQ(seen.titled, german) << "the example file selects Deutsch";

    std::deque<std::wstring> recent;  // the last events, for the report of a failure
    auto history = [&] {
        std::wstring out;
        for (const std::wstring& e : recent)
            out += L"\n    " + e;
        return out;
    };
    // Stops at the first broken rule: the events after it would only repeat it.
    auto check = [&](int event, const std::wstring& what) -> ::testing::AssertionResult {
        recent.push_back(std::to_wstring(event) + L": " + what);
        if (recent.size() > 12) recent.pop_front();
        if (!barrier.pass()) {
            return ::testing::AssertionFailure() << "the editor did not take its input within 10 s";
        }
        if (!editor.running()) return ::testing::AssertionFailure() << "the editor has ended";
        if (editor.message_box()) return ::testing::AssertionFailure() << "a message box is up";
        if (!IsWindowVisible(editor.window())) return ::testing::AssertionFailure() << "the window is hidden";
        const Observed now = observe(editor);
        const std::vector<std::wstring> broken = broken_rules(before, now, seen);
        before = now;
        if (broken.empty()) return ::testing::AssertionSuccess();
        std::wstring lines;
        for (const std::wstring& b : broken)
            lines += L"\n    " + b;
        return ::testing::AssertionFailure() << lines;
    };

    const auto started = std::chrono::steady_clock::now();
    for (int event = 1; event <= events; ++event) {
        const std::wstring what = monkey.act();
        const auto result = check(event, what);
        if (!result) {
            editor.save_screenshot(L"monkey-failure");
            FAIL() << "seed " << seed << ", event " << event << " of " << events
                   << " broke the rules:" << result.message() << "\n  the last events:" << history();
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("monkey: %d events in %.1f s, %.0f events/s\n", events, seconds, events / seconds);
    std::fflush(stdout);

    // An open language list is closed as a user would; the window then shows what gets saved.
    if (editor.dropped()) {
        editor.key(VK_ESCAPE);
        ASSERT_TRUE(check(events + 1, L"Escape to close the language list")) << "seed " << seed << history();
    }
    ASSERT_FALSE(editor.dropped());
    Observed shown = observe(editor);
    for (int c = 1; c <= 4; ++c) {
        const std::wstring ch = L"CH" + std::to_wstring(c);
        EXPECT_EQ(editor.text(id::channel_frame(c)), ch);
        EXPECT_EQ(editor.text(id::pressure_channel(c)), ch);
    }

    // Alt+F4, and Yes to the question in the language the field settles on (English if none).
    shown.state.language = settled_language(shown);
    INPUT alt_f4[] = {key_input(VK_MENU, false), key_input(VK_F4, false), key_input(VK_F4, true),
                      key_input(VK_MENU, true)};
    ASSERT_EQ(SendInput(4, alt_f4, sizeof(INPUT)), 4u);
    HWND prompt = nullptr;
    ASSERT_TRUE(wait_until([&] { return (prompt = editor.message_box()) != nullptr; }))
        << "no save prompt after Alt+F4";
    const int language = shown.state.language >= 0 ? shown.state.language : english;
    wchar_t title[256] = {};
    GetWindowTextW(prompt, title, 256);
    EXPECT_EQ(std::wstring(title), lang_text(language, row::prompt_title));
    const std::wstring& question = lang_text(language, row::prompt_question);
    EXPECT_NE(child_with_text(prompt, question), nullptr) << "the prompt does not ask \"" << question << "\"";
    PostMessageW(prompt, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(wait_until([&] { return !editor.running(); })) << "the editor did not end after Yes";

    std::ifstream file(std::filesystem::path(folder.path()) / "SETTINGS.TXT", std::ios::binary);
    ASSERT_TRUE(file) << "no SETTINGS.TXT after Yes";
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the file's last line has no CR LF: \"" << bytes.substr(at) << "\"";
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    const std::vector<std::string> expected = expected_lines(shown.state);
    ASSERT_EQ(lines.size(), expected.size()) << "the file:\n" << bytes;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1 << " (seed " << seed << ")";
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << "a stray line end in line " << i + 1;
    }
}

// The monkey's finds: Combo1's list selection parting from the language the editor uses.

// Seed 1, event 181 of 300: one character typed into the language field right after an entry was chosen
// left the list on that entry, while the editor took the field for typed text: it saved LANGUAGE=-1 and
// refreshed the captions in English, and Down went on from the stale entry. A second character cleared
// the list's selection.
TEST(Monkey, OneCharacterTypedAfterChoosingALanguageLeavesNoEntrySelected) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    const InputBarrier barrier(editor);
    ASSERT_TRUE(editor.wait_focus(id::combo1));

    editor.key(VK_DOWN);  // from Deutsch to Nederlands
    ASSERT_TRUE(barrier.pass());
    ASSERT_EQ(editor.selection(), dutch);
    editor.type(L"x");
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(editor.text(id::combo1), L"x");
    EXPECT_EQ(editor.selection(), -1)
        << "the list still selects " << language_name(std::max(0, editor.selection()));
    expect_captions(editor, dutch);  // typing retitles nothing
}

// Seeds 14 (event 258) and 22 (event 398) of 500: the open list closed by a click elsewhere goes back to
// the entry it had when it opened, whatever was chosen with the arrow keys or typed meanwhile, while the
// field and the captions keep what the editor took: here Français chosen with Up, and Down then skips
// Deutsch.
TEST(Monkey, ClosingTheListByAClickElsewhereKeepsTheEntryChosenWithTheArrows) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    const InputBarrier barrier(editor);
    ASSERT_TRUE(editor.wait_focus(id::combo1));

    editor.key(VK_F4);
    editor.key(VK_UP);  // from Deutsch to Français
    ASSERT_TRUE(barrier.pass());
    ASSERT_TRUE(editor.dropped());
    POINT margin{2, 2};  // the client area's corner, left of every control
    ClientToScreen(editor.window(), &margin);
    editor.click_at(margin);
    ASSERT_TRUE(barrier.pass());
    ASSERT_FALSE(editor.dropped());
    const Observed shown = observe(editor);
    EXPECT_EQ(shown.combo_text, language_name(french));
    EXPECT_EQ(titled_language(shown), french);
    EXPECT_EQ(shown.state.language, french)
        << "the list went back to " << language_name(std::max(0, shown.state.language));

    editor.key(VK_DOWN);
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(editor.selection(), german);
    EXPECT_EQ(editor.text(id::combo1), language_name(german));
}

}  // namespace
}  // namespace robot
