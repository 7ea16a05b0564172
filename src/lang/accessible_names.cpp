#include "lang/accessible_names.h"

#include <string_view>

#include "lang/lang_text.h"
#include "window/form1.h"

namespace pm {

namespace {

// clang-format off
constexpr std::u16string_view open_data_folder[language_count] = {
    u"Open the DATA folder", u"Ouvrir le dossier DATA", u"Ordner DATA öffnen", u"Map DATA openen",
    u"Otworz folder DATA", u"Apri la cartella DATA", u"Abrir la carpeta DATA",
};
constexpr std::u16string_view products_web_page[language_count] = {
    u"Products web page", u"Page web des produits", u"Produkt-Webseite", u"Productwebpagina",
    u"Strona produktow", u"Pagina web dei prodotti", u"Página web de productos",
};
// clang-format on

std::u16string caption_of(const Control* frame) {
    if (frame == nullptr || frame->kind() != ControlKind::frame) return {};
    return static_cast<const FrameControl*>(frame)->caption();
}

int selected_language(const Form1& form) {
    const Control* list = form.find(ControlName::Combo1, 0);
    const int language = list ? static_cast<const ComboBox*>(list)->list_index() : -1;
    return language >= 0 && language < language_count ? language : 0;
}

}  // namespace

std::u16string accessible_name(const Form1& form, const Control& control) {
    switch (control.kind()) {
        case ControlKind::frame:
            return caption_of(&control);
        case ControlKind::check_box:
            return static_cast<const CheckBox&>(control).caption();
        case ControlKind::scroll_bar:
        case ControlKind::text_box:
            return caption_of(control.container());
        case ControlKind::combo_box:
            return caption_of(form.find(ControlName::Frame, 0));
        case ControlKind::picture_button: {
            const int language = selected_language(form);
            const auto& table =
                control.name() == ControlName::Command1 ? open_data_folder : products_web_page;
            return std::u16string{table[language]};
        }
    }
    return {};
}

}  // namespace pm
