#include "app/app.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "app/position_form.h"
#include "behaviour/channel_rules.h"
#include "behaviour/close_prompt.h"
#include "behaviour/key_filter.h"
#include "behaviour/launch_buttons.h"
#include "lang/messages.h"
#include "platform/beeper.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/text_services.h"
#include "platform/window_show.h"

namespace pm {

App::App(Services services) : services_(services) {}

std::u16string window_caption() {
    // The sign itself, not the ANSI byte 153: that byte is the sign only on the Windows-125x code pages.
    return u"Pelmora\u2122 PM (V2.00)";
}

namespace {

// The first `shown` of `lines` under their heading, and how many more there are.
void list_lines(std::u16string& message, std::u16string_view heading, const ListedLines& lines,
                std::size_t shown, int language) {
    if (lines.count == 0) return;
    if (!message.empty()) message += u"\n\n";
    message += heading;
    message += u"\n";
    for (std::size_t i = 0; i < shown && i < lines.first.size(); ++i) {
        const SkippedLine& line = lines.first[i];
        message += u"\n";
        message += line_word(language);
        message += u" ";
        for (char c : std::to_string(line.number))
            message.push_back(static_cast<char16_t>(c));
        message += u": ";
        message += line.text;
    }
    if (lines.count > shown) {
        message += u"\n";
        message += more_lines_text(language, lines.count - shown);
    }
}

}  // namespace

std::size_t box_lines(float height) {
    constexpr float line = 240;
    constexpr std::size_t frame_lines = 5;
    const float lines = height / line;
    return lines > frame_lines ? static_cast<std::size_t>(lines) - frame_lines : 0;
}

std::size_t wrapped_lines(std::u16string_view text) {
    constexpr std::size_t width = 64;
    std::size_t lines = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        lines += end == start ? 1 : (end - start + width - 1) / width;
        start = end + 1;
    }
    return lines;
}

std::u16string settings_warning(const LoadOutcome& outcome, int language, FileSystem& files,
                                std::size_t fitting) {
    std::u16string message;
    if (outcome.status == LoadOutcome::Status::unreadable) {
        message += read_failed_text(language);
        message += u"\n\n";
        message += shown_path(outcome.path);
        message += u"\n";
        message += files.describe(outcome.error);
    }
    const ListedLines* lists[] = {&outcome.skipped, &outcome.no_setting, &outcome.unwritable};
    const std::u16string_view headings[] = {values_skipped_text(language), no_setting_text(language),
                                            unwritable_text(language)};
    // The lists take turns, a line each, up to the budget; a box too tall for the screen lists fewer.
    for (std::size_t budget = warning_lines;; --budget) {
        std::size_t shown[std::size(lists)] = {};
        for (std::size_t left = budget, taken = 1; left > 0 && taken > 0;) {
            taken = 0;
            for (std::size_t i = 0; i < std::size(lists) && left > 0; ++i) {
                if (shown[i] < lists[i]->first.size()) {
                    ++shown[i];
                    ++taken;
                    --left;
                }
            }
        }
        std::u16string warning = message;
        for (std::size_t i = 0; i < std::size(lists); ++i)
            list_lines(warning, headings[i], *lists[i], shown[i], language);
        if (budget == 0 || wrapped_lines(warning) <= fitting) return warning;
    }
}

namespace {

void fill_language_list(Form1& form) {
    for (int position = 0; position < language_count; ++position)
        form.Combo1().add_item(std::u16string{language_name(position)}, static_cast<std::int16_t>(position));
}

}  // namespace

std::u16string already_open_message(FileSystem& files, TextServices& text) {
    Form1Events none;  // the language is all that is wanted: no captions, no placement
    Form1 form(none, 0, 0);
    fill_language_list(form);
    form.Combo1().set_list_index(0);
    load_settings(form, files, text);
    return std::u16string{already_open_text(form.Combo1().list_index())};
}

Form1& App::form() {
    if (!form_) {
        form_ =
            std::make_unique<Form1>(*this, services_.screen.window_width(), services_.screen.window_height());
        Form_Load();
    }
    return *form_;
}

StartOutcome App::Main() {
    form().set_caption(window_caption());
    fill_language_list(form());
    form().Combo1().set_list_index(0);
    StartOutcome outcome{load_settings(form(), services_.files, services_.text)};
    closing_.read = outcome.read;
    apply_language(form(), lang_text_);
    const int language = form().Combo1().list_index();
    // The next save would replace what could not be read or used with what the window shows: say so
    // before the window is shown.
    const std::u16string warning =
        settings_warning(outcome, language, services_.files, box_lines(services_.screen.work_area().height));
    if (!warning.empty()) services_.boxes.show(warning, form().caption(), box::ok_only | box::icon_warning);
    outcome.window_error = services_.window_show.show_modeless(form());
    if (outcome.window_error) {
        std::u16string message{window_failed_text(language)};
        message += u"\n\n";
        message += services_.files.describe(outcome.window_error);
        services_.boxes.show(message, form().caption(), box::ok_only | box::icon_error);
    }
    return outcome;
}

void App::Form_Load() {
    position_form(*form_, services_.screen);
}

void App::Form_QueryUnload(std::int16_t& cancel, std::int16_t unload_mode) {
    pm::Form_QueryUnload(cancel, unload_mode, form(), lang_text_, closing_, services_.boxes,
                         services_.window_show, services_.files, services_.text);
}

void App::Combo1_Click() {
    apply_language(form(), lang_text_);
}

void App::Command1_Click() {
    pm::Command1_Click(services_.files, services_.programs);
}

void App::Command2_Click() {
    pm::Command2_Click(services_.shell);
}

void App::pressure_channel_Click(std::int16_t index) {
    pm::pressure_channel_Click(form(), index);
}

void App::high_pressure_scroll_Change(std::int16_t index) {
    high_alarm_changed(form(), lang_text_, index);
}
void App::high_pressure_scroll_Scroll(std::int16_t index) {
    high_alarm_changed(form(), lang_text_, index);
}
void App::low_pressure_scroll_Change(std::int16_t index) {
    low_alarm_changed(form(), lang_text_, index);
}
void App::low_pressure_scroll_Scroll(std::int16_t index) {
    low_alarm_changed(form(), lang_text_, index);
}

void App::Text1_KeyPress(std::int16_t index, std::int16_t& key_ascii) {
    pm::Text1_KeyPress(index, key_ascii, services_.beeper);
}

// The box took nothing of it: one beep, as for a character the SMS boxes refuse.
void App::Text_Unwritable(ControlName /*name*/, std::int16_t /*index*/) {
    services_.beeper.beep();
}

}  // namespace pm
