#include "doubles/window_state.h"

#include <cstdio>

namespace pm::test {

WindowState state_of(Form1& form) {
    WindowState s;
    s.job = form.Text5().text();
    for (int c = 1; c <= 4; ++c) {
        s.enabled[c - 1] = form.pressure_channel(c).value();
        s.high[c - 1] = form.high_pressure_scroll(c).value();
        s.low[c - 1] = form.low_pressure_scroll(c).value();
    }
    for (int i = 1; i <= 3; ++i)
        s.sms[i - 1] = form.Text1(i).text();
    s.language = form.Combo1().list_index();
    return s;
}

namespace {

void quoted(std::ostream& out, const std::u16string& text) {
    out << '"';
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
            out << static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out << escaped;
        }
    }
    out << '"';
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const WindowState& state) {
    out << "job ";
    quoted(out, state.job);
    for (int c = 0; c < 4; ++c) {
        out << ", CH" << c + 1 << ' ' << state.enabled[c] << " high " << state.high[c] << " low "
            << state.low[c];
    }
    out << ", sms";
    for (const std::u16string& number : state.sms) {
        out << ' ';
        quoted(out, number);
    }
    return out << ", language " << state.language;
}

}  // namespace pm::test
