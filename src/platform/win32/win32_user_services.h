// The services that reach the user on Win32: message boxes owned by the window, the beep, starting the
// file browser, and the shell's "open".
#pragma once

#include "platform/beeper.h"
#include "platform/message_box.h"
#include "platform/program_start.h"
#include "platform/shell_open.h"

namespace pm {

class Win32Window;

class Win32MessageBoxes : public MessageBoxService {
  public:
    // Boxes are owned by `window` once it exists, and by nobody before.
    explicit Win32MessageBoxes(const Win32Window& window) : window_(window) {}
    int show(std::u16string_view text, std::u16string_view title, int style) override;

  private:
    const Win32Window& window_;
};

class Win32Beeper : public Beeper {
  public:
    void beep() override;
};

class Win32ProgramStart : public ProgramStart {
  public:
    std::u16string file_browser() override;
    void start(const std::u16string& program, const std::u16string& command_line) override;
};

class Win32ShellOpen : public ShellOpen {
  public:
    void open(std::u16string_view address) override;
};

}  // namespace pm
