#include "behaviour/close_prompt.h"

#include <string>

#include "lang/lang_text.h"
#include "lang/messages.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/window_show.h"
#include "settings/settings_file.h"
#include "window/form1.h"

namespace pm {

void Form_QueryUnload(std::int16_t& cancel, std::int16_t unload_mode, Form1& form, const LangText& lang_text,
                      ReadMark& read, MessageBoxService& boxes, WindowShow& window, FileSystem& files,
                      TextServices& text) {
    if (unload_mode == static_cast<std::int16_t>(CloseReason::session_end_critical)) return;
    const std::u16string title = lang_text(form.Combo1().list_index(), 8);
    const std::u16string prompt = lang_text(form.Combo1().list_index(), 9);
    const bool session_end = unload_mode == static_cast<std::int16_t>(CloseReason::session_end);
    if (session_end) window.session_end_reason(prompt);
    const int answer = boxes.show(prompt, title, box::yes_no_cancel | box::icon_question);
    if (session_end) window.session_end_reason({});
    if (answer == box::answer_no) return;
    if (answer != box::answer_yes) {
        // Cancel, Escape, or a box that could not be shown at all (0): a failure to ask must not throw
        // the user's changes away.
        cancel = -1;
        return;
    }

    const int language = form.Combo1().list_index();
    if (changed_since(read, files) &&
        boxes.show(changed_elsewhere_text(language), lang_text(language, 8),
                   box::yes_no | box::icon_warning | box::default_second) != box::answer_yes) {
        cancel = -1;  // another program's settings stay as it wrote them
        return;
    }
    const SaveOutcome saved = save_settings(form, files, text);
    if (saved.ok()) return;
    // Renamed into place but not known to be on the medium: what the file holds now is ours.
    if (saved.failed_step == SaveOutcome::Step::settle) read = mark_settings(files);
    std::u16string message{save_failed_text(language)};
    message += u"\n\n";
    message += saved.path;
    message += u"\n";
    message += files.describe(saved.error);
    boxes.show(message, lang_text(language, 8), box::ok_only | box::icon_error);
    cancel = -1;
}

}  // namespace pm
