#include "platform/instance_key.h"

namespace pm {

namespace {

void append_hex(std::wstring& out, std::uint64_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out.push_back(L"0123456789ABCDEF"[(value >> shift) & 0xF]);
}

}  // namespace

std::wstring instance_key(const std::optional<FolderIdentity>& identity, std::u16string_view folder_path) {
    std::wstring key = L"PelmoraSettings.";
    if (identity) {
        key += L"id.";
        append_hex(key, identity->volume, 16);
        for (std::uint8_t byte : identity->file)
            append_hex(key, byte, 2);
        return key;
    }
    // Object names allow no "\" and at most MAX_PATH characters, so the path goes in as a hash.
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char16_t c : folder_path)
        hash = (hash ^ c) * 1099511628211ull;
    key += L"path.";
    append_hex(key, hash, 16);
    return key;
}

}  // namespace pm
