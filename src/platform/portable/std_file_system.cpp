#include "platform/portable/std_file_system.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

namespace pm {

namespace {

class StdFile : public OpenFile {
  public:
    explicit StdFile(std::FILE* file) : file_(file) {}
    ~StdFile() override { close(); }

    SysError read(std::span<char> buffer, std::size_t& got) override {
        if (!file_) return sys_error::invalid_handle;
        errno = 0;
        got = std::fread(buffer.data(), 1, buffer.size(), file_);
        if (got < buffer.size() && std::ferror(file_))
            return errno ? from_errno(errno) : sys_error::read_fault;
        return sys_error::ok;
    }

    SysError write(std::span<const char> data, std::size_t& written) override {
        if (!file_) return sys_error::invalid_handle;
        errno = 0;
        written = std::fwrite(data.data(), 1, data.size(), file_);
        if (written < data.size()) return errno ? from_errno(errno) : sys_error::write_fault;
        return sys_error::ok;
    }

    SysError flush() override {
        if (!file_) return sys_error::invalid_handle;
        errno = 0;
        if (std::fflush(file_) != 0) return errno ? from_errno(errno) : sys_error::write_fault;
        return sys_error::ok;
    }

    SysError close() override {
        if (!file_) return sys_error::ok;
        errno = 0;
        const int result = std::fclose(file_);
        file_ = nullptr;
        if (result != 0) return errno ? from_errno(errno) : sys_error::write_fault;
        return sys_error::ok;
    }

  private:
    std::FILE* file_;
};

}  // namespace

SysError from_errno(int error) {
    switch (error) {
        case 0:
            return sys_error::ok;
        case ENOENT:
            return sys_error::file_not_found;
        case ENOTDIR:
            return sys_error::path_not_found;
        case EACCES:
        case EPERM:
        case EISDIR:
            return sys_error::access_denied;
        case EROFS:
            return sys_error::write_protect;
        case ENOSPC:
            return sys_error::disk_full;
        case EEXIST:
            return sys_error::file_exists;
        case EBUSY:
        case ETXTBSY:
            return sys_error::sharing_violation;
        case ENODEV:
        case ENXIO:
            return sys_error::not_ready;
        case EIO:
            return sys_error::write_fault;
        default:
            return sys_error::access_denied;
    }
}

std::filesystem::path StdFileSystem::host_path(const std::u16string& path) {
    std::u16string host = path;
    for (char16_t& c : host) {
        if (c == u'\\') c = u'/';
    }
    // UTF-16 to UTF-8 for the host's narrow paths.
    std::string utf8;
    for (std::size_t i = 0; i < host.size(); ++i) {
        char32_t cp = host[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < host.size()) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (host[++i] - 0xDC00);
        }
        if (cp < 0x80) {
            utf8.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            utf8.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            utf8.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return std::filesystem::path(utf8);
}

SysError StdFileSystem::query(const std::u16string& path, PathInfo& info) {
    info = {};
    std::error_code ec;
    const auto status = std::filesystem::status(host_path(path), ec);
    if (status.type() == std::filesystem::file_type::not_found) return sys_error::ok;
    if (ec) return from_errno(ec.value());
    info.exists = true;
    info.directory = std::filesystem::is_directory(status);
    info.read_only =
        (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
    info.archive = !info.directory;
    return sys_error::ok;
}

SysError StdFileSystem::open_read(const std::u16string& path, std::unique_ptr<OpenFile>& file) {
    const auto host = host_path(path);
    std::error_code ec;
    if (std::filesystem::is_directory(host, ec)) return sys_error::access_denied;
    errno = 0;
    std::FILE* f = std::fopen(host.c_str(), "rb");
    if (!f) return errno ? from_errno(errno) : sys_error::access_denied;
    file = std::make_unique<StdFile>(f);
    return sys_error::ok;
}

SysError StdFileSystem::create_new(const std::u16string& path, NewFileAttributes /*attributes*/,
                                   std::unique_ptr<OpenFile>& file) {
    errno = 0;
    std::FILE* f = std::fopen(host_path(path).c_str(), "wbx");
    if (!f) return errno ? from_errno(errno) : sys_error::access_denied;
    file = std::make_unique<StdFile>(f);
    return sys_error::ok;
}

SysError StdFileSystem::remove(const std::u16string& path) {
    std::error_code ec;
    if (!std::filesystem::remove(host_path(path), ec))
        return ec ? from_errno(ec.value()) : sys_error::file_not_found;
    return sys_error::ok;
}

SysError StdFileSystem::rename_replace(const std::u16string& from, const std::u16string& to) {
    std::error_code ec;
    std::filesystem::rename(host_path(from), host_path(to), ec);
    return ec ? from_errno(ec.value()) : sys_error::ok;
}

// The standard library can hand its own buffers to the system, not the system's to the medium.
SysError StdFileSystem::flush_to_medium(const std::u16string& path) {
    errno = 0;
    std::FILE* f = std::fopen(host_path(path).c_str(), "rb+");
    if (!f) return errno ? from_errno(errno) : sys_error::access_denied;
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    return flushed && closed ? sys_error::ok : sys_error::write_fault;
}

std::u16string StdFileSystem::describe(SysError error) {
    return describe_error(error);
}

std::u16string describe_error(SysError error) {
    switch (error) {
        case sys_error::ok:
            return u"The operation completed successfully.";
        case sys_error::file_not_found:
            return u"The system cannot find the file specified.";
        case sys_error::path_not_found:
            return u"The system cannot find the path specified.";
        case sys_error::access_denied:
            return u"Access is denied.";
        case sys_error::no_unicode_translation:
            return u"No mapping for the Unicode character exists in the target multi-byte code page.";
        case sys_error::invalid_handle:
            return u"The handle is invalid.";
        case sys_error::write_protect:
            return u"The media is write protected.";
        case sys_error::not_ready:
            return u"The device is not ready.";
        case sys_error::write_fault:
            return u"The system cannot write to the specified device.";
        case sys_error::read_fault:
            return u"The system cannot read from the specified device.";
        case sys_error::sharing_violation:
            return u"The process cannot access the file because it is being used by another process.";
        case sys_error::handle_disk_full:
            return u"The disk is full.";
        case sys_error::file_exists:
            return u"The file exists.";
        case sys_error::disk_full:
            return u"There is not enough space on the disk.";
        case sys_error::already_exists:
            return u"Cannot create a file when that file already exists.";
        case sys_error::file_corrupt:
            return u"The file or directory is corrupted and unreadable.";
        case sys_error::device_removed:
            return u"The device has been removed.";
        default:
            break;
    }
    std::u16string text = u"Error ";
    for (char c : std::to_string(error))
        text.push_back(static_cast<char16_t>(c));
    return text + u".";
}

}  // namespace pm
