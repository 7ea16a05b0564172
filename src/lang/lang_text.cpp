#include "lang/lang_text.h"

#include <stdexcept>

#include "window/form1.h"

namespace pm {

namespace {

constexpr std::u16string_view names[language_count] = {
    u"English", u"Français", u"Deutsch", u"Nederlands", u"Polskie", u"Italiano", u"Español",
};

// clang-format off
constexpr std::u16string_view texts[10][language_count] = {
    // 0 English                   1 Français                         2 Deutsch
    // 3 Nederlands                4 Polskie                          5 Italiano                  6 Español
    {u"Language", u"langue", u"Sprache", u"taal", u"Jezyk", u"Lingua", u"Idioma"},
    {u"High pressure alarm", u"Alarme de haute pression", u"Hochdruck-alarm", u"Hoge druk alarm",
     u"Alarm wysokiego cisnienia", u"Allarme di alta pressione", u"Alarma de alta presión"},
    {u"Low pressure alarm", u"Alarme de basse pression", u"Niederdruck-alarm", u"Lage druk alarm",
     u"Alarm niskiego cisnienia", u"Allarme bassa pressione", u"Alarma de baja presión"},
    {u"Job description", u"Description du poste", u"Job-beschreibung", u"Functiebeschrijving",
     u"Opis pracy", u"Descrizione del lavoro", u"Descripción del trabajo"},
    {u"SMS Number 1", u"Numéro SMS 1", u"SMS-Nummer 1", u"SMS nummer 1", u"Liczba SMS 1", u"SMS Numero 1",
     u"SMS Número 1"},
    {u"SMS Number 2", u"Numéro SMS 2", u"SMS-Nummer 2", u"SMS nummer 2", u"Liczba SMS 2", u"SMS Numero 2",
     u"SMS Número 2"},
    {u"SMS Number 3", u"Numéro SMS 3", u"SMS-Nummer 3", u"SMS nummer 3", u"Liczba SMS 3", u"SMS Numero 3",
     u"SMS Número 3"},
    {u"Enable channel", u"Activer le canal", u"Aktivieren kanal", u"Inschakelen kanaal", u"Wlacz kanal",
     u"Attivare il canale", u"habilitar los canales"},
    {u"Exit settings editor", u"Quitter éditeur de paramètres", u"Verlassen settings editor",
     u"af te sluiten Settings Editor", u"Edytor ustawien wyjscia", u"editor di impostazioni di uscita",
     u"editor de configuración de salida"},
    {u"Save the settings before you exit?", u"Enregistrer les paramètres avant de quitter?",
     u"Speichern Sie die Einstellungen, bevor Sie verlassen?", u"Sla de instellingen op voordat u afsluiten?",
     u"Zapisz ustawienia przed zamknieciem ?", u"Salvare le impostazioni prima di uscire ?",
     u"Guardar la configuración antes de salir ?"},
};
// clang-format on

}  // namespace

std::u16string_view language_name(int language) {
    return names[language];
}

void LangText::fill() {
    for (int language = 0; language < language_count; ++language) {
        for (int row = 0; row < 10; ++row)
            cells_[language][row] = texts[row][language];
    }
}

const std::u16string& LangText::operator()(int language, int row) const {
    if (row < 0 || row >= rows) throw std::out_of_range("lang_text row");
    // With no entry selected (-1), or any index without texts, the window reads English.
    if (language < 0 || language >= language_count) language = 0;
    return cells_[language][row];
}

void apply_language(Form1& form, LangText& lang_text) {
    lang_text.fill();
    form.Frame(0).set_caption(lang_text(form.Combo1().list_index(), 0));
    for (int i = 3; i <= 7; ++i)
        form.Frame(i).set_caption(lang_text(form.Combo1().list_index(), i));
    for (int channel = 1; channel <= 4; ++channel)
        update_alarm_captions(form, lang_text, channel);
}

namespace {

std::u16string alarm_caption(const std::u16string& text, int value) {
    const std::string digits = std::to_string(value);
    // Built in one piece: every move of a bar and every change of language rebuilds two of these.
    std::u16string caption;
    caption.reserve(text.size() + digits.size() + 5);
    caption += text;
    caption += u" (";
    caption.append(digits.begin(), digits.end());
    caption += u"Pa)";
    return caption;
}

}  // namespace

void update_alarm_captions(Form1& form, const LangText& lang_text, int channel) {
    form.high_pressure_frame(channel).set_caption(
        alarm_caption(lang_text(form.Combo1().list_index(), 1), form.high_pressure_scroll(channel).value()));
    form.low_pressure_frame(channel).set_caption(
        alarm_caption(lang_text(form.Combo1().list_index(), 2), form.low_pressure_scroll(channel).value()));
}

}  // namespace pm
