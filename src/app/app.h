// The program: the platform services it runs on, the window (loaded on first use), the language table,
// the window's event handlers and Main.
#pragma once

#include <memory>

#include "behaviour/close_prompt.h"
#include "lang/lang_text.h"
#include "settings/settings_file.h"
#include "window/form1.h"

namespace pm {

class Beeper;
class FileSystem;
class MessageBoxService;
class ProgramStart;
class Screen;
class ShellOpen;
class TextServices;
class WindowShow;

struct Services {
    FileSystem& files;
    TextServices& text;
    Screen& screen;
    WindowShow& window_show;
    MessageBoxService& boxes;
    Beeper& beeper;
    ProgramStart& programs;
    ShellOpen& shell;
};

// How the start-up went: how the settings file was read, and whether the window could be created.
struct StartOutcome : LoadOutcome {
    SysError window_error = sys_error::ok;  // the window could not be created: the program must end
};

class App : public Form1Events {
  public:
    explicit App(Services services);

    // Start-up: caption, language list, settings, language, one warning when the settings file could not
    // be read to its end or some of its values were skipped, then the window is shown (or, when it can't
    // be, an error says so).
    StartOutcome Main();

    // The window, loaded on its first use (rule 1): design-time controls, no control events, Form_Load.
    Form1& form();

    void Form_Load() override;
    void Form_QueryUnload(std::int16_t& cancel, std::int16_t unload_mode) override;
    void Combo1_Click() override;
    void Command1_Click() override;
    void Command2_Click() override;
    void pressure_channel_Click(std::int16_t index) override;
    void high_pressure_scroll_Change(std::int16_t index) override;
    void high_pressure_scroll_Scroll(std::int16_t index) override;
    void low_pressure_scroll_Change(std::int16_t index) override;
    void low_pressure_scroll_Scroll(std::int16_t index) override;
    void Text1_KeyPress(std::int16_t index, std::int16_t& key_ascii) override;
    void Text_Unwritable(ControlName name, std::int16_t index) override;

  private:
    Services services_;
    std::unique_ptr<Form1> form_;
    LangText lang_text_;
    CloseState closing_;  // what start-up read, against which a save checks for another program's
};

// "Pelmora™ PM (V2.00)", with the trade mark sign on every code page.
std::u16string window_caption();

// What a second start says when it could not bring the folder's open editor forward: in the language that
// the settings file selects, read as the start-up reads it (English where it selects none).
std::u16string already_open_message(FileSystem& files, TextServices& text);

// A system message box never scrolls: one taller than the screen hides its title or its buttons. How many
// lines of text a box can show on a work area `height` twips high (a line of the box's 9-point text takes
// about 240 twips, its title bar, margins and buttons about five lines more), and how many `text` takes
// where the box wraps it at about 64 characters.
std::size_t box_lines(float height);
std::size_t wrapped_lines(std::u16string_view text);

// The start-up warning about the settings file, in `language`; empty when there is nothing to say. It
// lists at most `warning_lines` lines, taken in turn from each of its lists, and fewer where a box of
// `fitting` lines could not show them (each list then says how many more it has).
inline constexpr std::size_t warning_lines = 12;
std::u16string settings_warning(const LoadOutcome& outcome, int language, FileSystem& files,
                                std::size_t fitting);

}  // namespace pm
