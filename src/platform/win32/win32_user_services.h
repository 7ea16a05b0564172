// The services that reach the user on Win32: message boxes owned by the window, the beep, starting the
// file browser, and the shell's "open".
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "platform/beeper.h"
#include "platform/message_box.h"
#include "platform/program_start.h"
#include "platform/shell_open.h"

namespace pm {

class Win32MessageBoxes : public MessageBoxService {
  public:
    // Boxes are owned by the window that `owner` answers once it exists, and by nobody before (null). The
    // window is the view's, above the services: it is asked for, never known here.
    explicit Win32MessageBoxes(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    int show(std::u16string_view text, std::u16string_view title, int style) override;

  private:
    std::function<HWND()> owner_;
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
