// The file-system service on Win32's Unicode file API.
#pragma once

#include "platform/file_system.h"

namespace pm {

class Win32FileSystem : public FileSystem {
  public:
    Win32FileSystem();
    // For tests: a program folder other than the executable's.
    explicit Win32FileSystem(std::u16string program_folder) : folder_(std::move(program_folder)) {}

    std::u16string program_folder() override { return folder_; }
    SysError query(const std::u16string& path, PathInfo& info) override;
    SysError open_read(const std::u16string& path, std::unique_ptr<OpenFile>& file) override;
    SysError create_new(const std::u16string& path, NewFileAttributes attributes,
                        std::unique_ptr<OpenFile>& file) override;
    SysError remove(const std::u16string& path) override;
    SysError rename_replace(const std::u16string& from, const std::u16string& to) override;
    SysError flush_to_medium(const std::u16string& path) override;
    std::u16string describe(SysError error) override;

  private:
    std::u16string folder_;
};

// The folder that holds the running executable: no trailing "\" except at a drive root.
std::u16string executable_folder();

}  // namespace pm
