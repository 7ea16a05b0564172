// The platform services under test, made by the build's own factory: the portable ones natively, the
// Win32 ones when the suite is built for Windows.
#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/screen.h"
#include "platform/text_services.h"

namespace pm::test {

std::unique_ptr<TextServices> make_text_services();
std::unique_ptr<Screen> make_screen();
// A file system whose program folder is `folder`, given as a host path.
std::unique_ptr<FileSystem> make_file_system(const std::string& folder);
// `folder` as the service names it (a Windows path).
std::u16string service_path(const std::string& host_path);
// Marks a host file read-only, as the platform knows it.
void make_read_only(const std::string& host_path, bool read_only);

}  // namespace pm::test
