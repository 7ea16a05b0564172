#include "behaviour/close_prompt.h"

#include <string>
#include <utility>

#include "lang/lang_text.h"
#include "lang/messages.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/window_show.h"
#include "settings/settings_file.h"
#include "window/form1.h"

namespace pm {

namespace {

// Asks before a save replaces what the editor did not read or did not write; true to go on.
bool may_replace(const SaveQuestion& question, int language, const LangText& lang_text,
                 MessageBoxService& boxes) {
    if (question.kind == SaveQuestion::Kind::none) return true;
    const std::u16string text = question.kind == SaveQuestion::Kind::not_read
                                    ? not_read_text(language, question.file_name)
                                    : changed_elsewhere_text(language, question.file_name);
    return boxes.show(text, lang_text(language, 8), box::yes_no | box::icon_warning | box::default_second) ==
           box::answer_yes;
}

void ask_and_save(std::int16_t& cancel, Form1& form, const LangText& lang_text, CloseState& state,
                  MessageBoxService& boxes, FileSystem& files, TextServices& text,
                  const std::u16string& title, const std::u16string& prompt) {
    const int answer = boxes.show(prompt, title, box::yes_no_cancel | box::icon_question);
    if (answer == box::answer_no) return;
    if (answer != box::answer_yes) {
        // Cancel, Escape, or a box that could not be shown at all (0): a failure to ask must not throw
        // the user's changes away.
        cancel = -1;
        return;
    }

    const int language = form.Combo1().list_index();
    if (!may_replace(question_before_save(state.read, files), language, lang_text, boxes)) {
        cancel = -1;  // the file stays as it is
        return;
    }
    const SaveOutcome saved = save_settings(form, files, text);
    // What the file holds now is ours (also when renamed into place but not known to be on the medium): a
    // window kept open, by a session's end called off or by the error below, asks no question for it.
    if (saved.ok() || saved.failed_step == SaveOutcome::Step::settle) state.read = mark_settings(files);
    if (saved.ok()) return;
    std::u16string message{save_failed_text(language)};
    message += u"\n\n";
    message += shown_path(saved.path);
    message += u"\n";
    message += files.describe(saved.error);
    boxes.show(message, lang_text(language, 8), box::ok_only | box::icon_error);
    cancel = -1;
}

}  // namespace

void Form_QueryUnload(std::int16_t& cancel, std::int16_t unload_mode, Form1& form, const LangText& lang_text,
                      CloseState& state, MessageBoxService& boxes, WindowShow& window, FileSystem& files,
                      TextServices& text) {
    if (unload_mode == static_cast<std::int16_t>(CloseReason::session_end_critical)) return;
    const std::u16string title = lang_text(form.Combo1().list_index(), 8);
    const std::u16string prompt = lang_text(form.Combo1().list_index(), 9);
    if (unload_mode == static_cast<std::int16_t>(CloseReason::session_end) && !state.holding_end) {
        window.session_end_reason(prompt);
        state.holding_end = true;
    }
    if (state.asking) {
        // The user is answering already: a second box would stack over the first, and re-enable the
        // window when it closed while the first is still up.
        cancel = -1;
        return;
    }
    struct Asking {
        CloseState& state;
        WindowShow& window;
        ~Asking() {
            state.asking = false;
            if (std::exchange(state.holding_end, false)) window.session_end_reason({});
        }
    } asking{state, window};
    state.asking = true;
    ask_and_save(cancel, form, lang_text, state, boxes, files, text, title, prompt);
}

}  // namespace pm
