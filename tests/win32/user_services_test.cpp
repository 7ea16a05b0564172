// The Win32 services that reach the user, as far as they can be seen without one.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/win32/win32_user_services.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

TEST(ProgramStart, TheFileBrowserIsTheWindowsFoldersOwn) {
    Win32ProgramStart programs;
    const std::u16string browser = programs.file_browser();
    // The system's Windows folder: on a terminal server GetWindowsDirectoryW gives a per-user one.
    wchar_t windows[MAX_PATH];
    const UINT n = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    const std::u16string expected =
        std::u16string(reinterpret_cast<const char16_t*>(windows), n) + u"\\explorer.exe";
    EXPECT_EQ(browser, expected);
    EXPECT_TRUE(fs::exists(fs::path(std::wstring(browser.begin(), browser.end()))));
}

TEST(ProgramStart, StartsTheProgramByItsPathWithAQuotedArgumentAndDoesNotWait) {
    // A folder with blanks, and a program that leaves a file there once it runs.
    const fs::path folder = fs::temp_directory_path() / "pm start test with blanks";
    fs::create_directories(folder);
    const fs::path marker = folder / "started.txt";
    fs::remove(marker);
    wchar_t system[MAX_PATH];
    const UINT n = GetSystemDirectoryW(system, MAX_PATH);
    const std::u16string cmd = std::u16string(reinterpret_cast<const char16_t*>(system), n) + u"\\cmd.exe";
    const std::wstring target = marker.wstring();
    const std::u16string line =
        u"\"" + cmd + u"\" /c echo started> \"" + std::u16string(target.begin(), target.end()) + u"\"";

    Win32ProgramStart programs;
    programs.start(cmd, line);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(marker) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(fs::exists(marker));
    std::error_code ec;
    fs::remove_all(folder, ec);
}

}  // namespace
}  // namespace pm
