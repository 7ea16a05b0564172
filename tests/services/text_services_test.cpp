#include <gtest/gtest.h>

#include <optional>

#include "service_factory.h"

namespace pm {
namespace {

struct TextServicesTest : ::testing::Test {
    std::unique_ptr<TextServices> text = test::make_text_services();

    // Conversions that must succeed.
    std::u16string wide(std::string_view ansi) {
        std::u16string out;
        EXPECT_EQ(text->to_wide(ansi, out), sys_error::ok);
        return out;
    }
    std::string ansi(std::u16string_view wide_text) {
        std::string out;
        EXPECT_EQ(text->to_ansi(wide_text, out), sys_error::ok);
        return out;
    }
};

TEST_F(TextServicesTest, EveryAnsiByteSurvivesARoundTrip) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::u16string one = wide(byte);
        ASSERT_EQ(one.size(), 1u) << b;
        EXPECT_EQ(ansi(one), byte) << b;
    }
    const std::string all = [] {
        std::string s;
        for (int b = 0; b < 256; ++b)
            s.push_back(static_cast<char>(b));
        return s;
    }();
    EXPECT_EQ(ansi(wide(all)), all);
}

TEST_F(TextServicesTest, MapsWindows1252AsWindowsDoes) {
    EXPECT_EQ(wide("\x99"), u"\u2122");
    EXPECT_EQ(wide("\x80\x81\x8d\x8f\x90\x9d\x9f"), u"\u20ac\u0081\u008d\u008f\u0090\u009d\u0178");
    EXPECT_EQ(wide("Fran\xe7"
                   "ais"),
              u"Français");
    EXPECT_EQ(ansi(u"Español ™"), "Espa\xf1ol \x99");
}

TEST_F(TextServicesTest, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(ansi(u"\u4e2d"), "?");
    EXPECT_EQ(ansi(u"\u0142\u221e"), "??");  // never a look-alike such as "l" or "8"
    EXPECT_EQ(ansi(u""), "");
}

TEST_F(TextServicesTest, FindsTextIgnoringLetterCase) {
    EXPECT_EQ(text->find_no_case(u"xxjob=1", u"JOB="), 2u);
    EXPECT_EQ(text->find_no_case(u"High_Alarm1=5", u"HIGH_ALARM1="), 0u);
    EXPECT_EQ(text->find_no_case(u"JOB=JOB=", u"job=", 1), 4u);
    EXPECT_EQ(text->find_no_case(u"JO B=", u"JOB="), std::u16string_view::npos);
    EXPECT_EQ(text->find_no_case(u"CAFÉ", u"café"), 0u);
    EXPECT_EQ(text->find_no_case(u"abc", u"abcd"), std::u16string_view::npos);
}

TEST_F(TextServicesTest, UsesTheLocalesDecimalSeparator) {
    // The test machines run with a "." locale.
    EXPECT_EQ(text->decimal_separator(), u'.');
}

TEST_F(TextServicesTest, ConvertsTextToSigned16BitNumbers) {
    const struct {
        std::u16string text;
        std::optional<std::int16_t> number;
    } cases[] = {
        {u"0", 0},
        {u"50", 50},
        {u" 50 ", 50},
        {u"\t7", 7},
        {u"+7", 7},
        {u"-1", -1},
        {u"-0", 0},
        {u"007", 7},
        {u"12.5", 12},
        {u"13.5", 14},
        {u"2.5", 2},
        {u"-2.5", -2},
        {u"1.5", 2},
        {u"2.50001", 3},
        {u"20.49", 20},
        {u"5.", 5},
        {u".5", 0},
        {u".51", 1},
        {u"32767", 32767},
        {u"-32768", -32768},
        {u"32767.4", 32767},
        {u"32767.5", std::nullopt},
        {u"-32768.5", -32768},
        {u"32768", std::nullopt},
        {u"-32769", std::nullopt},
        {u"40000", std::nullopt},
        {u"99999999999999999999", std::nullopt},
        {u"1e3", std::nullopt},
        {u"abc", std::nullopt},
        {u"", std::nullopt},
        {u" ", std::nullopt},
        {u".", std::nullopt},
        {u"1,5", std::nullopt},
        {u"0x10", std::nullopt},
        {u"- 5", std::nullopt},
        {u"1 2", std::nullopt},
        {u"--1", std::nullopt},
        {u"5Pa", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text->to_int16(c.text), c.number) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(ParseInt16, FollowsTheSeparatorItIsGiven) {
    EXPECT_EQ(parse_int16(u"12,5", u','), 12);
    EXPECT_EQ(parse_int16(u"13,5", u','), 14);
    EXPECT_EQ(parse_int16(u"12.5", u','), std::nullopt);
}

}  // namespace
}  // namespace pm
