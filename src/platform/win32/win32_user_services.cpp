#include "platform/win32/win32_user_services.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win32/win32_api.h"

namespace pm {

using win32::wide_copy;

int Win32MessageBoxes::show(std::u16string_view text, std::u16string_view title, int style) {
    return MessageBoxW(owner_(), wide_copy(text).c_str(), wide_copy(title).c_str(), static_cast<UINT>(style));
}

void Win32Beeper::beep() {
    MessageBeep(MB_OK);
}

std::u16string Win32ProgramStart::file_browser() {
    // The Windows folder itself, never a search: an explorer.exe on the card must not run. The system's
    // folder, not GetWindowsDirectoryW's: on a terminal server that gives a per-user folder without it.
    std::vector<wchar_t> folder(MAX_PATH);
    UINT n = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (n >= folder.size()) {
        folder.resize(n + 1);
        n = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    }
    std::u16string path(reinterpret_cast<const char16_t*>(folder.data()), n);
    if (path.empty() || path.back() != u'\\') path += u'\\';
    return path + u"explorer.exe";
}

void Win32ProgramStart::start(const std::u16string& program, const std::u16string& command_line) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::wstring line = wide_copy(command_line);  // CreateProcessW may write into its command line
    if (CreateProcessW(wide_copy(program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        // Started, not waited for.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void Win32ShellOpen::open(std::u16string_view address) {
    // shell32 comes in on the first use, not as an import: with the DLLs it brings along it would add to
    // every start's time and memory, for a button that most sessions never press.
    static const auto execute = win32::library_function<decltype(&ShellExecuteW)>(
        win32::system_library(L"shell32.dll"), "ShellExecuteW");
    if (!execute) return;
    // The shell may hand the address to a COM-based handler, and asks its caller for an apartment.
    win32::enter_com();
    execute(nullptr, L"open", wide_copy(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace pm
