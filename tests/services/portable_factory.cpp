#include <filesystem>

#include "platform/portable/cp1252_text.h"
#include "platform/portable/fixed_screen.h"
#include "platform/portable/std_file_system.h"
#include "service_factory.h"

namespace pm::test {

std::unique_ptr<TextServices> make_text_services() {
    return std::make_unique<Cp1252Text>();
}
std::unique_ptr<Screen> make_screen() {
    return std::make_unique<FixedScreen>();
}

std::u16string service_path(const std::string& host_path) {
    return {host_path.begin(), host_path.end()};
}

std::unique_ptr<FileSystem> make_file_system(const std::string& folder) {
    return std::make_unique<StdFileSystem>(service_path(folder));
}

void make_read_only(const std::string& host_path, bool read_only) {
    using std::filesystem::perms;
    std::filesystem::permissions(
        host_path, perms::owner_write,
        read_only ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add);
}

}  // namespace pm::test
