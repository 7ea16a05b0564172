#include "platform/instance_key.h"

namespace pm {

namespace {

void append_hex(std::wstring& out, std::uint64_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out.push_back(L"0123456789ABCDEF"[(value >> shift) & 0xF]);
}

// Object names allow no "\\" and at most MAX_PATH characters, so paths go in as a hash.
std::uint64_t fnv1a(std::u16string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char16_t c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

bool starts_with_no_case(std::u16string_view text, std::u16string_view start) {
    if (text.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
        if (lower(text[i]) != lower(start[i])) return false;
    }
    return true;
}

}  // namespace

std::wstring instance_key(const std::optional<FolderIdentity>& identity, std::u16string_view folder_path) {
    std::wstring key = L"PelmoraSettings.";
    bool has_id = false;
    if (identity) {
        for (std::uint8_t byte : identity->file)
            has_id = has_id || byte != 0;
    }
    if (has_id) {
        key += L"id.";
        append_hex(key, identity->volume, 16);
        for (std::uint8_t byte : identity->file)
            append_hex(key, byte, 2);
        if (!identity->device.empty()) {
            key += L".";
            append_hex(key, fnv1a(identity->device), 16);
        }
        return key;
    }
    key += L"path.";
    append_hex(key, fnv1a(folder_path), 16);
    return key;
}

std::u16string volume_device(std::u16string_view nt_path) {
    constexpr std::u16string_view device = u"\\Device\\";
    if (!starts_with_no_case(nt_path, device)) return {};
    const std::size_t end = nt_path.find(u'\\', device.size());
    const std::u16string_view name = nt_path.substr(0, end);
    // The UNC providers: the share is the folder, whichever server name reached it.
    if (starts_with_no_case(name, u"\\Device\\Mup") ||
        starts_with_no_case(name, u"\\Device\\LanmanRedirector") || name.size() == device.size())
        return {};
    return std::u16string{name};
}

}  // namespace pm
