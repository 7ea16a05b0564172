#include "platform/win32/win32_drag_timer.h"

#include <cstdio>

namespace pm {

namespace {

LONGLONG stamp() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

// Opened on the first step and kept for the program's life; INVALID_HANDLE_VALUE without PM_DRAG_LOG.
HANDLE log_file() {
    static const HANDLE file = [] {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(L"PM_DRAG_LOG", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return INVALID_HANDLE_VALUE;
        // FILE_APPEND_DATA alone: every write lands at the end, whoever else has the file open.
        return CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }();
    return file;
}

}  // namespace

DragStepTimer::DragStepTimer(HWND window, int scroll_code) : window_(window) {
    if (scroll_code == SB_THUMBTRACK) arrival_ = stamp();
}

DragStepTimer::~DragStepTimer() {
    if (arrival_ == 0) return;
    // The frames and the bar paint now, in this call, instead of when the queue has no input left.
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const LONGLONG painted = stamp();
    const HANDLE file = log_file();
    if (file == INVALID_HANDLE_VALUE) return;
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld %lld\n", arrival_, painted);
    DWORD written = 0;
    if (length > 0) WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace pm
