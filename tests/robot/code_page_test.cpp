// The system's ANSI code page: the settings file is read and written in it, whatever it is (single-byte,
// or double-byte Shift-JIS, where a character's second byte can be "\"), while the window shows and takes
// UTF-16 text. The harness sets Wine's code page through the locale and names it in PM_ROBOT_CODE_PAGE;
// each run works the file of its code page.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

struct CodePageCase {
    UINT code_page;
    std::string job_bytes;  // JOB's value in the code page
    const wchar_t* job;     // the same text as the job box shows it
    int language;
    // Typed into an SMS box: none is a telephone number's, so each is refused with one beep.
    std::vector<std::wstring> refused;
};

// Each file's job text has characters that other code pages write as other bytes. Under 932 and 1250 the
// file's language has a name or a save prompt with a letter that the code page lacks: a window text that
// went through the code page would show a "?" or another letter there.
const CodePageCase cases[] = {
    {932,
     // 日本 A, four half-width katakana (one byte each), ソフト表: ソ and 表 end in the byte "\".
     "\x93\xfa\x96{ A\xb6\xc0\xb6\xc5 \x83\\\x83t\x83g\x95\\",
     L"\u65e5\u672c A\uff76\uff80\uff76\uff85 \u30bd\u30d5\u30c8\u8868",
     french,
     // An emoji (a surrogate pair), a double-byte character, a single-byte half-width katakana, a letter
     // the code page lacks.
     {L"\U0001F600", L"\u65e5", L"\uff76", L"\u017c"}},
    {1250,
     "Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1",
     L"Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 ja\u017a\u0144",
     spanish,
     {L"\U0001F600", L"\u017c", L"\u65e5"}},
    {1252,
     "Gr\xf6\xdf"
     "e 5 \x80 \x96 M\xfcller\x99",
     L"Gr\u00f6\u00dfe 5 \u20ac \u2013 M\u00fcller\u2122",
     german,
     {L"\U0001F600", L"\u00e9", L"\u65e5"}},
};

// The case for the code page the harness has set up (by default, Wine's for a locale such as C, 1252),
// after checking that Wine really runs with it.
const CodePageCase* this_code_page() {
    const UINT expected = config().code_page ? config().code_page : 1252;
    const UINT actual = GetACP();
    EXPECT_EQ(actual, expected) << "Wine took another code page: has glibc the locale named in LANG and "
                                   "LC_ALL (locale -a)?";
    if (actual != expected) return nullptr;
    for (const CodePageCase& c : cases) {
        if (c.code_page == actual) return &c;
    }
    ADD_FAILURE() << "no file for code page " << actual;
    return nullptr;
}

// The example file with the case's job and language, in the exact form the editor writes, so that
// saving it unchanged gives it back byte for byte.
std::string settings_file(const CodePageCase& c) {
    std::string file = example_file;
    file.replace(4, file.find("\r\n") - 4, c.job_bytes);  // after "JOB="
    return file.replace(file.rfind("LANGUAGE=2"), 10, "LANGUAGE=" + std::to_string(c.language));
}

// The file's text and the window's captions come out right in the code page, and Yes writes the file
// back byte for byte.
TEST(CodePage, TheFileIsShownAndWrittenBackByteForByte) {
    const CodePageCase* c = this_code_page();
    ASSERT_NE(c, nullptr);
    ProgramFolder folder;
    const std::string file = settings_file(*c);
    folder.write_settings(file);
    Editor editor(folder);

    EXPECT_EQ(editor.title(), L"Pelmora\u2122 PM (V2.00)");
    EXPECT_EQ(editor.text(id::text5), c->job);
    EXPECT_EQ(editor.text(id::text1(1)), L"0123456789");
    EXPECT_EQ(editor.text(id::text1(3)), L"+3100000000");
    EXPECT_EQ(editor.selection(), c->language);
    EXPECT_EQ(editor.text(id::combo1), language_name(c->language));

    editor.chord(VK_MENU, VK_F4);
    const HWND box = editor.wait_message_box();
    ASSERT_NE(box, nullptr) << "no save prompt after Alt+F4";
    EXPECT_EQ(editor.read_message_box(box).title, lang_text(c->language, row::prompt_title));
    editor.key(VK_RETURN);
    ASSERT_TRUE(editor.wait_ended());
    EXPECT_EQ(folder.settings(), file);
}

// Text editors save the file as UTF-8 or UTF-16 with a byte order mark: the editor shows the same text,
// and Yes writes the monitor's file in the code page, byte for byte the file above.
TEST(CodePage, AFileWithAMarkIsShownAndWrittenBackInTheCodePage) {
    const CodePageCase* c = this_code_page();
    ASSERT_NE(c, nullptr);
    const std::string ansi = settings_file(*c);
    // The same lines as UTF-16: the job's characters, then the rest, which is ASCII.
    const std::size_t job_end = ansi.find("\r\n");
    const std::wstring text =
        L"JOB=" + std::wstring(c->job) + std::wstring(ansi.begin() + job_end, ansi.end());
    std::string utf8(static_cast<std::size_t>(text.size() * 4), '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    auto utf16 = [&](bool little_endian) {
        std::string bytes = little_endian ? "\xFF\xFE" : "\xFE\xFF";
        for (wchar_t unit : text) {
            const char low = static_cast<char>(unit & 0xFF);
            const char high = static_cast<char>(unit >> 8);
            bytes += little_endian ? std::string{low, high} : std::string{high, low};
        }
        return bytes;
    };
    const struct {
        const char* name;
        std::string file;
    } marked[] = {{"UTF-8", "\xEF\xBB\xBF" + utf8}, {"UTF-16 LE", utf16(true)}, {"UTF-16 BE", utf16(false)}};
    for (const auto& m : marked) {
        SCOPED_TRACE(m.name);
        ProgramFolder folder;
        folder.write_settings(m.file);
        Editor editor(folder);
        EXPECT_EQ(editor.text(id::text5), c->job);
        EXPECT_EQ(editor.selection(), c->language);
        editor.chord(VK_MENU, VK_F4);
        ASSERT_NE(editor.wait_message_box(), nullptr) << "no save prompt after Alt+F4";
        editor.key(VK_RETURN);
        ASSERT_TRUE(editor.wait_ended());
        EXPECT_EQ(folder.settings(), ansi);
    }
}

// "U+1F600" for the character in these UTF-16 units.
std::string code_point(const std::wstring& typed) {
    unsigned value = typed[0];
    if (typed.size() == 2) value = 0x10000 + ((value - 0xD800) << 10) + (typed[1] - 0xDC00u);
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", value);
    return text;
}

// Each character an SMS box refuses is dropped with exactly one beep, an emoji's two UTF-16 halves
// included, and a digit typed after them is kept without one.
TEST(CodePage, EveryRefusedCharacterBeepsOnce) {
    const CodePageCase* c = this_code_page();
    ASSERT_NE(c, nullptr);
    ProgramFolder folder;
    Editor editor(folder);
    ASSERT_TRUE(editor.tab_to(id::text1(2)));
    BellCount rings(editor);

    for (const std::wstring& typed : c->refused) {
        SCOPED_TRACE(code_point(typed));
        editor.type(typed);
        EXPECT_EQ(rings.settled(1), 1);
        EXPECT_EQ(editor.text(id::text1(2)), L"");
    }
    editor.type(L"7");
    EXPECT_EQ(rings.settled(0), 0);
    EXPECT_EQ(editor.text(id::text1(2)), L"7");
}

}  // namespace
}  // namespace robot
