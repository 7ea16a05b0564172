#include "robot.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace robot {
namespace {

namespace fs = std::filesystem;

Config the_config;

// Paths from the harness are the host's; Wine shows the host's root as Z:.
std::wstring windows_path(std::wstring path) {
    if (path.empty() || path[0] != L'/') return path;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return L"Z:" + path;
}

std::wstring environment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());  // messages only: paths and names are ASCII
}

[[noreturn]] void fail(const std::wstring& what) {
    throw std::runtime_error(narrow(what));
}

std::wstring class_of(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// The current directory the editor starts in: another folder with a settings file of its own, so that a
// program that read SETTINGS.TXT from there instead of from its program folder shows it at once.
const std::wstring& decoy_folder() {
    static const std::wstring folder = [] {
        fs::path path = fs::temp_directory_path() / ("pm-robot-cwd-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(path);
        std::ofstream(path / "SETTINGS.TXT", std::ios::binary)
            << settings_lines({"JOB=read from the current directory", "LANGUAGE=4"});
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(decoy_folder(), ignored);
        });
        return path.wstring();
    }();
    return folder;
}

bool is_extended(WORD vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

INPUT key_input(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) | (is_extended(vk) ? KEYEVENTF_EXTENDEDKEY : 0u);
    return input;
}

// A folder name of its own for every program folder of this run.
std::wstring fresh_folder() {
    static int count = 0;
    const std::string name =
        "pm-robot-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    return (fs::temp_directory_path() / name).wstring();
}

POINT centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A process's command line, read from its parameter block; empty while the process is still setting
// that block up (until then it holds offsets instead of addresses).
std::wstring command_line_of(HANDLE process) {
    using QueryFn = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
        !basic.PebBaseAddress) {
        return L"";
    }
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) ||
        !peb.ProcessParameters ||
        !ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
        return L"";
    }
    ULONG flags = 0;  // after the two lengths
    std::memcpy(&flags, parameters.Reserved1 + 8, sizeof flags);
    constexpr ULONG normalised = 1;
    const UNICODE_STRING& line = parameters.CommandLine;
    if (!(flags & normalised) || !line.Buffer || line.Length == 0) return L"";
    std::wstring text(line.Length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process, line.Buffer, text.data(), line.Length, nullptr)) return L"";
    // Wine may publish the length before the text itself: nothing but zeros is a line not written yet.
    if (text.find_first_not_of(L'\0') == std::wstring::npos) return L"";
    return text;
}

using ProcessIds = std::vector<std::pair<DWORD, std::wstring>>;

// The processes whose parent is this one, by ID and program name; nothing when they cannot be listed.
std::optional<ProcessIds> child_ids(DWORD parent) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
    ProcessIds children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parent) children.emplace_back(entry.th32ProcessID, entry.szExeFile);
    }
    CloseHandle(snapshot);
    return children;
}

}  // namespace

const Config& config() {
    return the_config;
}

bool configure(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--program=", 0) == 0) {
            const std::string path = arg.substr(10);
            the_config.program = windows_path(std::wstring(path.begin(), path.end()));
        }
    }
    the_config.screenshots = windows_path(environment(L"PM_ROBOT_SCREENSHOTS"));
    the_config.root_drive = environment(L"PM_ROBOT_ROOT_DRIVE");
    the_config.twin_drive = environment(L"PM_ROBOT_TWIN_DRIVE");
    the_config.dpi = _wtoi(environment(L"PM_ROBOT_DPI").c_str());
    the_config.artifacts = windows_path(environment(L"PM_ROBOT_ARTIFACTS"));
    const std::wstring bells = environment(L"PM_ROBOT_BELLS");
    if (!bells.empty()) the_config.bells = windows_path(bells);
    the_config.code_page = static_cast<UINT>(_wtoi(environment(L"PM_ROBOT_CODE_PAGE").c_str()));
    if (the_config.program.empty() || the_config.screenshots.empty() || the_config.root_drive.empty() ||
        the_config.twin_drive.empty() || the_config.dpi <= 0) {
        std::fprintf(stderr,
                     "usage: tools/robot-run PREFIX DPI ARTIFACTS robot_tests.exe --program=EDITOR.exe\n"
                     "(the harness sets PM_ROBOT_DPI, PM_ROBOT_SCREENSHOTS and PM_ROBOT_ROOT_DRIVE and "
                     "_TWIN_DRIVE)\n");
        return false;
    }
    return true;
}

bool wait_until(const std::function<bool()>& pred, int timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
    while (!pred()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(10);
    }
    return true;
}

int bells() {
    if (config().bells.empty()) fail(L"the harness counts no bells (PM_ROBOT_BELLS; see tools/robot-run)");
    std::ifstream file(fs::path(config().bells), std::ios::binary);
    if (!file) fail(L"cannot read the bell count " + config().bells);
    return static_cast<int>(
        std::count(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>(), '\n'));
}

namespace {

// Opens the clipboard for this thread, waiting while another program holds it open: Wine's desktop
// process opens it for a moment after every change, to offer the new contents to X.
void open_clipboard() {
    if (!wait_until([] { return OpenClipboard(nullptr) != FALSE; }))
        fail(L"cannot open the clipboard: error " + std::to_wstring(GetLastError()));
}

// The clipboard's text; empty when it holds none.
std::wstring clipboard_text() {
    open_clipboard();
    std::wstring text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(memory))) {
            text.assign(chars, wcsnlen(chars, GlobalSize(memory) / sizeof(wchar_t)));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

void put_on_clipboard(std::wstring_view text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) fail(L"no memory for the clipboard");
    auto* copy = static_cast<wchar_t*>(GlobalLock(memory));
    std::memcpy(copy, text.data(), text.size() * sizeof(wchar_t));
    copy[text.size()] = L'\0';
    GlobalUnlock(memory);
    try {
        open_clipboard();
    } catch (...) {
        GlobalFree(memory);
        throw;
    }
    EmptyClipboard();
    // Once set, the memory is the clipboard's.
    const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    const DWORD error = GetLastError();
    CloseClipboard();
    if (!set) {
        GlobalFree(memory);
        fail(L"cannot put text on the clipboard: error " + std::to_wstring(error));
    }
}

std::string settings_lines(std::initializer_list<std::string_view> lines) {
    std::string bytes;
    for (std::string_view line : lines) {
        bytes.append(line);
        bytes.append("\r\n");
    }
    return bytes;
}

std::wstring system_description(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring description = text ? std::wstring(text, length) : L"";
    if (text) LocalFree(text);
    while (!description.empty() &&
           std::wstring_view(L"\r\n ").find(description.back()) != std::wstring_view::npos)
        description.pop_back();
    return description;
}

// ProgramFolder

ProgramFolder::ProgramFolder(std::wstring path, bool owned) : path_(std::move(path)), owned_(owned) {
    fs::create_directories(path_);
    empty();
    fs::copy_file(config().program, program());
}

ProgramFolder::ProgramFolder() : ProgramFolder(fresh_folder(), true) {}

ProgramFolder::ProgramFolder(std::wstring_view name_ending)
    : ProgramFolder(fresh_folder() + std::wstring(name_ending), true) {}

ProgramFolder ProgramFolder::drive_root() {
    return ProgramFolder(config().root_drive + L"\\", false);
}

ProgramFolder::ProgramFolder(ProgramFolder&& other) noexcept
    : path_(std::move(other.path_)), owned_(other.owned_) {
    other.path_.clear();
}

ProgramFolder::~ProgramFolder() {
    if (path_.empty()) return;
    std::error_code ignored;
    // A read-only file would stay.
    for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    if (owned_) {
        fs::remove_all(path_, ignored);
    } else {
        empty();
    }
}

void ProgramFolder::empty() const {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(path_, ignored))
        fs::remove_all(entry.path(), ignored);
}

void ProgramFolder::write_settings(std::string_view bytes) const {
    std::ofstream(fs::path(path_) / "SETTINGS.TXT", std::ios::binary) << bytes;
}

void ProgramFolder::make_data_folder() const {
    fs::create_directory(fs::path(path_) / "DATA");
}

std::optional<std::string> ProgramFolder::settings() const {
    std::ifstream file(fs::path(path_) / "SETTINGS.TXT", std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::wstring> ProgramFolder::entries() const {
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring ProgramFolder::program() const {
    return (fs::path(path_) / fs::path(config().program).filename()).wstring();
}

int control_id(pm::ControlName name, int index) {
    for (const pm::ControlRow& row : pm::layout_table()) {
        if (row.name == name && row.index == index) return id::first + row.tab_index;
    }
    throw std::invalid_argument("no such control in the layout table");
}

std::wstring control_name(int control) {
    const auto table = pm::layout_table();
    for (const pm::ControlRow& row : table) {
        if (id::first + row.tab_index != control) continue;
        const std::u16string_view name = pm::to_string(row.name);
        std::wstring text(name.begin(), name.end());
        // An array member: its name stands more than once in the table.
        if (std::count_if(table.begin(), table.end(), [&](const auto& s) { return s.name == row.name; }) > 1)
            text += L"(" + std::to_wstring(row.index) + L")";
        return text;
    }
    return L"control " + std::to_wstring(control);
}

// Editor

Editor::Editor(const ProgramFolder& folder, const StartUpBox& start_up_box) {
    // The pointer waits in the screen's corner, away from where the window opens: a window that opened
    // under it would get the X events of the pointer entering it late, and with them the pointer back.
    INPUT park = mouse_input(0, pointer_);
    SendInput(1, &park, sizeof park);
    const std::wstring program = folder.program();
    std::wstring command_line = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        decoy_folder().c_str(), &startup, &process_)) {
        fail(L"cannot start " + program + L": error " + std::to_wstring(GetLastError()));
    }
    try {
        WaitForInputIdle(process_.hProcess, 30000);
        for (;;) {
            HWND box = nullptr;
            const bool settled = wait_until(
                [&] {
                    window_ = top_level(L"PelmoraSettings", false);
                    if ((window_ && IsWindowVisible(window_)) || !running()) return true;
                    box = message_box();
                    return box != nullptr;
                },
                30000);
            if (!running()) {
                DWORD code = 0;
                GetExitCodeProcess(process_.hProcess, &code);
                fail(L"the editor ended at start-up with exit code " + std::to_wstring(code));
            }
            if (!settled) fail(L"no visible window of class PelmoraSettings within 30 s");
            if (!box) break;
            if (!start_up_box) {
                const MessageBoxView view = read_message_box(box);
                fail(L"a message box at start-up, \"" + view.title + L"\": " + view.text);
            }
            start_up_box(*this, box);
            if (!wait_until([&] { return !IsWindow(box) || !IsWindowVisible(box); })) {
                fail(L"the message box at start-up stayed");
            }
        }
        thread_ = GetWindowThreadProcessId(window_, nullptr);
        bring_to_front();
    } catch (...) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        throw;
    }
}

Editor::~Editor() {
    // A case that failed halfway through a drag leaves no button held down for the next one.
    if (button_down_) release();
    // No file browser of this case is left to take the focus from the next one.
    end_children();
    if (running()) {
        // A close request; should the editor ask whether to save, the answer is No.
        PostMessageW(window_, WM_CLOSE, 0, 0);
        HWND prompt = nullptr;
        wait_until([&] { return !running() || (prompt = message_box()) != nullptr; }, 10000);
        if (prompt) PostMessageW(prompt, WM_COMMAND, IDNO, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 10000);
        }
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::vector<std::wstring> Editor::children() const {
    const auto ids = child_ids(process_.dwProcessId);
    if (!ids) fail(L"no process snapshot");
    std::vector<std::wstring> names;
    for (const auto& [id, name] : *ids)
        names.push_back(name);
    return names;
}

std::vector<ChildProcess> Editor::child_processes() const {
    const auto ids = child_ids(process_.dwProcessId);
    if (!ids) fail(L"no process snapshot");
    std::vector<ChildProcess> children;
    for (const auto& [id, name] : *ids) {
        ChildProcess child{id, name, L""};
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
        if (process) {
            if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
                child.command_line = command_line_of(process);
            CloseHandle(process);
        }
        children.push_back(child);
    }
    return children;
}

void Editor::end_children() const {
    for (const auto& [id, name] : child_ids(process_.dwProcessId).value_or(ProcessIds{})) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process) continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
}

HWND Editor::top_level(std::wstring_view class_name, bool shown_only) const {
    struct Search {
        DWORD process;
        std::wstring_view class_name;
        bool shown_only;
        HWND found;
    } search{process_.dwProcessId, class_name, shown_only, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s->process || (s->shown_only && !IsWindowVisible(hwnd)) ||
                class_of(hwnd) != s->class_name) {
                return TRUE;
            }
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Editor::wait_message_box() const {
    HWND box = nullptr;
    wait_until([&] { return (box = message_box()) != nullptr; });
    return box;
}

MessageBoxView Editor::read_message_box(HWND box) const {
    MessageBoxView view;
    view.owner = GetWindow(box, GW_OWNER);
    view.title = window_text(box);
    // The message and the icon are static controls with the IDs Windows gives them in every message box.
    constexpr int message_id = 0xFFFF;
    constexpr int icon_id = 0x0440;
    if (HWND message = GetDlgItem(box, message_id)) view.text = window_text(message);
    if (HWND icon = GetDlgItem(box, icon_id)) {
        view.icon = reinterpret_cast<HICON>(send(icon, STM_GETICON));
        view.icon_shown = IsWindowVisible(icon) && view.icon != nullptr;
    }
    std::vector<std::pair<LONG, HWND>> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (class_of(child) != L"Button" || !IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        buttons.emplace_back(r.left, child);
    }
    std::sort(buttons.begin(), buttons.end());
    for (const auto& [left, button] : buttons) {
        view.buttons.push_back(GetDlgCtrlID(button));
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) view.default_button = GetDlgCtrlID(button);
    }
    return view;
}

bool Editor::wait_ended() const {
    return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0;
}

HWND Editor::message_box() const {
    return shown_window(L"#32770");
}

HWND Editor::shown_window(std::wstring_view class_name) const {
    return top_level(class_name, true);
}

bool Editor::running() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

LRESULT Editor::send(HWND hwnd, UINT message, WPARAM w, LPARAM l) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, w, l, SMTO_ABORTIFHUNG | SMTO_BLOCK, 10000, &result)) {
        fail(L"the editor did not answer message " + std::to_wstring(message));
    }
    return static_cast<LRESULT>(result);
}

HWND Editor::find(int control) const {
    if (control < id::first || control > id::last) fail(L"no control with ID " + std::to_wstring(control));
    controls_.resize(static_cast<size_t>(id::last - id::first + 1));
    HWND& known = controls_[static_cast<size_t>(control - id::first)];
    if (known) return known;
    struct Search {
        HWND window;
        int control;
        HWND found;
    } search{window_, control, nullptr};
    // Every descendant, but only controls: children of the window or of a frame. (A combo box's own edit
    // field has ID 1001 too.)
    EnumChildWindows(
        window_,
        [](HWND hwnd, LPARAM l) -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            const HWND parent = GetParent(hwnd);
            if (GetDlgCtrlID(hwnd) != s->control) return TRUE;
            if (parent != s->window && class_of(parent) != L"PmFrame") return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        fail(L"no control " + control_name(control) + L" (ID " + std::to_wstring(control) + L")");
    known = search.found;
    return known;
}

std::wstring Editor::text(int control) const {
    return window_text(control == 0 ? window_ : find(control));
}

std::wstring Editor::window_text(HWND hwnd) const {
    // Wine 10 puts the buffer of a WM_GETTEXT from another process on the stack of the thread that
    // answers it: a buffer near the size of the editor's stack (2 MiB, a million characters) overflows it
    // and ends the editor. Texts up to this length are read with one message, far from that limit.
    constexpr size_t longest_sent_text = 1 << 16;
    const auto length = static_cast<size_t>(send(hwnd, WM_GETTEXTLENGTH));
    if (length > longest_sent_text) return copied_text(hwnd, length);
    std::wstring text(length + 1, L'\0');
    const auto copied =
        static_cast<size_t>(send(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied);
    return text;
}

// No message gives a single-line edit box's text from an offset on (EM_GETLINE starts at the front too):
// a longer text is read as a user would take it, selected whole and copied.
std::wstring Editor::copied_text(HWND edit, size_t length) const {
    if (class_of(edit) != L"Edit")
        fail(L"a text of " + std::to_wstring(length) + L" characters in a " + class_of(edit));
    send(edit, EM_SETSEL, 0, -1);
    send(edit, WM_COPY);
    return clipboard_text();
}

std::wstring Editor::title() const {
    return text(0);
}

int Editor::check(int control) const {
    return static_cast<int>(send(find(control), BM_GETCHECK));
}

int Editor::value(int control) const {
    return static_cast<int>(send(find(control), SBM_GETPOS));
}

bool Editor::enabled(int control) const {
    return IsWindowEnabled(find(control)) != FALSE;
}

int Editor::selection() const {
    return static_cast<int>(send(find(id::combo1), CB_GETCURSEL));
}

bool Editor::dropped() const {
    return send(find(id::combo1), CB_GETDROPPEDSTATE) != 0;
}

int Editor::list_count() const {
    return static_cast<int>(send(find(id::combo1), CB_GETCOUNT));
}

std::wstring Editor::list_entry(int index) const {
    const HWND combo = find(id::combo1);
    const auto length = send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return L"<no entry " + std::to_wstring(index) + L">";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    send(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int Editor::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread_, &info)) return 0;
    for (HWND hwnd = info.hwndFocus; hwnd && hwnd != window_; hwnd = GetParent(hwnd)) {
        const int control = GetDlgCtrlID(hwnd);
        if (control >= id::first && control <= id::last && find(control) == hwnd) return control;
    }
    return 0;
}

HWND Editor::capture() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) ? info.hwndCapture : nullptr;
}

std::map<int, std::wstring> Editor::snapshot() const {
    std::map<int, std::wstring> state;
    for (int control = id::first; control <= id::last; ++control) {
        const HWND hwnd = find(control);
        const std::wstring kind = class_of(hwnd);
        std::wstring line = control_name(control) + L": \"" + text(control) + L"\"";
        if (kind == L"ScrollBar") line += L" value " + std::to_wstring(value(control));
        if (control >= id::pressure_channel(1)) line += L" check " + std::to_wstring(check(control));
        if (control == id::combo1) line += L" selection " + std::to_wstring(selection());
        line += IsWindowEnabled(hwnd) ? L" enabled" : L" disabled";
        state[control] = line;
    }
    return state;
}

std::wstring differences(const std::map<int, std::wstring>& before,
                         const std::map<int, std::wstring>& after) {
    std::wstring out;
    for (const auto& [control, line] : before) {
        const auto other = after.find(control);
        const std::wstring now = other == after.end() ? L"<gone>" : other->second;
        if (now != line) out += L"\n  was " + line + L"\n  now " + now;
    }
    return out;
}

void Editor::bring_to_front() const {
    // While a message box is shown, the window behind it takes no input: the box is in front.
    HWND front = message_box();
    if (!front) front = window_;
    if (GetForegroundWindow() == front) return;
    SetForegroundWindow(front);
    if (!wait_until([&] { return GetForegroundWindow() == front; }, 10000)) {
        fail(front == window_ ? L"cannot bring the editor's window to the front"
                              : L"cannot bring the editor's message box to the front");
    }
}

void Editor::send_input(INPUT* inputs, UINT count) const {
    bring_to_front();
    if (SendInput(count, inputs, sizeof(INPUT)) != count) {
        fail(L"SendInput failed: error " + std::to_wstring(GetLastError()));
    }
}

// Every mouse event carries its own position. Wine moves the X pointer for injected moves, and the X
// events that this causes reach the editor a little later and move Wine's pointer again: an event
// without a position could land where such a late event has just put the pointer.
INPUT mouse_input(DWORD flags, POINT p) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute input is in 1/65536ths of the screen; rounding up lands on the pixel itself.
    input.mi.dx = (p.x * 65536 + width - 1) / width;
    input.mi.dy = (p.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

void Editor::wheel(POINT p, int delta) {
    INPUT input = mouse_input(MOUSEEVENTF_WHEEL, p);
    input.mi.mouseData = static_cast<DWORD>(delta);
    send_input(&input, 1);
    pointer_ = p;
}

void Editor::move_to(POINT p) {
    INPUT input = mouse_input(0, p);
    send_input(&input, 1);
    pointer_ = p;
    // Wine 10 can handle the X event of an earlier move (the park at start-up) after this one and put the
    // pointer back there: a move that has not arrived goes again, every 200 ms.
    int polls = 0;
    const bool arrived = wait_until([&] {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y) return true;
        if (++polls % 20 == 0) send_input(&input, 1);
        return false;
    });
    if (!arrived) fail(L"the pointer did not reach " + std::to_wstring(p.x) + L"," + std::to_wstring(p.y));
}

void Editor::press() {
    INPUT input = mouse_input(MOUSEEVENTF_LEFTDOWN, pointer_);
    send_input(&input, 1);
    button_down_ = true;
}

void Editor::release() {
    INPUT input = mouse_input(MOUSEEVENTF_LEFTUP, pointer_);
    SendInput(1, &input, sizeof input);  // also when the window is gone
    button_down_ = false;
}

void Editor::click_at(POINT p) {
    move_to(p);
    // Down and up in one batch: nothing comes between them, so a scroll bar never sees the button held
    // long enough to repeat.
    INPUT inputs[2] = {mouse_input(MOUSEEVENTF_LEFTDOWN, p), mouse_input(MOUSEEVENTF_LEFTUP, p)};
    send_input(inputs, 2);
}

void Editor::click(int control) {
    click_window(find(control));
}

void Editor::right_click(int control) {
    RECT r{};
    GetWindowRect(find(control), &r);
    const POINT p = centre(r);
    move_to(p);
    INPUT inputs[2] = {mouse_input(MOUSEEVENTF_RIGHTDOWN, p), mouse_input(MOUSEEVENTF_RIGHTUP, p)};
    send_input(inputs, 2);
}

void Editor::click_window(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    click_at(centre(r));
}

POINT Editor::close_box(HWND top_level) const {
    // The close box is the caption's last button: along the middle of the caption from the right.
    RECT r{};
    GetWindowRect(top_level, &r);
    const int caption = GetSystemMetricsForDpi(SM_CYCAPTION, GetDpiForWindow(top_level));
    const int frame = GetSystemMetricsForDpi(SM_CYFIXEDFRAME, GetDpiForWindow(top_level));
    const int y = r.top + frame + caption / 2;
    for (int x = r.right - 1; x > r.left; --x) {
        const auto hit = send(top_level, WM_NCHITTEST, 0, MAKELPARAM(x, y));
        if (hit != HTCLOSE) continue;
        int right = x;  // the box's middle
        while (right > r.left && send(top_level, WM_NCHITTEST, 0, MAKELPARAM(right - 1, y)) == HTCLOSE)
            --right;
        return {(x + right) / 2, y};
    }
    fail(L"no close box in the caption");
}

void Editor::chord(WORD modifier, WORD vk) {
    INPUT inputs[4] = {key_input(modifier, false), key_input(vk, false), key_input(vk, true),
                       key_input(modifier, true)};
    send_input(inputs, 4);
}

void Editor::key(WORD vk, bool shift) {
    std::vector<INPUT> inputs;
    if (shift) inputs.push_back(key_input(VK_SHIFT, false));
    inputs.push_back(key_input(vk, false));
    inputs.push_back(key_input(vk, true));
    if (shift) inputs.push_back(key_input(VK_SHIFT, true));
    send_input(inputs.data(), static_cast<UINT>(inputs.size()));
}

void Editor::type(std::wstring_view text) {
    for (wchar_t c : text) {
        const SHORT scan = VkKeyScanW(c);
        if (scan != -1) {
            key(LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
            continue;
        }
        // A character that Wine's keyboard layout on Xvfb has no key for (such as "(") comes as itself,
        // the way an input method sends it.
        INPUT inputs[2]{};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        send_input(inputs, 2);
    }
}

ScrollBarPoints Editor::scroll_bar(int control) const {
    const HWND bar = find(control);
    RECT r{};
    GetWindowRect(bar, &r);
    // The arrows and the thumb have the system's sizes for the bar's DPI (the thumb is fixed: no page
    // size); the thumb's left edge moves over the track in proportion to the value in 0..99.
    const UINT dpi = GetDpiForWindow(bar);
    const int arrow = GetSystemMetricsForDpi(SM_CXHSCROLL, dpi);
    const int thumb = GetSystemMetricsForDpi(SM_CXHTHUMB, dpi);
    const int track = (r.right - r.left) - 2 * arrow - thumb;
    const int thumb_left = r.left + arrow + MulDiv(track, value(control), 99);
    const int y = (r.top + r.bottom) / 2;
    ScrollBarPoints points{};
    points.left_arrow = {r.left + arrow / 2, y};
    points.right_arrow = {r.right - 1 - arrow / 2, y};
    points.thumb = {thumb_left + thumb / 2, y};
    points.track_before = {(r.left + arrow + thumb_left) / 2, y};
    points.track_after = {(thumb_left + thumb + r.right - arrow) / 2, y};
    return points;
}

bool Editor::wait_focus(int control) const {
    return wait_until([&] { return focus() == control; });
}

bool Editor::wait_focus_leaves(int control) const {
    return wait_until([&] { return focus() != control; });
}

bool Editor::tab_to(int control) {
    for (int presses = 0; presses <= id::last - id::first; ++presses) {
        const int before = focus();
        if (before == control) return true;
        key(VK_TAB);
        if (!wait_until([&] { return focus() != before; })) return false;
    }
    return focus() == control;
}

void Editor::save_screenshot(const std::wstring& name) {
    // Wine's screen DC does not hold what other processes draw, so the harness takes the picture from
    // the X server: it picks up NAME.request (the window's geometry) and deletes it when it is done.
    move_to({0, 0});  // no tooltip or hot control in the picture
    bring_to_front();
    WaitForInputIdle(process_.hProcess, 10000);
    send(window_, WM_NULL);
    RECT r{};
    GetWindowRect(window_, &r);
    request_picture(name, r);
}

void Editor::request_picture(const std::wstring& name, const RECT& r) {
    const fs::path request = fs::path(config().screenshots) / (name + L".request");
    const fs::path draft = fs::path(config().screenshots) / (name + L".draft");
    std::ofstream(draft) << (r.right - r.left) << 'x' << (r.bottom - r.top) << '+' << r.left << '+' << r.top;
    fs::rename(draft, request);
    if (!wait_until([&] { return !fs::exists(request); }, 30000)) fail(L"no screenshot " + name);
}

Editor::Picture Editor::picture(HWND hwnd, const std::wstring& name) {
    move_to({0, 0});
    bring_to_front();
    WaitForInputIdle(process_.hProcess, 10000);
    send(window_, WM_NULL);
    RECT r{};
    GetWindowRect(hwnd, &r);
    const std::wstring file = name + L".bmp";
    const fs::path path = fs::path(config().artifacts) / file;
    std::error_code ignored;
    fs::remove(path, ignored);
    request_picture(file, r);
    // The harness writes a bottom-up 24- or 32-bit BMP: a 14-byte file header, then BITMAPINFOHEADER.
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Picture picture;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return picture;
    auto number = [&](std::size_t at, int size) {
        std::uint32_t n = 0;
        for (int i = size - 1; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
        return n;
    };
    const std::uint32_t offset = number(10, 4);
    const auto width = static_cast<std::int32_t>(number(18, 4));
    const auto height = static_cast<std::int32_t>(number(22, 4));
    const std::uint32_t bits = number(28, 2);
    if ((bits != 24 && bits != 32) || width <= 0 || height == 0) return picture;
    const bool bottom_up = height > 0;
    picture.width = width;
    picture.height = bottom_up ? height : -height;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
    if (bytes.size() < offset + stride * static_cast<std::size_t>(picture.height)) return Picture{};
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const std::size_t row =
            offset + stride * static_cast<std::size_t>(bottom_up ? picture.height - 1 - y : y);
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * bits / 8;
            picture.pixels[static_cast<std::size_t>(y * picture.width + x)] =
                RGB(static_cast<unsigned char>(bytes[at + 2]), static_cast<unsigned char>(bytes[at + 1]),
                    static_cast<unsigned char>(bytes[at]));
        }
    }
    return picture;
}

bool InputBarrier::pass(int timeout_ms) const {
    const RECT corner{0, 0, 1, 1};
    if (!InvalidateRect(window_, &corner, FALSE)) return false;
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout_ms);
    while (GetUpdateRect(window_, nullptr, FALSE)) {
        if (GetTickCount64() > deadline) return false;
        Sleep(1);
    }
    return true;
}

int BellCount::arrived(int expected) {
    if (!barrier_.pass()) throw std::runtime_error("the editor did not draw again within 10 s");
    wait_until([&] { return bells() >= last_ + expected; }, 5000);
    const int now = bells();
    const int count = now - last_;
    last_ = now;
    return count;
}

int BellCount::settled(int expected) {
    const int count = arrived(expected);
    // A second ring for the same input would have gone to the X server with the first.
    if (!barrier_.pass()) throw std::runtime_error("the editor did not draw again within 10 s");
    Sleep(200);
    const int now = bells();
    const int late = now - last_;
    last_ = now;
    return count + late;
}

}  // namespace robot
