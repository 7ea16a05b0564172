// Settings files that other editors saved with a byte order mark, and texts that can't be converted.
#include <gtest/gtest.h>

#include <string>

#include "app/app.h"
#include "doubles/test_app.h"
#include "lang/messages.h"
#include "settings/line_reader.h"
#include "settings/settings_file.h"

namespace pm {
namespace {

using test::example_settings;

std::string utf16(std::u16string_view text, bool little_endian) {
    std::string bytes;
    for (char16_t unit : text) {
        const auto low = static_cast<char>(unit & 0xFF);
        const auto high = static_cast<char>(unit >> 8);
        bytes += little_endian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

// The example file with a job the ANSI code page (Windows-1252 here) can hold, in each form an editor
// may save it: read, shown and saved back as the monitor's ANSI file, byte for byte, without a mark.
TEST(Marks, FilesWithAMarkAreReadInTheirEncodingAndSavedAsAnsi) {
    const std::string ansi = "JOB=Caf\xe9 \x80 \x99" + example_settings.substr(example_settings.find("\r\n"));
    const std::u16string text =
        u"JOB=Café € ™" + std::u16string(example_settings.begin() + 21, example_settings.end());
    const struct {
        const char* name;
        std::string file;
    } forms[] = {
        {"ANSI", ansi},
        {"UTF-8 with its mark",
         "\xEF\xBB\xBFJOB=Caf\xC3\xA9 \xE2\x82\xAC \xE2\x84\xA2" + ansi.substr(ansi.find("\r\n"))},
        {"UTF-16 LE with its mark", "\xFF\xFE" + utf16(text, true)},
        {"UTF-16 BE with its mark", "\xFE\xFF" + utf16(text, false)},
    };
    for (const auto& form : forms) {
        for (std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{64 * 1024}}) {
            SCOPED_TRACE(std::string(form.name) + ", read " + std::to_string(chunk) + " bytes at a time");
            test::TestApp t;
            t.files.put(u"SETTINGS.TXT", form.file);
            t.files.read_chunk = chunk;
            EXPECT_EQ(t.app.Main().status, LoadOutcome::Status::read);
            EXPECT_EQ(t.form().Text5().text(), u"Café € ™");
            EXPECT_EQ(t.form().Combo1().list_index(), 2);  // the last line is read too
            EXPECT_TRUE(t.boxes.shown.empty());
            ASSERT_TRUE(save_settings(t.form(), t.files, t.text).ok());
            EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), ansi);
        }
    }
}

TEST(Marks, OnlyAWholeMarkAtTheVeryStartCounts) {
    const struct {
        const char* name;
        std::string file;
        std::u16string job;
    } cases[] = {
        {"a cut UTF-8 mark is ANSI text", "\xEF\xBBJOB=x\r\n", u""},  // the key does not begin the line
        {"a mark further in is ANSI text", "JOB=\xEF\xBB\xBFx\r\n", u"ï»¿x"},
        {"a mark alone holds no line", "\xEF\xBB\xBF", u""},
        {"a UTF-16 mark alone", "\xFF\xFE", u""},
        {"UTF-16 lines end at CR, LF or CR LF", "\xFF\xFE" + utf16(u"GSM1=1\nJOB=a\r\rJOB=b\r\nGSM2=2", true),
         u"b"},
        {"UTF-16 without a mark", utf16(u"JOB=ab\r\n", true), u"ab"},
        {"UTF-16 big-endian without a mark", utf16(u"JOB=ab\r\n", false), u"ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestApp t;
        t.files.put(u"SETTINGS.TXT", c.file);
        EXPECT_EQ(t.app.Main().status, LoadOutcome::Status::read);
        EXPECT_EQ(t.form().Text5().text(), c.job);
    }
}

TEST(Utf8, IsDecodedStrictly) {
    const struct {
        std::string bytes;
        std::u16string text;  // empty with `valid` false: a failure
        bool valid;
    } cases[] = {
        {"", u"", true},
        {"a\xC3\xA9\xE2\x82\xAC", u"aé€", true},
        {"\xF0\x9F\x98\x80", u"\U0001F600", true},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
        {"\xC3", u"", false},              // cut
        {"\xC3\x28", u"", false},          // no continuation
        {"\xC0\xAF", u"", false},          // overlong
        {"\xE0\x80\xAF", u"", false},      // overlong
        {"\xED\xA0\x80", u"", false},      // an encoded surrogate
        {"\xF4\x90\x80\x80", u"", false},  // past U+10FFFF
        {"\x80", u"", false},              // a lone continuation byte
        {"\xFF", u"", false},
    };
    for (const auto& c : cases) {
        std::u16string text;
        const SysError e = utf8_to_utf16(c.bytes, text);
        EXPECT_EQ(e == sys_error::ok, c.valid) << testing::PrintToString(c.bytes);
        if (c.valid) {
            EXPECT_EQ(text, c.text);
        }
    }
}

// A text service that the system refuses some conversions to: bytes holding 0xFF in one direction, "¤"
// in the other.
struct RefusingText : Cp1252Text {
    SysError to_wide(std::string_view ansi, std::u16string& wide) override {
        if (ansi.find('\xFF') != std::string_view::npos) return sys_error::no_unicode_translation;
        return Cp1252Text::to_wide(ansi, wide);
    }
    SysError to_ansi(std::u16string_view wide, std::string& ansi) override {
        if (wide.find(u'¤') != std::u16string_view::npos) return sys_error::no_unicode_translation;
        return Cp1252Text::to_ansi(wide, ansi);
    }
};

using RefusingApp = test::BasicTestApp<RefusingText>;

// A line that is no text in its encoding is one skipped line, shown with its bytes, and the reading goes
// on; a UTF-16 file cut in the middle of a unit is damaged: its cut line is listed, not applied.
TEST(Conversion, ALineThatIsNoTextIsListedAndTheReadingGoesOn) {
    const struct {
        const char* name;
        std::string file;
        const char16_t* listed;
        bool damaged;
    } cases[] = {
        {"ANSI", "GSM1=1\r\nJOB=Caf\xFF\r\nGSM2=2\r\n", u"line 2: JOB=Caf\\xFF", false},
        {"UTF-8", "\xEF\xBB\xBFGSM1=1\r\nJOB=\xC3\r\nGSM2=2\r\n", u"line 2: JOB=\\xC3", false},
        {"UTF-16 cut", "\xFF\xFE" + utf16(u"GSM1=1\r\nGSM2=2\r\nHIGH_ALARM4=99", true).substr(0, 58) + "9",
         u"line 3: HIGH_ALARM4=9\\x39", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RefusingApp t;
        t.files.put(u"SETTINGS.TXT", c.file);
        const LoadOutcome outcome = t.app.Main();
        EXPECT_EQ(outcome.status, c.damaged ? LoadOutcome::Status::unreadable : LoadOutcome::Status::read);
        EXPECT_EQ(outcome.error, c.damaged ? sys_error::file_corrupt : sys_error::ok);
        EXPECT_EQ(t.form().Text1(1).text(), u"1");
        EXPECT_EQ(t.form().Text1(2).text(), u"2");  // what comes after is read too
        EXPECT_EQ(t.form().Text5().text(), u"");    // never a changed value
        EXPECT_EQ(t.form().high_pressure_scroll(4).value(), 0);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        const std::u16string& text = t.boxes.shown[0].text;
        EXPECT_EQ(text.find(read_failed_text(0)) == 0, c.damaged);
        EXPECT_NE(text.find(values_skipped_text(0)), std::u16string::npos);
        EXPECT_EQ(text.substr(text.size() - std::u16string_view(c.listed).size()), c.listed);
        EXPECT_EQ(t.files.open_files, 0);
    }
}

// Four headings in one box, each list of 15: a damaged UTF-16 file, values that cannot be used, lines that
// are no setting and lines the code page cannot hold. The lists take turns up to 12 lines in all, fewer
// where the box would be taller than the screen (800 x 600 at 150 %: 6000 twips); each list ends with the
// count of the rest.
TEST(Conversion, AWarningWithFourHeadingsListsTwelveLinesAtMostAndFitsTheScreen) {
    std::u16string text;
    for (int i = 0; i < 15; ++i)
        text += u"HIGH_ALARM1=x\r\nFOO=1\r\nJOB=\u041F\r\n";
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT", "\xFF\xFE" + utf16(text, true) + "9");
    const LoadOutcome outcome = t.app.Main();
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    const auto listed = [](const std::u16string& box) {
        std::size_t n = 0;
        for (std::size_t at = box.find(u"\nline "); at != std::u16string::npos;
             at = box.find(u"\nline ", at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(listed(t.boxes.shown[0].text), warning_lines);
    const std::u16string small = settings_warning(outcome, 0, t.files, box_lines(6000));
    EXPECT_LT(listed(small), warning_lines);
    EXPECT_LE(wrapped_lines(small), box_lines(6000));
    std::size_t at = 0;
    for (std::u16string_view heading : {values_skipped_text(0), no_setting_text(0), unwritable_text(0)}) {
        at = small.find(heading, at);
        ASSERT_NE(at, std::u16string::npos);
        EXPECT_NE(small.find(u"\u2026 and ", at), std::u16string::npos);
    }
}

// Text that the ANSI code page cannot hold, read from a Unicode file, is shown as read and listed before
// the window shows, since a save writes "?" for it.
TEST(Conversion, LinesWithCharactersTheCodePageLacksAreListed) {
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT",
                "\xEF\xBB\xBFJOB=\xD0\x9F\xD1\x80\xD0\xBE\r\nGSM1=caf\xC3\xA9\r\nLANGUAGE=1\r\n");
    t.app.Main();
    EXPECT_EQ(t.form().Text5().text(), u"\u041F\u0440\u043E");
    EXPECT_EQ(t.form().Text1(1).text(), u"café");
    ASSERT_EQ(t.boxes.shown.size(), 1u);
    EXPECT_EQ(
        t.boxes.shown[0].text,
        u"Ces lignes contiennent des caractères que cet ordinateur ne peut pas écrire dans le fichier de "
        u"paramètres. L'enregistrement écrit chacun comme « ? » :\n\nligne 1: JOB=\u041F\u0440\u043E");
}

TEST(Conversion, ATextThatCannotBeConvertedIsNeverSavedShortened) {
    RefusingApp t;
    t.files.put(u"SETTINGS.TXT", example_settings);
    t.app.Main();
    t.form().Text1(2).set_text(u"12¤");
    const SaveOutcome outcome = save_settings(t.form(), t.files, t.text);
    EXPECT_EQ(outcome.failed_step, SaveOutcome::Step::convert);
    EXPECT_EQ(outcome.error, sys_error::no_unicode_translation);
    EXPECT_EQ(t.files.calls(test::FsOp::create), 0);
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), example_settings);

    // Met by the user closing with Yes: the error box, and the window stays open.
    t.boxes.answers = {box::answer_yes, box::answer_ok};
    EXPECT_FALSE(t.form().request_close(CloseReason::user));
    ASSERT_EQ(t.boxes.shown.size(), 2u);
    EXPECT_EQ(t.boxes.shown[1].style, box::icon_error);
    EXPECT_EQ(t.files.bytes(u"SETTINGS.TXT"), example_settings);
}

}  // namespace
}  // namespace pm
