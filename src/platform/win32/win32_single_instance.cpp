#include "platform/win32/win32_single_instance.h"

#include <cstdint>
#include <vector>

#include "platform/win32/win32_api.h"

namespace pm {

namespace {

// The folder as one spelling: full, long names, upper case (as the file system compares names).
std::wstring canonical_folder(const std::u16string& folder) {
    std::wstring path = win32::wide_copy(folder);
    std::vector<wchar_t> full(path.size() + MAX_PATH);
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length > 0 && length < full.size()) path.assign(full.data(), length);
    std::vector<wchar_t> long_form(path.size() + MAX_PATH);
    const DWORD n = GetLongPathNameW(path.c_str(), long_form.data(), static_cast<DWORD>(long_form.size()));
    if (n > 0 && n < long_form.size()) path.assign(long_form.data(), n);
    if (!path.empty()) CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

// Object names allow no "\" and at most MAX_PATH characters, so the folder goes in as a hash.
std::wstring key_of(const std::wstring& folder) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (wchar_t c : folder) {
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    }
    wchar_t hex[17] = {};
    for (int i = 15; i >= 0; --i, hash >>= 4)
        hex[i] = L"0123456789ABCDEF"[hash & 0xF];
    return std::wstring(L"PelmoraSettings.") + hex;
}

struct Search {
    const wchar_t* mark;
    HWND found;
};

BOOL CALLBACK find_marked(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<Search*>(lparam);
    if (GetPropW(window, search->mark) == nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

Win32SingleInstance::Win32SingleInstance(const std::u16string& folder)
    : key_(key_of(canonical_folder(folder))) {
    // In the session's own namespace: another user's editor on the same card is theirs to close.
    const std::wstring name = L"Local\\" + key_;
    mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
    if (!mutex_) return;  // nothing to coordinate with: run on
    // Held for the life of the process; one whose owner ended (abandoned) is free again.
    const DWORD wait = WaitForSingleObject(mutex_, 0);
    first_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

Win32SingleInstance::~Win32SingleInstance() {
    if (!mutex_) return;
    if (first_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

void Win32SingleInstance::publish(HWND window) const {
    SetPropW(window, key_.c_str(), reinterpret_cast<HANDLE>(1));
}

void Win32SingleInstance::bring_other_forward() const {
    // The other editor may still be reading its settings or showing its start-up warning.
    for (int attempt = 0; attempt < 50; ++attempt) {
        Search search{key_.c_str(), nullptr};
        EnumWindows(find_marked, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
            SetForegroundWindow(GetLastActivePopup(search.found));
            return;
        }
        Sleep(100);
    }
}

}  // namespace pm
