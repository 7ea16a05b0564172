#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pm {

namespace {

const wchar_t* w(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

class Win32File : public OpenFile {
  public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    ~Win32File() override { close(); }

    SysError read(std::span<char> buffer, std::size_t& got) override {
        got = 0;
        DWORD n = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
        if (!ReadFile(handle_, buffer.data(), want, &n, nullptr)) return GetLastError();
        got = n;
        return sys_error::ok;
    }

    SysError write(std::span<const char> data, std::size_t& written) override {
        written = 0;
        DWORD n = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
        if (!WriteFile(handle_, data.data(), size, &n, nullptr)) return GetLastError();
        written = n;
        return sys_error::ok;
    }

    SysError flush() override { return FlushFileBuffers(handle_) ? sys_error::ok : GetLastError(); }

    SysError close() override {
        if (handle_ == INVALID_HANDLE_VALUE) return sys_error::ok;
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? sys_error::ok : GetLastError();
    }

  private:
    HANDLE handle_;
};

}  // namespace

std::u16string executable_folder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return u".";
        if (n < buffer.size()) {
            std::u16string path(reinterpret_cast<const char16_t*>(buffer.data()), n);
            const auto slash = path.find_last_of(u"\\/");
            if (slash == std::u16string::npos) return u".";
            // "E:\PM.EXE" keeps its root's "\"; "E:\TOOLS\PM.EXE" loses the separator.
            const bool root = slash == 2 && path[1] == u':';
            path.resize(root ? slash + 1 : slash);
            return path;
        }
        buffer.resize(buffer.size() * 2);
    }
}

Win32FileSystem::Win32FileSystem() : folder_(executable_folder()) {}

SysError Win32FileSystem::query(const std::u16string& path, PathInfo& info) {
    info = {};
    const DWORD attributes = GetFileAttributesW(w(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? sys_error::ok : error;
    }
    info.exists = true;
    info.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.read_only = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    info.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    info.system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    info.archive = (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0;
    return sys_error::ok;
}

SysError Win32FileSystem::open_read(const std::u16string& path, std::unique_ptr<OpenFile>& file) {
    HANDLE h = CreateFileW(w(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    file = std::make_unique<Win32File>(h);
    return sys_error::ok;
}

SysError Win32FileSystem::create_new(const std::u16string& path, NewFileAttributes attributes,
                                     std::unique_ptr<OpenFile>& file) {
    DWORD flags = attributes.archive ? FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_NORMAL;
    if (attributes.hidden) flags |= FILE_ATTRIBUTE_HIDDEN;
    if (attributes.system) flags |= FILE_ATTRIBUTE_SYSTEM;
    HANDLE h = CreateFileW(w(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    file = std::make_unique<Win32File>(h);
    return sys_error::ok;
}

SysError Win32FileSystem::remove(const std::u16string& path) {
    return DeleteFileW(w(path)) ? sys_error::ok : GetLastError();
}

SysError Win32FileSystem::rename_replace(const std::u16string& from, const std::u16string& to) {
    // Not ReplaceFileW: its partial failures can leave the old file gone. A virus scanner or indexer
    // that holds the file for a moment gets a few short waits before the save gives up.
    SysError error = sys_error::ok;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (MoveFileExW(w(from), w(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return sys_error::ok;
        error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION && error != ERROR_ACCESS_DENIED)
            break;
        Sleep(100);
    }
    return error;
}

SysError Win32FileSystem::flush_to_medium(const std::u16string& path) {
    // FlushFileBuffers needs write access; the others may go on reading and writing meanwhile.
    HANDLE h = CreateFileW(w(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError();
    const SysError flushed = FlushFileBuffers(h) ? sys_error::ok : GetLastError();
    const SysError closed = CloseHandle(h) ? sys_error::ok : GetLastError();
    return flushed ? flushed : closed;
}

std::u16string Win32FileSystem::describe(SysError error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string description;
    if (n > 0 && text != nullptr) description.assign(reinterpret_cast<const char16_t*>(text), n);
    if (text != nullptr) LocalFree(text);
    while (!description.empty() &&
           (description.back() == u'\r' || description.back() == u'\n' || description.back() == u' ')) {
        description.pop_back();
    }
    if (description.empty()) {
        description = u"Error ";
        for (char c : std::to_string(error))
            description.push_back(static_cast<char16_t>(c));
        description += u".";
    }
    return description;
}

}  // namespace pm
