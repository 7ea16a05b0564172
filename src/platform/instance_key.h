// The name under which an editor claims its program folder, so that a second start for the same folder
// finds the first. Portable C++; never includes <windows.h>.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pm {

// What a file system says a folder is, whatever path reached it: a mapped drive and its UNC path, a
// substituted drive, a junction or a mounted folder all lead to the same volume and file ID.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::array<std::uint8_t, 16> file{};  // a 64-bit file index fills the first eight bytes
};

// From the identity where the file system gives one; else from the folder's path as one spelling (full,
// long names, upper case). The two kinds never give the same name.
std::wstring instance_key(const std::optional<FolderIdentity>& identity, std::u16string_view folder_path);

}  // namespace pm
