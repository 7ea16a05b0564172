// The program's entry point on Windows: one editor per program folder, the Win32 services, the window,
// then Main.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/app.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_single_instance.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_user_services.h"
#include "window/win32/win32_window.h"

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

namespace {

// Windows' own DLLs that load others by their bare names must never find one in the program's folder: it
// is a card or a download folder, where anybody may have put one.
void keep_dll_search_to_the_system() {
    // Windows 7 has SetDefaultDllDirectories only with its loader update (KB2533623): an import of it
    // would keep the program from starting at all on a Windows 7 without that update.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto set_default = pm::win32::library_function<SetDefaultDllDirectoriesFn>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (set_default && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    // Without it the most that can be done is to take the current directory out of the search. The
    // program's own folder stays first in it there: a DLL on the card named like one of Windows' own that
    // is no KnownDLL (and that a system DLL loads by its bare name) would still be found. The DLLs this
    // program loads itself are named by their full path in the system folder (win32::system_library),
    // never with LoadLibraryEx's LOAD_LIBRARY_SEARCH_* flags, which that system refuses as an invalid
    // parameter.
    SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int /*show*/) {
    keep_dll_search_to_the_system();
    pm::Win32FileSystem files;
    const pm::Win32SingleInstance single(files.program_folder());
    if (!single.first()) {
        if (!single.bring_other_forward()) {
            pm::Win32Text text;
            const std::wstring message = pm::win32::wide_copy(pm::already_open_message(files, text));
            const std::wstring title = pm::win32::wide_copy(pm::window_caption());
            MessageBoxW(nullptr, message.c_str(), title.c_str(),
                        MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
        }
        return 0;
    }
    pm::Win32Text text;
    pm::Win32Screen screen;
    pm::Win32Window window(instance, text);
    pm::Win32MessageBoxes boxes([&window] { return window.hwnd(); });
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
    window.mark(single.key());
    return window.run();
}
