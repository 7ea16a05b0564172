// The Win32 text service on the ANSI code pages Windows ships with: single-byte, double-byte and UTF-8,
// each given to the service directly, and in pieces small enough that every character boundary is cut.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/win32_text.h"

namespace pm {
namespace {

constexpr std::size_t whole = std::size_t{1} << 30;
constexpr std::size_t pieces[] = {1, 2, 3, 4, 5, 7, whole};

struct Text {
    unsigned code_page;
    std::string bytes;
    std::u16string wide;
};

TEST(CodePages, RoundTripTheirTextsInPiecesOfAnySize) {
    const Text texts[] = {
        {1250, "Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1", u"Zażółć gęślą jaźń"},
        {1251, "\xd1\xfa\xe5\xf8\xfc \xe6\xe5 \xe5\xf9\xb8 \xfd\xf2\xe8\xf5", u"Съешь же ещё этих"},
        {1251, "\xa5\xe0\xed\xee\xea, \xaa\xe2\xe0, \xaf\xe6\xe0\xea", u"Ґанок, Єва, Їжак"},
        {1252,
         "Fran\xe7"
         "ais d\xe9j\xe0 vu \x96 \x80"
         "5 \x99",
         u"Français déjà vu – €5 ™"},
        {1252, "\x81\x8d\x8f\x90\x9d", u"\u0081\u008d\u008f\u0090\u009d"},  // the page's gaps pass through
        {1253, "\xce\xe5\xf3\xea\xe5\xf0\xdc\xe6\xf9 \xf4\xe7\xed", u"Ξεσκεπάζω την"},
        {932,
         "\x93\xfa\x96{\x8c\xea\x82\xcc\x83"
         "e\x83L\x83X\x83g",
         u"日本語のテキスト"},
        {932, "\xb1\xb2\xb3\xb4\xb5 \xca\xdd\xb6\xb8", u"ｱｲｳｴｵ ﾊﾝｶｸ"},
        {932, "\x83\x5c\x95\x5c\x94\x5c\x5c", u"ソ表能\\"},  // trail bytes 0x5C, then a real "\"
        {932, "A\x93\xfa\x96{", u"A日本"},
        {936, "\xd6\xd0\xce\xc4\xbc\xf2\xcc\xe5 ABC", u"中文简体 ABC"},
        {949, "\xc7\xd1\xb1\xb9\xbe\xee \xc5\xd8\xbd\xba\xc6\xae", u"한국어 텍스트"},
        {950,
         "\xa4\xa4\xa4\xe5\xc1"
         "c\xc5\xe9 \xb3\x5c\xa5\x5c\xbb\x5c",
         u"中文繁體 許功蓋"},
        {65001, "Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80 \xc3\xbc",
         u"Zażółć 日本 😀 ü"},
        {65001, "a\xf0\x9f\x98\x80", u"a😀"},
        {65001, "\xe2\x82\xac\xe2\x88\x9e \xce\xa9 \xef\xac\x81 \xf0\x9d\x84\x9e", u"€∞ Ω ﬁ 𝄞"},
        {932, "", u""},
        {65001, "", u""},
    };
    for (const Text& t : texts) {
        ASSERT_TRUE(IsValidCodePage(t.code_page)) << "Wine lacks code page " << t.code_page;
        for (const std::size_t piece : pieces) {
            SCOPED_TRACE("code page " + std::to_string(t.code_page) + ", piece " + std::to_string(piece) +
                         ": " + t.bytes);
            Win32Text text(t.code_page, piece);
            std::u16string wide;
            std::string bytes;
            EXPECT_EQ(text.to_wide(t.bytes, wide), sys_error::ok);
            EXPECT_EQ(wide, t.wide);
            EXPECT_EQ(text.to_ansi(t.wide, bytes), sys_error::ok);
            EXPECT_EQ(bytes, t.bytes);
        }
    }
}

TEST(CodePages, ReadEachDoubleByteCharacterOnce) {
    // Counting one unit per byte once turned these bytes into "日本 A A".
    Win32Text text(932);
    std::u16string wide;
    EXPECT_EQ(text.to_wide("\x93\xfa\x96{ A", wide), sys_error::ok);
    EXPECT_EQ(wide, u"日本 A");
}

TEST(CodePages, WriteWhatTheyLackAndUnpairedSurrogatesAsQuestionMarks) {
    const Text texts[] = {
        {1252, "?", u"ł"},  // never "l"
        {1252,
         "?\xf3"
         "d?",
         u"Łódź"},
        {1252, "?", u"∞"},  // never "8"
        {1251, "?", u"中"},
        {932, "caf?", u"café"},  // never "e"
        {936, "?", u"한"},
        {1252, "a?b",
         u"a\xD800"
         u"b"},
        {1252, "?", u"\xDC00"},
        {932, "?\x93\xfa",
         u"\xD83D"
         u"日"},
        {65001, "a?b",
         u"a\xD800"
         u"b"},
        {65001, "a?", u"a\xD83D"},
        {65001, "??", u"\xDE00\xD83D"},
        {65001, "?\xf0\x9f\x98\x80", u"\xDC00\xD83D\xDE00"},
    };
    for (const Text& t : texts) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, whole}) {
            SCOPED_TRACE("code page " + std::to_string(t.code_page) + ", piece " + std::to_string(piece) +
                         ": " + t.bytes);
            Win32Text text(t.code_page, piece);
            std::string bytes;
            EXPECT_EQ(text.to_ansi(t.wide, bytes), sys_error::ok);
            EXPECT_EQ(bytes, t.bytes);
        }
    }
}

TEST(CodePages, FailBytesThatAreNoText) {
    const struct {
        unsigned code_page;
        std::string bytes;
    } cases[] = {
        {932, "\x82"},  // a lead byte with no trail byte
        {932, "\x93\xfa\x82"},   {936, "ABC\xd6"},    {949, "\xb0"},
        {950, "\xa4"},           {1253, "\xaa"},  // a gap in the page
        {65001, "\xc3\x28"},     {65001, "\xff"},     {65001, "ab\xc3"},
        {65001, "\x80"},         {65001, "\xc0\xaf"},  // "/" in two bytes
        {65001, "\xed\xa0\x80"},                       // a surrogate
    };
    for (const auto& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, whole}) {
            SCOPED_TRACE("code page " + std::to_string(c.code_page) + ", piece " + std::to_string(piece) +
                         ": " + c.bytes);
            Win32Text text(c.code_page, piece);
            std::u16string wide = u"old";
            EXPECT_EQ(text.to_wide(c.bytes, wide), sys_error::no_unicode_translation);
            EXPECT_EQ(wide, u"");
        }
    }
}

TEST(CodePages, GiveTheOneByteOfATypedCharacter) {
    const struct {
        unsigned code_page;
        char16_t c;
        std::optional<unsigned char> byte;
    } cases[] = {
        {1252, u'A', 'A'},      {1252, u'?', '?'},  {1252, u'é', 0xE9},    {1252, u'€', 0x80},
        {1252, u'ł', {}},       {1252, u'∞', {}},   {1252, u'\xD800', {}}, {1250, u'ł', 0xB3},
        {1251, u'Ж', 0xC6},     {1253, u'Ω', 0xD9}, {65001, u'A', 'A'},    {65001, u'é', {}},
        {65001, u'\xD83D', {}}, {932, u'A', 'A'},   {932, u'ｱ', 0xB1},     {932, u'日', {}},
        {932, u'é', {}},        {936, u'中', {}},   {949, u'\xDC00', {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Win32Text(c.code_page).single_byte(c.c), c.byte)
            << "code page " << c.code_page << ", U+" << std::hex << static_cast<unsigned>(c.c);
    }
}

TEST(CodePages, TheSystemsIsResolvedOnce) {
    EXPECT_EQ(Win32Text().code_page(), GetACP());
}

}  // namespace
}  // namespace pm
