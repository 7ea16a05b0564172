// The program's entry point on Windows: one editor per program folder, the Win32 services, the window,
// then Main.
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/app.h"
#include "app/startup_probe.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_single_instance.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_user_services.h"
#include "platform/win32/win32_window.h"

#ifdef __GLIBCXX__
// std::terminate's default handler in a statically linked libstdc++ first names the exception's type,
// through the C++ demangler and a printf of its own: some 70 KB of the .exe for a message to a console
// that a windowed program does not have. It ends in abort() either way. (Nothing should get this far:
// Main and the window procedures catch what they throw.)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int /*show*/) {
    pm::Win32FileSystem files;
    std::optional<const pm::Win32SingleInstance> single;  // left out only by a measurement build
    if constexpr (pm::startup::single_instance) single.emplace(files.program_folder());
    if (single && !single->first()) {
        single->bring_other_forward();
        return 0;
    }
    pm::Win32Text text;
    pm::Win32Screen screen;
    pm::Win32Window window(instance, text);
    pm::Win32MessageBoxes boxes(window);
    pm::Win32Beeper beeper;
    pm::Win32ProgramStart programs;
    pm::Win32ShellOpen shell;
    pm::App app(pm::Services{files, text, screen, window, boxes, beeper, programs, shell});
    try {
        if (app.Main().window_error) return 1;
    } catch (const std::exception& e) {
        pm::win32::show_unexpected_error(nullptr, e);
        return 1;
    }
    if (single) single->publish(window.hwnd());
    return window.run();
}
