// Closing the window: the save prompt, and saving.
#pragma once

#include <cstdint>

namespace pm {

class FileSystem;
class Form1;
class LangText;
class MessageBoxService;
struct ReadMark;
class TextServices;
class WindowShow;

// Asks, in the language selected now, whether to save. Cancel (or Escape, or a box that could not be
// shown) keeps the window open, No closes it, Yes saves and closes. A save that fails says so, naming the
// file, and keeps the window open, so that nothing the user changed is lost without their knowing.
// At the end of the session the question is also the reason the system shows for waiting; at a critical
// end, which closes the program whatever it answers, nothing is asked and nothing written.
// Before a save replaces a settings file that another program wrote after `read` was taken, the user is
// asked; No keeps that file and the window.
void Form_QueryUnload(std::int16_t& cancel, std::int16_t unload_mode, Form1& form, const LangText& lang_text,
                      ReadMark& read, MessageBoxService& boxes, WindowShow& window, FileSystem& files,
                      TextServices& text);

}  // namespace pm
