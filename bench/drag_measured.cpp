// The editor as it is built (src/app/win32_main.cpp, its entry point renamed), with its window's
// procedure wrapped from outside for bench/run's split of a dragged thumb's step. For each SB_THUMBTRACK
// that reaches the window it appends the line "ARRIVAL PAINTED" to the file that PM_DRAG_LOG names: when
// the message arrived and when the window had handled it and painted what it changed, painted at once
// (RDW_UPDATENOW) where the program lets WM_PAINT come from the queue later; both in
// QueryPerformanceCounter ticks, one clock for every Wine process, so bench/drag_bench sets them beside
// its own. Never released.
#define wWinMain program_main
#include "app/win32_main.cpp"
#undef wWinMain

#include <cstdio>
#include <cwchar>

namespace {

WNDPROC program_proc = nullptr;
HANDLE log_file = INVALID_HANDLE_VALUE;

LONGLONG stamp() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

LRESULT CALLBACK timed_proc(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_HSCROLL || LOWORD(w) != SB_THUMBTRACK)
        return CallWindowProcW(program_proc, hwnd, message, w, l);
    const LONGLONG arrival = stamp();
    const LRESULT result = CallWindowProcW(program_proc, hwnd, message, w, l);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const LONGLONG painted = stamp();
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld %lld\n", arrival, painted);
    DWORD written = 0;
    if (length > 0) WriteFile(log_file, line, static_cast<DWORD>(length), &written, nullptr);
    return result;
}

// Wraps the editor's window as it is made, before its first message reaches the program's procedure.
LRESULT CALLBACK on_create(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND && !program_proc) {
        const HWND hwnd = reinterpret_cast<HWND>(w);
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        if (std::wcscmp(name, pm::Win32Window::class_name) == 0) {
            program_proc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(timed_proc)));
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR command_line, int show) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"PM_DRAG_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    // FILE_APPEND_DATA alone: every write lands at the end, whoever else has the file open.
    log_file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log_file == INVALID_HANDLE_VALUE) return 2;
    SetWindowsHookExW(WH_CBT, on_create, nullptr, GetCurrentThreadId());
    return program_main(instance, previous, command_line, show);
}
