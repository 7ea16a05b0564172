#include "lang/messages.h"

#include "lang/lang_text.h"

namespace pm {

namespace {

using Texts = std::u16string_view[language_count];

// One message a line, never broken mid-phrase.
// clang-format off
constexpr Texts save_failed = {
    u"The settings could not be saved.",
    u"Les paramètres n'ont pas pu être enregistrés.",
    u"Die Einstellungen konnten nicht gespeichert werden.",
    u"De instellingen konden niet worden opgeslagen.",
    u"Nie mozna zapisac ustawien.",
    u"Impossibile salvare le impostazioni.",
    u"No se pudo guardar la configuración.",
};

constexpr Texts read_failed = {
    u"The settings file could not be read completely. Saving on exit replaces it with the values shown.",
    u"Le fichier de paramètres n'a pas pu être lu entièrement. L'enregistrement en quittant le remplace par les valeurs affichées.",
    u"Die Einstellungsdatei konnte nicht vollständig gelesen werden. Speichern beim Verlassen ersetzt sie durch die angezeigten Werte.",
    u"Het instellingenbestand kon niet volledig worden gelezen. Opslaan bij afsluiten vervangt het door de getoonde waarden.",
    u"Nie mozna odczytac calego pliku ustawien. Zapis przy wyjsciu zastapi go wyswietlanymi wartosciami.",
    u"Impossibile leggere completamente il file delle impostazioni. Il salvataggio all'uscita lo sostituisce con i valori mostrati.",
    u"No se pudo leer por completo el archivo de configuración. Guardar al salir lo reemplaza con los valores mostrados.",
};

constexpr Texts values_skipped = {
    u"These values in the settings file could not be used. Saving on exit replaces them with the values shown:",
    u"Ces valeurs du fichier de paramètres n'ont pas pu être utilisées. L'enregistrement en quittant les remplace par les valeurs affichées :",
    u"Diese Werte der Einstellungsdatei konnten nicht verwendet werden. Speichern beim Verlassen ersetzt sie durch die angezeigten Werte:",
    u"Deze waarden in het instellingenbestand konden niet worden gebruikt. Opslaan bij afsluiten vervangt ze door de getoonde waarden:",
    u"Tych wartosci z pliku ustawien nie mozna bylo uzyc. Zapis przy wyjsciu zastapi je wyswietlanymi wartosciami:",
    u"Questi valori del file delle impostazioni non sono utilizzabili. Il salvataggio all'uscita li sostituisce con i valori mostrati:",
    u"Estos valores del archivo de configuración no se pudieron usar. Guardar al salir los reemplaza con los valores mostrados:",
};

constexpr Texts already_open = {
    u"These settings are already open in another window of the settings editor.",
    u"Ces paramètres sont déjà ouverts dans une autre fenêtre de l'éditeur de paramètres.",
    u"Diese Einstellungen sind bereits in einem anderen Fenster des Einstellungseditors geöffnet.",
    u"Deze instellingen zijn al geopend in een ander venster van de instellingeneditor.",
    u"Te ustawienia sa juz otwarte w innym oknie edytora ustawien.",
    u"Queste impostazioni sono già aperte in un'altra finestra dell'editor delle impostazioni.",
    u"Esta configuración ya está abierta en otra ventana del editor de configuración.",
};

constexpr Texts window_failed = {
    u"The settings editor could not open its window.",
    u"L'éditeur de paramètres n'a pas pu ouvrir sa fenêtre.",
    u"Der Einstellungseditor konnte sein Fenster nicht öffnen.",
    u"De instellingeneditor kon zijn venster niet openen.",
    u"Edytor ustawien nie mogl otworzyc okna.",
    u"L'editor delle impostazioni non ha potuto aprire la finestra.",
    u"El editor de configuración no pudo abrir su ventana.",
};
// clang-format on

std::u16string_view in_language(const Texts& texts, int language) {
    return texts[language >= 0 && language < language_count ? language : 0];
}

}  // namespace

std::u16string_view save_failed_text(int language) {
    return in_language(save_failed, language);
}
std::u16string_view read_failed_text(int language) {
    return in_language(read_failed, language);
}
std::u16string_view values_skipped_text(int language) {
    return in_language(values_skipped, language);
}
std::u16string_view already_open_text(int language) {
    return in_language(already_open, language);
}
std::u16string_view window_failed_text(int language) {
    return in_language(window_failed, language);
}

}  // namespace pm
