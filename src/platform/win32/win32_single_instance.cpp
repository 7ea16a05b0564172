#include "platform/win32/win32_single_instance.h"

#include <optional>
#include <vector>

#include "platform/instance_key.h"
#include "platform/win32/win32_api.h"

namespace pm {

namespace {

// The folder as one spelling: full, long names, upper case (as the file system compares names).
std::u16string canonical_folder(const std::u16string& folder) {
    std::wstring path = win32::wide_copy(folder);
    std::vector<wchar_t> full(path.size() + MAX_PATH);
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length > 0 && length < full.size()) path.assign(full.data(), length);
    std::vector<wchar_t> long_form(path.size() + MAX_PATH);
    const DWORD n = GetLongPathNameW(path.c_str(), long_form.data(), static_cast<DWORD>(long_form.size()));
    if (n > 0 && n < long_form.size()) path.assign(long_form.data(), n);
    if (!path.empty()) CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return std::u16string(path.begin(), path.end());
}

// The folder's volume serial number and file ID: 128 bits where the file system has them (ReFS), else
// the 64-bit file index.
std::optional<FolderIdentity> identity_of(const std::u16string& folder) {
    HANDLE h = CreateFileW(win32::wide(folder), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<FolderIdentity> identity;
    FILE_ID_INFO id{};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandleEx(h, FileIdInfo, &id, sizeof(id))) {
        identity.emplace();
        identity->volume = id.VolumeSerialNumber;
        static_assert(sizeof(id.FileId.Identifier) == sizeof(identity->file));
        CopyMemory(identity->file.data(), id.FileId.Identifier, sizeof(id.FileId.Identifier));
    } else if (GetFileInformationByHandle(h, &info)) {
        identity.emplace();
        identity->volume = info.dwVolumeSerialNumber;
        const std::uint64_t index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
        CopyMemory(identity->file.data(), &index, sizeof(index));
    }
    if (identity) {
        // The volume's device as the system names it now: two readers are two devices.
        std::vector<wchar_t> nt(MAX_PATH);
        DWORD length = GetFinalPathNameByHandleW(h, nt.data(), static_cast<DWORD>(nt.size()), VOLUME_NAME_NT);
        if (length >= nt.size()) {
            nt.resize(length + 1);
            length = GetFinalPathNameByHandleW(h, nt.data(), static_cast<DWORD>(nt.size()), VOLUME_NAME_NT);
        }
        if (length > 0 && length < nt.size())
            identity->device = volume_device(std::u16string(nt.data(), nt.data() + length));
    }
    CloseHandle(h);
    return identity;
}

struct Search {
    DWORD process;
    const wchar_t* mark;
    HWND editor = nullptr;   // the marked window
    HWND unowned = nullptr;  // any other shown top-level window: a box before the editor's window exists
};

// The window to bring forward: whatever the editor's window last activated (its own or a box of it), or
// before that window exists, the other process's box.
HWND forward_target(const Search& search) {
    return search.editor ? GetLastActivePopup(search.editor) : search.unowned;
}

// The other editor answered where the user can see it: one of its windows is in the foreground, and its
// window is no longer minimised. Windows refuses the foreground to a process that has no right to it
// (started by a scheduled task, or after the user clicked elsewhere); a hung editor never restores its
// window, and Windows shows it as a ghost window of the system's own.
bool answered(DWORD foreground_process, DWORD other_process, bool editor_minimised) {
    return foreground_process != 0 && foreground_process == other_process && !editor_minimised;
}

DWORD foreground_process() {
    DWORD process = 0;
    if (HWND foreground = GetForegroundWindow()) GetWindowThreadProcessId(foreground, &process);
    return process;
}

BOOL CALLBACK find_windows(HWND window, LPARAM lparam) {
    auto* search = reinterpret_cast<Search*>(lparam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    if (GetPropW(window, search->mark) != nullptr) {
        search->editor = window;
        return FALSE;
    }
    if (!search->unowned && GetWindow(window, GW_OWNER) == nullptr) search->unowned = window;
    return TRUE;
}

}  // namespace

Win32SingleInstance::Win32SingleInstance(const std::u16string& folder)
    : key_(instance_key(identity_of(folder), canonical_folder(folder))) {
    // In the session's own namespace: another user's editor on the same card is theirs to close.
    const std::wstring name = L"Local\\" + key_;
    mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
    if (!mutex_) {
        // An editor that runs elevated holds a mutex this one may not open: it is there all the same.
        first_ = GetLastError() != ERROR_ACCESS_DENIED;
        return;  // otherwise there is nothing to coordinate with: run on
    }
    // Held for the life of the process; one whose owner ended (abandoned) is free again.
    const DWORD wait = WaitForSingleObject(mutex_, 0);
    first_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    if (!first_) return;
    const std::wstring owner_name = name + L".owner";
    owner_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                                owner_name.c_str());
    if (!owner_) return;
    if (void* view = MapViewOfFile(owner_, FILE_MAP_WRITE, 0, 0, sizeof(DWORD))) {
        *static_cast<DWORD*>(view) = GetCurrentProcessId();
        UnmapViewOfFile(view);
    }
}

Win32SingleInstance::~Win32SingleInstance() {
    if (owner_) CloseHandle(owner_);
    if (!mutex_) return;
    if (first_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

bool Win32SingleInstance::bring_other_forward() const {
    const std::wstring owner_name = L"Local\\" + key_ + L".owner";
    DWORD process = 0;
    // The other editor may still be reading its settings, or showing its start-up warning.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (attempt > 0) Sleep(100);
        if (process == 0) {
            HANDLE owner = OpenFileMappingW(FILE_MAP_READ, FALSE, owner_name.c_str());
            if (!owner) continue;
            if (const void* view = MapViewOfFile(owner, FILE_MAP_READ, 0, 0, sizeof(DWORD))) {
                process = *static_cast<const DWORD*>(view);
                UnmapViewOfFile(view);
            }
            CloseHandle(owner);
            if (process == 0) continue;
        }
        Search search{process, key_.c_str()};
        EnumWindows(find_windows, reinterpret_cast<LPARAM>(&search));
        HWND target = forward_target(search);
        if (!target) continue;
        // Asynchronous: ShowWindow on another process's window waits for that process, and a hung
        // editor would hang this start with it.
        if (search.editor && IsIconic(search.editor)) ShowWindowAsync(search.editor, SW_RESTORE);
        const bool granted = SetForegroundWindow(target) != FALSE;
        // The foreground moves as the other process's thread takes it: a moment, unless it is hung.
        for (int wait = 0;; ++wait) {
            if (answered(foreground_process(), process, search.editor && IsIconic(search.editor)))
                return true;
            if (!granted || wait == 20) return false;
            Sleep(50);
        }
    }
    return false;
}

}  // namespace pm
