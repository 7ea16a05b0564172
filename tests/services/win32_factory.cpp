#include <windows.h>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_text.h"
#include "service_factory.h"

namespace pm::test {

std::unique_ptr<TextServices> make_text_services() {
    return std::make_unique<Win32Text>();
}
std::unique_ptr<Screen> make_screen() {
    return std::make_unique<Win32Screen>();
}

std::u16string service_path(const std::string& host_path) {
    std::u16string path(host_path.begin(), host_path.end());
    for (char16_t& c : path) {
        if (c == u'/') c = u'\\';
    }
    return path;
}

std::unique_ptr<FileSystem> make_file_system(const std::string& folder) {
    return std::make_unique<Win32FileSystem>(service_path(folder));
}

void make_read_only(const std::string& host_path, bool read_only) {
    const std::u16string path = service_path(host_path);
    const auto* w = reinterpret_cast<const wchar_t*>(path.c_str());
    const DWORD attributes = GetFileAttributesW(w);
    SetFileAttributesW(
        w, read_only ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~FILE_ATTRIBUTE_READONLY);
}

}  // namespace pm::test
