// Arbitrary bytes as SETTINGS.TXT, read into a freshly started window. After every input: nothing
// escapes, every channel keeps high >= low, every value lies in its control's range, every caption shows
// its values in the selected language, and a save read back into a fresh window gives the same window.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "doubles/test_app.h"
#include "doubles/window_state.h"
#include "lang/lang_text.h"
#include "settings/settings_file.h"

namespace {

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
        check(f.high_pressure_frame(c).caption() == caption(texts()(language, 1), high), "high caption");
        check(f.low_pressure_frame(c).caption() == caption(texts()(language, 2), low), "low caption");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pm::test::TestApp t;
    t.files.put(u"SETTINGS.TXT", std::string(reinterpret_cast<const char*>(data), size));
    t.app.Main();
    check_window(t);

    check(pm::save_settings(t.form(), t.files, t.text).ok(), "save");
    const std::string saved = t.files.bytes(u"SETTINGS.TXT");
    pm::test::TestApp again;
    again.files.put(u"SETTINGS.TXT", saved);
    again.app.Main();
    check_window(again);
    const pm::test::WindowState before = pm::test::state_of(t.form());
    const pm::test::WindowState after = pm::test::state_of(again.form());
    if (after != before) {
        std::ostringstream shown;
        shown << "saved:   " << before << "\nread in: " << after << "\n";
        std::fputs(shown.str().c_str(), stderr);
    }
    check(after == before, "a save read back gives the same window");
    return 0;
}
