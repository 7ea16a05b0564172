// Closing the window: the save prompt, and saving.
#pragma once

#include <cstdint>

#include "settings/settings_file.h"

namespace pm {

class FileSystem;
class Form1;
class LangText;
class MessageBoxService;
class TextServices;
class WindowShow;

// What closing keeps from one close request to the next.
struct CloseState {
    ReadMark read;             // what start-up read, and after a save what the save wrote
    bool asking = false;       // one of the close's boxes is open
    bool holding_end = false;  // the session's end waits, and the system shows our reason
};

// Asks, in the language selected now, whether to save. Cancel (or Escape, or a box that could not be
// shown) keeps the window open, No closes it, Yes saves and closes. A save that fails says so, naming the
// file, and keeps the window open, so that nothing the user changed is lost without their knowing.
// At the end of the session the question is also the reason the system shows for waiting; at a critical
// end, which closes the program whatever it answers, nothing is asked and nothing written.
// Before a save replaces a settings file that another program wrote after it was read, or one that
// start-up could not read, the user is asked; No keeps that file and the window.
// One question at a time: a close request while one of these boxes is open shows nothing and is refused
// (a session's end with the reason set until the last box closes).
void Form_QueryUnload(std::int16_t& cancel, std::int16_t unload_mode, Form1& form, const LangText& lang_text,
                      CloseState& state, MessageBoxService& boxes, WindowShow& window, FileSystem& files,
                      TextServices& text);

}  // namespace pm
