#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <tuple>

#include "doubles/test_app.h"
#include "lang/accessible_names.h"

namespace pm {
namespace {

struct AccessibleNames : ::testing::Test {
    test::TestApp t;
    void SetUp() override { t.app.Main(); }
    Form1& form() { return t.form(); }
    std::u16string name(const Control& c) { return accessible_name(form(), c); }
};

// A screen reader tells the controls apart by name and role within the group that holds them.
TEST_F(AccessibleNames, EveryControlHasANameOfItsOwnInItsGroupInEveryLanguage) {
    for (std::int16_t language = 0; language < language_count; ++language) {
        form().Combo1().choose(language);
        std::set<std::tuple<const Control*, ControlKind, std::u16string>> seen;
        for (const Control* c : form().controls()) {
            EXPECT_FALSE(name(*c).empty()) << "tab index " << c->tab_index() << ", language " << language;
            seen.insert({c->container(), c->kind(), name(*c)});
        }
        EXPECT_EQ(seen.size(), form().controls().size()) << "language " << language;
    }
}

// The picture buttons show no text: they are named by what they do. -1: typed text selected no entry.
TEST_F(AccessibleNames, PictureButtonsSayWhatTheyDoInTheListsLanguageAndInEnglishWithNone) {
    const struct {
        std::int16_t language;
        std::u16string_view folder, web;
    } rows[] = {
        {0, u"Open the DATA folder", u"Products web page"},
        {1, u"Ouvrir le dossier DATA", u"Page web des produits"},
        {2, u"Ordner DATA öffnen", u"Produkt-Webseite"},
        {3, u"Map DATA openen", u"Productwebpagina"},
        {4, u"Otworz folder DATA", u"Strona produktow"},
        {5, u"Apri la cartella DATA", u"Pagina web dei prodotti"},
        {6, u"Abrir la carpeta DATA", u"Página web de productos"},
        {-1, u"Open the DATA folder", u"Products web page"},
    };
    for (const auto& row : rows) {
        if (row.language < 0) {
            form().Combo1().type_text(u"Klingon");
        } else {
            form().Combo1().choose(row.language);
        }
        ASSERT_EQ(form().Combo1().list_index(), row.language);
        EXPECT_EQ(name(form().Command1()), row.folder) << "language " << row.language;
        EXPECT_EQ(name(form().Command2()), row.web) << "language " << row.language;
    }
}

// The bar takes its alarm frame's caption, value and all; the bar pushed along by the other is renamed too.
TEST_F(AccessibleNames, ABarsNameFollowsItsFramesCaptionThroughThresholdChanges) {
    const struct {
        const char* step;
        std::function<void(Form1&)> change;
        std::u16string_view high, low;
    } steps[] = {
        {"high to 45", [](Form1& f) { f.high_pressure_scroll(2).set_value(45); },
         u"High pressure alarm (45Pa)", u"Low pressure alarm (0Pa)"},
        {"low to 50 pushes high", [](Form1& f) { f.low_pressure_scroll(2).set_value(50); },
         u"High pressure alarm (50Pa)", u"Low pressure alarm (50Pa)"},
        {"German", [](Form1& f) { f.Combo1().choose(2); }, u"Hochdruck-alarm (50Pa)",
         u"Niederdruck-alarm (50Pa)"},
        {"high to 7 pushes low", [](Form1& f) { f.high_pressure_scroll(2).set_value(7); },
         u"Hochdruck-alarm (7Pa)", u"Niederdruck-alarm (7Pa)"},
    };
    for (const auto& s : steps) {
        s.change(form());
        EXPECT_EQ(name(form().high_pressure_scroll(2)), s.high) << s.step;
        EXPECT_EQ(name(form().low_pressure_scroll(2)), s.low) << s.step;
    }
}

}  // namespace
}  // namespace pm
