#include <gtest/gtest.h>

#include "doubles/test_app.h"
#include "lang/lang_text.h"

namespace pm {
namespace {

int filled_cells(const LangText& table) {
    int filled = 0;
    for (int language = 0; language < 7; ++language) {
        for (int row = 0; row < LangText::rows; ++row)
            filled += !table(language, row).empty();
    }
    return filled;
}

TEST(LangText, StartsEmptyAndHoldsTheSeventyTextsOnceFilled) {
    LangText table;
    EXPECT_EQ(filled_cells(table), 0);
    table.fill();
    EXPECT_EQ(filled_cells(table), 70);
    table.fill();
    EXPECT_EQ(filled_cells(table), 70);
    EXPECT_EQ(table(0, 10), u"");
    EXPECT_EQ(table(4, 9), u"Zapisz ustawienia przed zamknieciem ?");
    EXPECT_EQ(table(1, 8), u"Quitter éditeur de paramètres");
    EXPECT_EQ(table(6, 1), u"Alarma de alta presión");
    EXPECT_EQ(table(6, 7), u"habilitar los canales");
    EXPECT_EQ(table(3, 8), u"af te sluiten Settings Editor");
    EXPECT_THROW(table(0, 11), std::out_of_range);
}

TEST(LangText, AnIndexWithoutTextsReadsEnglish) {
    LangText table;
    table.fill();
    for (int language : {-1, 7, 100, -32768}) {
        EXPECT_EQ(table(language, 0), u"Language");
        EXPECT_EQ(table(language, 9), u"Save the settings before you exit?");
    }
}

struct LanguageTest : ::testing::Test {
    test::TestApp t;
    void SetUp() override { t.app.Main(); }
    Form1& form() { return t.form(); }
};

TEST_F(LanguageTest, ChoosingALanguageRetitlesEveryGroupBoxAndKeepsTheValues) {
    form().high_pressure_scroll(2).set_value(25);
    form().Combo1().choose(6);
    EXPECT_EQ(form().Frame(0).caption(), u"Idioma");
    EXPECT_EQ(form().Frame(3).caption(), u"Descripción del trabajo");
    EXPECT_EQ(form().Frame(4).caption(), u"SMS Número 1");
    EXPECT_EQ(form().Frame(5).caption(), u"SMS Número 2");
    EXPECT_EQ(form().Frame(6).caption(), u"SMS Número 3");
    EXPECT_EQ(form().Frame(7).caption(), u"habilitar los canales");
    EXPECT_EQ(form().high_pressure_frame(2).caption(), u"Alarma de alta presión (25Pa)");
    EXPECT_EQ(form().low_pressure_frame(2).caption(), u"Alarma de baja presión (0Pa)");
    for (int c : {1, 3, 4})
        EXPECT_EQ(form().high_pressure_frame(c).caption(), u"Alarma de alta presión (0Pa)");
}

TEST_F(LanguageTest, AlarmCaptionsCarryTheValueWithoutPadding) {
    form().high_pressure_scroll(1).set_value(99);
    EXPECT_EQ(form().high_pressure_frame(1).caption(), u"High pressure alarm (99Pa)");
    form().high_pressure_scroll(1).set_value(0);
    EXPECT_EQ(form().high_pressure_frame(1).caption(), u"High pressure alarm (0Pa)");
    EXPECT_EQ(form().low_pressure_frame(1).caption(), u"Low pressure alarm (0Pa)");
}

TEST_F(LanguageTest, TypingIntoTheListChangesNoCaptionUntilTheNextRefresh) {
    form().Combo1().choose(2);
    form().Combo1().type_text(u"Deutsch?");
    EXPECT_EQ(form().Frame(0).caption(), u"Sprache");
    // A threshold change refreshes that channel's captions, now in English for the missing selection.
    form().low_pressure_scroll(3).set_value(4);
    EXPECT_EQ(form().high_pressure_frame(3).caption(), u"High pressure alarm (4Pa)");
    EXPECT_EQ(form().high_pressure_frame(1).caption(), u"Hochdruck-alarm (0Pa)");
}

TEST_F(LanguageTest, NoDesignTimeCaptionRemainsAfterStartUp) {
    for (Control* c : form().controls()) {
        if (auto* frame = dynamic_cast<FrameControl*>(c)) {
            EXPECT_NE(frame->caption(), u"high_pressure_frame");
            EXPECT_NE(frame->caption(), u"Frame1");
            EXPECT_NE(frame->caption(), u"Enable");
            EXPECT_NE(frame->caption(), u"Job Description");
        }
    }
    EXPECT_EQ(form().Frame(3).caption(), u"Job description");
    EXPECT_EQ(form().channel_frame(2).caption(), u"CH2");
}

}  // namespace
}  // namespace pm
