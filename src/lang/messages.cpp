#include "lang/messages.h"

#include "lang/lang_text.h"

namespace pm {

namespace {

constexpr std::u16string_view save_failed[language_count] = {
    u"The settings could not be saved.",
    u"Les paramètres n'ont pas pu être enregistrés.",
    u"Die Einstellungen konnten nicht gespeichert werden.",
    u"De instellingen konden niet worden opgeslagen.",
    u"Nie mozna zapisac ustawien.",
    u"Impossibile salvare le impostazioni.",
    u"No se pudo guardar la configuración.",
};

constexpr std::u16string_view read_failed[language_count] = {
    u"The settings file could not be read completely. Saving on exit replaces it with the values shown.",
    u"Le fichier de paramètres n'a pas pu être lu entièrement. L'enregistrement en quittant le remplace par "
    u"les "
    u"valeurs affichées.",
    u"Die Einstellungsdatei konnte nicht vollständig gelesen werden. Speichern beim Verlassen ersetzt sie "
    u"durch die "
    u"angezeigten Werte.",
    u"Het instellingenbestand kon niet volledig worden gelezen. Opslaan bij afsluiten vervangt het door de "
    u"getoonde "
    u"waarden.",
    u"Nie mozna odczytac calego pliku ustawien. Zapis przy wyjsciu zastapi go wyswietlanymi wartosciami.",
    u"Impossibile leggere completamente il file delle impostazioni. Il salvataggio all'uscita lo sostituisce "
    u"con i "
    u"valori mostrati.",
    u"No se pudo leer por completo el archivo de configuración. Guardar al salir lo reemplaza con los "
    u"valores "
    u"mostrados.",
};

// Like lang_text: no selection, or an index without texts, reads English.
int known(int language) {
    return language >= 0 && language < language_count ? language : 0;
}

}  // namespace

std::u16string_view save_failed_text(int language) {
    return save_failed[known(language)];
}
std::u16string_view read_failed_text(int language) {
    return read_failed[known(language)];
}

}  // namespace pm
