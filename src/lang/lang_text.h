// The language table and the refresh of every translated caption.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pm {

class Form1;

inline constexpr int language_count = 7;  // 0 English ... 6 Español

// The language list's entries, by position (= language index).
std::u16string_view language_name(int language);

// lang_text(language, row): languages 0-7 by rows 0-10, every cell a text. Only fill() writes it, and
// only languages 0-6 and rows 0-9 are ever written.
class LangText {
  public:
    static constexpr int languages = 8;
    static constexpr int rows = 11;

    // Writes the 70 texts, the same on every call.
    void fill();
    // The text of `row` for `language`. A language outside 0-6 (no entry selected) reads English.
    const std::u16string& operator()(int language, int row) const;

  private:
    std::array<std::array<std::u16string, rows>, languages> cells_;
};

// Frame(0) and Frame(3..7) from the table, then the alarm captions of channels 1-4.
void apply_language(Form1& form, LangText& lang_text);
// The two alarm captions of one channel: the row 1 or 2 text, " (", the bar's Value, "Pa)".
void update_alarm_captions(Form1& form, const LangText& lang_text, int channel);

}  // namespace pm
