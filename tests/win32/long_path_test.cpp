// A program folder deeper than MAX_PATH (260 characters): a card's folder tree may well be.
//
// Windows takes such plain paths from a program only when both agree: the program's manifest says
// longPathAware (this test carries the program's manifest), and the machine allows long paths (Windows 10
// 1607 and later, LongPathsEnabled=1 under HKLM\SYSTEM\CurrentControlSet\Control\FileSystem, which is 0
// unless set). Wine takes them whatever the setting, so here this shows the program's own part: that
// it builds and hands over the long paths whole. On Windows, run it with the setting on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "doubles/headless_services.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_text.h"

namespace pm {
namespace {

// The test's own file work goes through "\\?\", which takes any length on every Windows; the program's
// goes through plain paths, as it builds them.
std::wstring unlimited(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

void write_file(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(unlimited(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string read_file(const std::wstring& path) {
    HANDLE h = CreateFileW(unlimited(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return "(missing)";
    std::string bytes(4096, '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

TEST(LongPaths, AProgramFolderDeeperThanMaxPathIsReadAndSaved) {
    wchar_t temp[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, temp);
    ASSERT_GT(n, 0u);
    std::wstring folder(temp, n);
    folder += L"pm-long-" + std::to_wstring(GetTickCount64());
    std::vector<std::wstring> made{folder};
    ASSERT_TRUE(CreateDirectoryW(unlimited(folder).c_str(), nullptr));
    while (folder.size() <= 300) {
        folder += L"\\a folder name of forty characters, long";
        ASSERT_TRUE(CreateDirectoryW(unlimited(folder).c_str(), nullptr)) << GetLastError();
        made.push_back(folder);
    }
    const std::wstring settings = folder + L"\\SETTINGS.TXT";
    write_file(settings, "JOB=deep\r\nHIGH_ALARM2=45\r\nLANGUAGE=2\r\n");

    Win32FileSystem files(std::u16string(folder.begin(), folder.end()));
    Win32Text text;
    HeadlessUser user;
    App app{user.services(files, text)};
    EXPECT_EQ(app.Main().status, LoadOutcome::Status::read);
    EXPECT_EQ(app.form().Text5().text(), u"deep");
    EXPECT_EQ(app.form().high_pressure_scroll(2).value(), 45);
    app.form().Text5().set_text(u"deeper");
    const SaveOutcome saved = save_settings(app.form(), files, text);
    EXPECT_TRUE(saved.ok()) << "step " << static_cast<int>(saved.failed_step) << ", error " << saved.error;
    const std::string bytes = read_file(settings);
    EXPECT_EQ(bytes.substr(0, 12), "JOB=deeper\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 12), "LANGUAGE=2\r\n");
    EXPECT_EQ(read_file(folder + L"\\SETTINGS.NEW"), "(missing)");

    DeleteFileW(unlimited(settings).c_str());
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        RemoveDirectoryW(unlimited(*it).c_str());
}

}  // namespace
}  // namespace pm
