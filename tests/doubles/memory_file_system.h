// A file system in memory, with failures on demand: a chosen call of a chosen operation fails with a
// chosen error code (or, for writes, comes back short).
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace pm::test {

enum class FsOp {
    query,
    open_read,
    read,
    create,
    write,
    short_write,
    flush,
    close,
    remove,
    rename,
    flush_path
};
inline constexpr std::size_t fs_op_count = static_cast<std::size_t>(FsOp::flush_path) + 1;

struct MemoryEntry {
    std::string bytes;
    bool directory = false;
    bool read_only = false;
    bool hidden = false;
    bool system = false;
    bool archive = true;
};

class MemoryFileSystem : public FileSystem {
  public:
    explicit MemoryFileSystem(std::u16string folder = u"C:\\CARD") : folder_(std::move(folder)) {}

    // Files and folders by their full path.
    std::map<std::u16string, MemoryEntry> entries;

    // The `nth` call (1 = the next) of `op` fails with `error`; a short write writes half and says ok.
    void fail(FsOp op, int nth, SysError error = sys_error::disk_full);
    int calls(FsOp op) const;
    // The machine stops (power cut, card pulled) just before the `n`th file-system call from now: that
    // call and every later one throw Crash, and the entries stay as they were at that moment.
    struct Crash {};
    void crash_before(int n) { crash_countdown_ = n; }

    // Reads hand out at most this many bytes at a time.
    std::size_t read_chunk = 1u << 30;

    void put(const std::u16string& name, std::string bytes);  // a file in the program folder
    std::u16string in_folder(const std::u16string& name) const;
    bool has(const std::u16string& name) const { return entries.count(in_folder(name)) != 0; }
    const std::string& bytes(const std::u16string& name) const { return entries.at(in_folder(name)).bytes; }

    std::u16string program_folder() override { return folder_; }
    SysError query(const std::u16string& path, PathInfo& info) override;
    SysError open_read(const std::u16string& path, std::unique_ptr<OpenFile>& file) override;
    SysError create_new(const std::u16string& path, NewFileAttributes attributes,
                        std::unique_ptr<OpenFile>& file) override;
    SysError remove(const std::u16string& path) override;
    SysError rename_replace(const std::u16string& from, const std::u16string& to) override;
    SysError flush_to_medium(const std::u16string& path) override;
    std::u16string describe(SysError error) override;

    // Used by the open files.
    SysError tick(FsOp op);
    int open_files = 0;

  private:
    struct Fault {
        FsOp op;
        int at;
        SysError error;
    };
    std::u16string folder_;
    std::vector<Fault> faults_;
    int crash_countdown_ = 0;
    std::array<int, fs_op_count> calls_{};
};

}  // namespace pm::test
