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
// Cards cloned from one image share the volume serial (from the boot sector) and, on FAT, the file ID (the
// directory entry's position): `device`, the device the volume is on now, tells two of them apart in two
// readers. A network share has none, so that one share reached through two server names stays one folder.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::array<std::uint8_t, 16> file{};  // a 64-bit file index fills the first eight bytes
    std::u16string device;                // "\Device\HarddiskVolume5"; empty for a network share
};

// From the identity where the file system gives one; else from the folder's path as one spelling (full,
// long names, upper case). An all-zero file ID is none (a FAT root's, and "no ID" for ReFS). The two kinds
// never give the same name.
std::wstring instance_key(const std::optional<FolderIdentity>& identity, std::u16string_view folder_path);

// The device part of a path in the system's own (NT) form: "\Device\HarddiskVolume5" of
// "\Device\HarddiskVolume5\PM"; empty for a network path (the multiple UNC provider) or another form.
std::u16string volume_device(std::u16string_view nt_path);

}  // namespace pm
