// The file-system service on the C++ standard library, for native tests and tools. Windows paths are
// mapped onto the host's: "\" becomes the host's separator. There are no hidden or system files here,
// and "read-only" is the owner's missing write permission.
#pragma once

#include <filesystem>

#include "platform/file_system.h"

namespace pm {

class StdFileSystem : public FileSystem {
  public:
    explicit StdFileSystem(std::u16string program_folder) : folder_(std::move(program_folder)) {}

    std::u16string program_folder() override { return folder_; }
    SysError query(const std::u16string& path, PathInfo& info) override;
    SysError open_read(const std::u16string& path, std::unique_ptr<OpenFile>& file) override;
    SysError create_new(const std::u16string& path, NewFileAttributes attributes,
                        std::unique_ptr<OpenFile>& file) override;
    SysError remove(const std::u16string& path) override;
    SysError rename_replace(const std::u16string& from, const std::u16string& to) override;
    SysError flush_to_medium(const std::u16string& path) override;
    std::u16string describe(SysError error) override;

    static std::filesystem::path host_path(const std::u16string& path);

  private:
    std::u16string folder_;
};

// Maps a host error (errno or std::errc) to the Windows error code that stands for it.
SysError from_errno(int error);

// English descriptions of the error codes, worded as Windows words them.
std::u16string describe_error(SysError error);

}  // namespace pm
