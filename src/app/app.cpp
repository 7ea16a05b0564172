#include "app/app.h"

#include <string>

#include "app/position_form.h"
#include "app/startup_probe.h"
#include "behaviour/channel_rules.h"
#include "behaviour/close_prompt.h"
#include "behaviour/key_filter.h"
#include "behaviour/launch_buttons.h"
#include "lang/messages.h"
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

std::u16string settings_warning(const LoadOutcome& outcome, int language, FileSystem& files) {
    std::u16string message;
    if (outcome.status == LoadOutcome::Status::unreadable) {
        message += read_failed_text(language);
        message += u"\n\n";
        message += files.describe(outcome.error);
    }
    if (outcome.skipped_count > 0) {
        if (!message.empty()) message += u"\n\n";
        message += values_skipped_text(language);
        message += u"\n";
        for (const SkippedLine& line : outcome.skipped) {
            message += u"\nline ";
            for (char c : std::to_string(line.number))
                message.push_back(static_cast<char16_t>(c));
            message += u": ";
            message += line.text;
        }
        if (outcome.skipped_count > outcome.skipped.size()) message += u"\n\u2026";
    }
    return message;
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
    for (int position = 0; position < language_count; ++position) {
        form().Combo1().add_item(std::u16string{language_name(position)},
                                 static_cast<std::int16_t>(position));
    }
    form().Combo1().set_list_index(0);
    StartOutcome outcome{startup::settings ? load_settings(form(), services_.files, services_.text)
                                           : LoadOutcome{}};
    apply_language(form(), lang_text_);
    const int language = form().Combo1().list_index();
    // The next save would replace what could not be read or used with what the window shows: say so
    // before the window is shown.
    const std::u16string warning = settings_warning(outcome, language, services_.files);
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

void App::Form_QueryUnload(std::int16_t& cancel, std::int16_t /*unload_mode*/) {
    pm::Form_QueryUnload(cancel, form(), lang_text_, services_.boxes, services_.files, services_.text);
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

}  // namespace pm
