// Arbitrary bytes as SETTINGS.TXT, read into a freshly started window. After every input: nothing
// escapes, every channel keeps high >= low, every value lies in its control's range, every caption shows
// its values in the selected language, and a save read back into a fresh window gives the same window,
// but for the characters the ANSI code page can't hold, which a save writes as "?".
#include <array>
#include <bitset>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "doubles/test_app.h"
#include "doubles/window_state.h"
#include "lang/lang_text.h"
#include "settings/settings_file.h"

namespace {

using pm::test::WindowState;

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

std::u16string caption(const std::u16string& text, int value) {
    const std::string digits = std::to_string(value);
    return text + u" (" + std::u16string(digits.begin(), digits.end()) + u"Pa)";
}

// The translated texts the captions must show, from the same table the program fills.
const pm::LangText& texts() {
    static const pm::LangText table = [] {
        pm::LangText filled;
        filled.fill();
        return filled;
    }();
    return table;
}

// Every alarm caption a window can show, by language (-1: none selected), row (1 high, 2 low) and value,
// built once: the checks compare without building strings for every input.
const std::u16string& alarm_caption(int language, int row, int value) {
    static const std::vector<std::u16string> table = [] {
        std::vector<std::u16string> all;
        for (int l = -1; l <= 6; ++l) {
            for (int r = 1; r <= 2; ++r) {
                for (int v = 0; v <= 99; ++v)
                    all.push_back(caption(texts()(l, r), v));
            }
        }
        return all;
    }();
    return table.at(static_cast<std::size_t>(((language + 1) * 2 + row - 1) * 100 + value));
}

void check_window(pm::test::TestApp& t) {
    pm::Form1& f = t.form();
    const int language = f.Combo1().list_index();
    check(language >= -1 && language <= 6, "language index in -1..6");
    check(f.Combo1().entries().size() == 7, "seven languages listed");
    check(f.Frame(0).caption() == texts()(language, 0), "Frame(0) caption");
    for (int i = 3; i <= 7; ++i)
        check(f.Frame(i).caption() == texts()(language, i), "frame caption");
    for (int c = 1; c <= 4; ++c) {
        const int high = f.high_pressure_scroll(c).value();
        const int low = f.low_pressure_scroll(c).value();
        const int enabled = f.pressure_channel(c).value();
        check(high >= 0 && high <= 99 && low >= 0 && low <= 99, "thresholds in 0..99");
        check(high >= low, "high >= low");
        check(enabled >= 0 && enabled <= 2, "check value in 0..2");
        check(f.channel_frame(c).enabled() == (enabled != 0), "channel frame follows its check box");
        check(f.high_pressure_frame(c).enabled() == (enabled != 0), "alarm frame follows its check box");
        check(f.high_pressure_frame(c).caption() == alarm_caption(language, 1, high), "high caption");
        check(f.low_pressure_frame(c).caption() == alarm_caption(language, 2, low), "low caption");
    }
}

// A file with a byte order mark is read in its own encoding, but a save writes the ANSI code page
// (Windows-1252 here), where a character the page can't hold becomes "?". The page holds exactly the
// characters its 256 bytes read as.
std::u16string as_saved(std::u16string text) {
    static const auto held = [] {
        std::string bytes;
        for (int b = 0; b < 256; ++b)
            bytes.push_back(static_cast<char>(b));
        std::u16string characters;
        pm::Cp1252Text{}.to_wide(bytes, characters);
        std::bitset<0x10000> set;
        for (char16_t c : characters)
            set.set(c);
        return set;
    }();
    for (char16_t& c : text) {
        if (!held.test(c)) c = u'?';
    }
    return text;
}

WindowState as_saved(WindowState state) {
    state.job = as_saved(std::move(state.job));
    for (std::u16string& number : state.sms)
        number = as_saved(std::move(number));
    return state;
}

std::size_t hash_of(const WindowState& state) {
    std::size_t h = std::hash<std::u16string>{}(state.job);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9E3779B97F4A7C15u + (h << 6) + (h >> 2); };
    for (int c = 0; c < 4; ++c)
        mix(static_cast<std::size_t>(state.enabled[c] * 10000 + state.high[c] * 100 + state.low[c]));
    for (const std::u16string& number : state.sms)
        mix(std::hash<std::u16string>{}(number));
    mix(static_cast<std::size_t>(state.language + 1));
    return h;
}

// The files already read back, each with the window it gave. Reading the same bytes into a fresh window
// gives the same window every time, and most inputs save a file that an earlier input saved already (the
// same values, another spelling): those skip a read-back whose outcome is known, all but every 32nd,
// which is read back anyway so that this premise is checked too. Kept as hashes in a fixed table, so that
// remembering allocates nothing: libFuzzer runs an input that leaves more allocations than it frees a
// second time, looking for a leak. A crash input run on its own always reads back.
class ReadBacks {
  public:
    bool skip(std::string_view file, const WindowState& window) {
        const std::size_t h = std::hash<std::string_view>{}(file);
        const Slot& slot = slots_[h % slots_.size()];
        const bool known = slot.used && slot.file == h && slot.window == hash_of(window);
        return known && ++repeats_ % 32 != 0;
    }
    void remember(std::string_view file, const WindowState& window) {
        const std::size_t h = std::hash<std::string_view>{}(file);
        slots_[h % slots_.size()] = {true, h, hash_of(window)};
    }

  private:
    struct Slot {
        bool used = false;
        std::size_t file = 0;
        std::size_t window = 0;
    };
    std::array<Slot, 1 << 16> slots_{};
    unsigned repeats_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pm::test::TestApp t;
    t.files.put(u"SETTINGS.TXT", std::string(reinterpret_cast<const char*>(data), size));
    t.app.Main();
    check_window(t);

    check(pm::save_settings(t.form(), t.files, t.text).ok(), "save");
    const std::string& saved = t.files.bytes(u"SETTINGS.TXT");
    const WindowState expected = as_saved(pm::test::state_of(t.form()));
    static ReadBacks read_backs;
    if (read_backs.skip(saved, expected)) return 0;
    pm::test::TestApp again;
    again.files.put(u"SETTINGS.TXT", saved);
    again.app.Main();
    check_window(again);
    const WindowState after = pm::test::state_of(again.form());
    if (after != expected) {
        std::ostringstream shown;
        shown << "saved:   " << expected << "\nread in: " << after << "\n";
        std::fputs(shown.str().c_str(), stderr);
    }
    check(after == expected, "a save read back gives the same window");
    read_backs.remember(saved, expected);
    return 0;
}
