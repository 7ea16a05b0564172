// The file-system service: the program folder and the few file operations that reading and saving the
// settings need. Paths are Windows paths ("\" separators) in UTF-16.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

#include "platform/sys_error.h"

namespace pm {

struct PathInfo {
    bool exists = false;
    bool directory = false;
    bool read_only = false;
    bool hidden = false;
    bool system = false;
    bool archive = false;
};

// Attributes a newly created file starts with.
struct NewFileAttributes {
    bool hidden = false;
    bool system = false;
    bool archive = true;
};

// One open file. Every call reports its own failure; close() is also done, silently, by the destructor
// when the owner forgot or gave up after an earlier failure.
class OpenFile {
  public:
    virtual ~OpenFile() = default;
    // Reads up to buffer.size() bytes; `got` is 0 at the end of the file.
    virtual SysError read(std::span<char> buffer, std::size_t& got) = 0;
    // Writes the bytes; `written` may come back short of data.size() without an error.
    virtual SysError write(std::span<const char> data, std::size_t& written) = 0;
    virtual SysError flush() = 0;
    virtual SysError close() = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The folder that holds the program: no trailing "\" except at a drive root ("E:\").
    virtual std::u16string program_folder() = 0;
    // What is at `path`; a missing entry is no failure (exists stays false).
    virtual SysError query(const std::u16string& path, PathInfo& info) = 0;
    virtual SysError open_read(const std::u16string& path, std::unique_ptr<OpenFile>& file) = 0;
    // Creates a file that must not exist yet, opened for writing.
    virtual SysError create_new(const std::u16string& path, NewFileAttributes attributes,
                                std::unique_ptr<OpenFile>& file) = 0;
    virtual SysError remove(const std::u16string& path) = 0;
    // Renames `from` over `to` in one step, replacing `to`, written through to the medium. Waits briefly
    // and tries again a few times while another program holds either file.
    virtual SysError rename_replace(const std::u16string& from, const std::u16string& to) = 0;
    // Writes what the system still holds of the file at `path` (its data and its entry) to the medium.
    // A rename is kept in the cache like any write, so a save counts as done only after this.
    virtual SysError flush_to_medium(const std::u16string& path) = 0;
    // The system's own description of an error code, in the user's language where it has one.
    virtual std::u16string describe(SysError error) = 0;
};

}  // namespace pm
