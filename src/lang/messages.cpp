#include "lang/messages.h"

#include "lang/lang_text.h"
#include "platform/utf16.h"

#include <string>

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

constexpr Texts no_setting = {
    u"These lines are no setting this editor knows. Saving on exit leaves them out:",
    u"Ces lignes ne sont pas des paramètres connus de l'éditeur. L'enregistrement en quittant les omet :",
    u"Diese Zeilen sind keine Einstellungen, die der Editor kennt. Speichern beim Verlassen lässt sie weg:",
    u"Deze regels zijn geen instellingen die de editor kent. Opslaan bij afsluiten laat ze weg:",
    u"Te wiersze nie sa ustawieniami znanymi edytorowi. Zapis przy wyjsciu je pominie:",
    u"Queste righe non sono impostazioni note all'editor. Il salvataggio all'uscita le omette:",
    u"Estas líneas no son ajustes que el editor conozca. Guardar al salir las omite:",
};

constexpr Texts unwritable = {
    u"These lines hold characters that this computer cannot write into the settings file. Saving writes each as \"?\":",
    u"Ces lignes contiennent des caractères que cet ordinateur ne peut pas écrire dans le fichier de paramètres. L'enregistrement écrit chacun comme « ? » :",
    u"Diese Zeilen enthalten Zeichen, die dieser Computer nicht in die Einstellungsdatei schreiben kann. Beim Speichern wird jedes als „?“ geschrieben:",
    u"Deze regels bevatten tekens die deze computer niet in het instellingenbestand kan schrijven. Opslaan schrijft elk als \"?\":",
    u"Te wiersze zawieraja znaki, ktorych ten komputer nie moze zapisac w pliku ustawien. Zapis zamieni kazdy na \"?\":",
    u"Queste righe contengono caratteri che questo computer non può scrivere nel file delle impostazioni. Il salvataggio scrive ciascuno come \"?\":",
    u"Estas líneas contienen caracteres que este equipo no puede escribir en el archivo de configuración. Al guardar se escribe cada uno como \"?\":",
};

constexpr Texts line_words = {u"line", u"ligne", u"Zeile", u"regel", u"wiersz", u"riga", u"línea"};

// Around the number of lines not shown.
constexpr Texts more_before = {u"\u2026 and ", u"\u2026 et ", u"\u2026 und ", u"\u2026 en nog ", u"\u2026 i ",
                               u"\u2026 e altre ", u"\u2026 y "};
constexpr Texts more_after = {u" more", u" de plus", u" weitere", u"", u" wiecej", u"", u" más"};

constexpr Texts changed_elsewhere = {
    u"SETTINGS.TXT was changed by another program after the editor read it. Replace it with the settings shown here?",
    u"SETTINGS.TXT a été modifié par un autre programme après sa lecture par l'éditeur. Le remplacer par les paramètres affichés ici ?",
    u"SETTINGS.TXT wurde nach dem Einlesen von einem anderen Programm geändert. Durch die hier angezeigten Einstellungen ersetzen?",
    u"SETTINGS.TXT is na het inlezen door een ander programma gewijzigd. Vervangen door de instellingen die hier worden getoond?",
    u"Plik SETTINGS.TXT zostal zmieniony przez inny program po odczytaniu. Zastapic go ustawieniami pokazanymi tutaj?",
    u"SETTINGS.TXT è stato modificato da un altro programma dopo la lettura. Sostituirlo con le impostazioni mostrate qui?",
    u"Otro programa modificó SETTINGS.TXT después de que el editor lo leyera. ¿Reemplazarlo con la configuración mostrada aquí?",
};

constexpr Texts not_read = {
    u"SETTINGS.TXT could not be read when the editor started, and the window does not show what it holds. Replace it with the settings shown here?",
    u"SETTINGS.TXT n'a pas pu être lu au démarrage de l'éditeur, et la fenêtre n'affiche pas son contenu. Le remplacer par les paramètres affichés ici ?",
    u"SETTINGS.TXT konnte beim Start des Editors nicht gelesen werden, und das Fenster zeigt nicht seinen Inhalt. Durch die hier angezeigten Einstellungen ersetzen?",
    u"SETTINGS.TXT kon bij het starten van de editor niet worden gelezen, en het venster toont niet wat erin staat. Vervangen door de instellingen die hier worden getoond?",
    u"Nie mozna bylo odczytac pliku SETTINGS.TXT przy uruchomieniu edytora, a okno nie pokazuje jego zawartosci. Zastapic go ustawieniami pokazanymi tutaj?",
    u"Non è stato possibile leggere SETTINGS.TXT all'avvio dell'editor e la finestra non ne mostra il contenuto. Sostituirlo con le impostazioni mostrate qui?",
    u"No se pudo leer SETTINGS.TXT al iniciar el editor y la ventana no muestra su contenido. ¿Reemplazarlo con la configuración mostrada aquí?",
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

// A question about the settings file, naming the file it is about where that is not SETTINGS.TXT.
std::u16string naming(const Texts& texts, int language, std::u16string_view file_name) {
    std::u16string text{in_language(texts, language)};
    constexpr std::u16string_view written = u"SETTINGS.TXT";
    if (const auto at = text.find(written); at != std::u16string::npos)
        text.replace(at, written.size(), file_name);
    return text;
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
std::u16string_view no_setting_text(int language) {
    return in_language(no_setting, language);
}
std::u16string_view unwritable_text(int language) {
    return in_language(unwritable, language);
}
std::u16string_view line_word(int language) {
    return in_language(line_words, language);
}
std::u16string more_lines_text(int language, std::size_t more) {
    std::u16string text{in_language(more_before, language)};
    for (char c : std::to_string(more))
        text.push_back(static_cast<char16_t>(c));
    return text.append(in_language(more_after, language));
}
std::u16string changed_elsewhere_text(int language, std::u16string_view file_name) {
    return naming(changed_elsewhere, language, file_name);
}
std::u16string not_read_text(int language, std::u16string_view file_name) {
    return naming(not_read, language, file_name);
}
std::u16string shown_path(std::u16string_view path) {
    if (path.size() <= shown_path_length) return std::u16string{path};
    constexpr std::size_t head = 64;
    std::size_t tail = shown_path_length - head - 1;
    // Whole characters only: a surrogate pair stays whole on each side of the cut.
    const std::size_t start = is_low_surrogate(path[head]) ? head - 1 : head;
    if (is_low_surrogate(path[path.size() - tail])) --tail;
    std::u16string shown{path.substr(0, start)};
    shown += u"\u2026";
    shown += path.substr(path.size() - tail);
    return shown;
}

std::u16string_view window_failed_text(int language) {
    return in_language(window_failed, language);
}

}  // namespace pm
