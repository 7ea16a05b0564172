// The program: the platform services it runs on, the window (loaded on first use), the language table,
// the window's event handlers and Main.
#pragma once

#include <memory>

#include "lang/lang_text.h"
#include "settings/settings_file.h"
#include "window/form1.h"

namespace pm {

class FileSystem;
class Screen;
class TextServices;
class WindowShow;

struct Services {
    FileSystem& files;
    TextServices& text;
    Screen& screen;
    WindowShow& window_show;
};

class App : public Form1Events {
  public:
    explicit App(Services services);

    // Start-up: caption, language list, settings, language, then the window is shown. Returns how the
    // settings file was read.
    LoadOutcome Main();

    // The window, loaded on its first use (rule 1): design-time controls, no control events, Form_Load.
    Form1& form();
    bool loaded() const { return form_ != nullptr; }
    const LangText& lang_text() const { return lang_text_; }
    Services& services() { return services_; }

    void Form_Load() override;
    void Combo1_Click() override;
    void pressure_channel_Click(std::int16_t index) override;
    void high_pressure_scroll_Change(std::int16_t index) override;
    void high_pressure_scroll_Scroll(std::int16_t index) override;
    void low_pressure_scroll_Change(std::int16_t index) override;
    void low_pressure_scroll_Scroll(std::int16_t index) override;

  private:
    Services services_;
    std::unique_ptr<Form1> form_;
    LangText lang_text_;
};

// "Pelmora", the ANSI character 153 (the trade mark sign), " PM (V2.00)".
std::u16string window_caption(TextServices& text);

}  // namespace pm
