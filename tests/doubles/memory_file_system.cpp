#include "doubles/memory_file_system.h"

#include <algorithm>

#include "platform/portable/std_file_system.h"
#include "settings/settings_file.h"

namespace pm::test {

namespace {

class MemoryFile : public OpenFile {
  public:
    MemoryFile(MemoryFileSystem& fs, std::u16string path, bool writing)
        : fs_(fs), path_(std::move(path)), writing_(writing) {
        ++fs_.open_files;
    }
    // Closing for the owner who gave up counts as no call: it must not fail, nor crash, in a destructor.
    ~MemoryFile() override {
        if (!closed_) --fs_.open_files;
    }

    SysError read(std::span<char> buffer, std::size_t& got) override {
        got = 0;
        if (SysError e = fs_.tick(FsOp::read)) return e;
        const std::string& bytes = fs_.entries.at(path_).bytes;
        got = std::min({buffer.size(), bytes.size() - position_, fs_.read_chunk});
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(position_), got, buffer.begin());
        position_ += got;
        return sys_error::ok;
    }

    SysError write(std::span<const char> data, std::size_t& written) override {
        written = 0;
        if (!writing_) return sys_error::access_denied;
        if (SysError e = fs_.tick(FsOp::write)) return e;
        std::size_t n = data.size();
        if (fs_.tick(FsOp::short_write) != sys_error::ok) n /= 2;
        fs_.entries.at(path_).bytes.append(data.data(), n);
        written = n;
        return sys_error::ok;
    }

    SysError flush() override { return fs_.tick(FsOp::flush); }

    SysError close() override {
        if (closed_) return sys_error::ok;
        closed_ = true;
        --fs_.open_files;
        return fs_.tick(FsOp::close);
    }

  private:
    MemoryFileSystem& fs_;
    std::u16string path_;
    bool writing_;
    std::size_t position_ = 0;
    bool closed_ = false;
};

}  // namespace

void MemoryFileSystem::fail(FsOp op, int nth, SysError error) {
    faults_.push_back({op, calls(op) + nth, error});
}

int MemoryFileSystem::calls(FsOp op) const {
    return calls_[static_cast<std::size_t>(op)];
}

SysError MemoryFileSystem::tick(FsOp op) {
    if (crash_countdown_ > 0 && --crash_countdown_ == 0) {
        crash_countdown_ = -1;
    }
    if (crash_countdown_ < 0) throw Crash{};
    const int n = ++calls_[static_cast<std::size_t>(op)];
    for (const Fault& f : faults_) {
        if (f.op == op && f.at == n) return f.error;
    }
    return sys_error::ok;
}

void MemoryFileSystem::put(const std::u16string& name, std::string bytes) {
    entries[in_folder(name)].bytes = std::move(bytes);
}

std::u16string MemoryFileSystem::in_folder(const std::u16string& name) const {
    return path_in_folder(folder_, name);
}

SysError MemoryFileSystem::query(const std::u16string& path, PathInfo& info) {
    info = {};
    if (SysError e = tick(FsOp::query)) return e;
    const auto it = entries.find(path);
    if (it == entries.end()) return sys_error::ok;
    const MemoryEntry& e = it->second;
    info = {true, e.directory, e.read_only, e.hidden, e.system, e.archive};
    return sys_error::ok;
}

SysError MemoryFileSystem::open_read(const std::u16string& path, std::unique_ptr<OpenFile>& file) {
    if (SysError e = tick(FsOp::open_read)) return e;
    const auto it = entries.find(path);
    if (it == entries.end()) return sys_error::file_not_found;
    if (it->second.directory) return sys_error::access_denied;
    file = std::make_unique<MemoryFile>(*this, path, false);
    return sys_error::ok;
}

SysError MemoryFileSystem::create_new(const std::u16string& path, NewFileAttributes attributes,
                                      std::unique_ptr<OpenFile>& file) {
    if (SysError e = tick(FsOp::create)) return e;
    if (entries.count(path)) return sys_error::file_exists;
    MemoryEntry& entry = entries[path];
    entry.hidden = attributes.hidden;
    entry.system = attributes.system;
    entry.archive = attributes.archive;
    file = std::make_unique<MemoryFile>(*this, path, true);
    return sys_error::ok;
}

SysError MemoryFileSystem::remove(const std::u16string& path) {
    if (SysError e = tick(FsOp::remove)) return e;
    const auto it = entries.find(path);
    if (it == entries.end()) return sys_error::file_not_found;
    if (it->second.directory || it->second.read_only) return sys_error::access_denied;
    entries.erase(it);
    return sys_error::ok;
}

SysError MemoryFileSystem::rename_replace(const std::u16string& from, const std::u16string& to) {
    if (SysError e = tick(FsOp::rename)) return e;
    const auto it = entries.find(from);
    if (it == entries.end()) return sys_error::file_not_found;
    MemoryEntry moved = std::move(it->second);
    entries.erase(it);
    entries[to] = std::move(moved);
    return sys_error::ok;
}

SysError MemoryFileSystem::flush_to_medium(const std::u16string& path) {
    if (SysError e = tick(FsOp::flush_path)) return e;
    return entries.count(path) ? sys_error::ok : sys_error::file_not_found;
}

std::u16string MemoryFileSystem::describe(SysError error) {
    return describe_error(error);
}

}  // namespace pm::test
