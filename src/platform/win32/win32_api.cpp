#include "platform/win32/win32_api.h"

#include <objbase.h>

#include "window/pixel_layout.h"

namespace pm::win32 {

namespace {

// Per-monitor DPI functions exist from Windows 10 1607 on; older systems get their monitor's or the
// system's DPI.
template <class F>
F user32_function(const char* name) {
    return library_function<F>(GetModuleHandleW(L"user32.dll"), name);
}

}  // namespace

std::u16string window_text(HWND hwnd) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, u'\0');
    const int n =
        GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

int system_dpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto get = user32_function<GetDpiForSystemFn>("GetDpiForSystem");
    if (get) return static_cast<int>(get());
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// Per monitor from Windows 8.1 on (shcore); 0 where it cannot say.
int monitor_dpi(HMONITOR monitor) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto get =
        library_function<GetDpiForMonitorFn>(system_library(L"shcore.dll"), "GetDpiForMonitor");
    constexpr int effective_dpi = 0;  // MDT_EFFECTIVE_DPI: what windows on the monitor are scaled to
    UINT x = 0;
    UINT y = 0;
    return get && monitor && SUCCEEDED(get(monitor, effective_dpi, &x, &y)) ? static_cast<int>(x) : 0;
}

// Windows 8.1 and 10 before 1607 have no DPI of the window's own, but the window has its monitor's.
int window_dpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get = user32_function<GetDpiForWindowFn>("GetDpiForWindow");
    if (!hwnd) return system_dpi();
    const int own = get ? static_cast<int>(get(hwnd)) : 0;
    return window_dpi_from(own, own > 0 ? 0 : monitor_dpi(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)),
                           system_dpi());
}

namespace {

DpiAwareness thread_awareness() {
    using GetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using EqualFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT);
    using AwarenessFn = int(WINAPI*)(DPI_AWARENESS_CONTEXT);
    static const auto context = user32_function<GetContextFn>("GetThreadDpiAwarenessContext");
    static const auto equal = user32_function<EqualFn>("AreDpiAwarenessContextsEqual");
    static const auto awareness = user32_function<AwarenessFn>("GetAwarenessFromDpiAwarenessContext");
    // All three from 10 1607 on, where per-monitor version 1 begins to matter here.
    if (!context || !equal || !awareness) return DpiAwareness::system;
    const DPI_AWARENESS_CONTEXT own = context();
    if (equal(own, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return DpiAwareness::per_monitor_v2;
    switch (awareness(own)) {
        case 0:
            return DpiAwareness::unaware;
        case 2:
            return DpiAwareness::per_monitor;
        default:
            return DpiAwareness::system;
    }
}

}  // namespace

void scale_frame_with_dpi(HWND hwnd) {
    using EnableFn = BOOL(WINAPI*)(HWND);
    static const auto enable = user32_function<EnableFn>("EnableNonClientDpiScaling");
    if (enable && asks_for_frame_scaling(thread_awareness())) enable(hwnd);
}

RECT window_rect_for_client(int client_width, int client_height, int dpi) {
    RECT r{0, 0, client_width, client_height};
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = user32_function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    if (adjust) {
        adjust(&r, window_style, FALSE, 0, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&r, window_style, FALSE, 0);
    }
    return r;
}

HMODULE system_library(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    UINT n = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (n >= path.size()) {
        path.resize(n);
        n = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    }
    if (n == 0 || n >= path.size()) return nullptr;
    path.resize(n);
    path += L'\\';
    path += name;
    // What the DLL itself imports comes from its own folder too.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

namespace {

bool com_entered = false;

struct Com {
    decltype(&CoInitializeEx) initialize = nullptr;
    decltype(&CoUninitialize) uninitialize = nullptr;
};

// ole32 comes in with the first use, not as an import: most starts never need it.
const Com& com() {
    static const Com loaded = [] {
        HMODULE ole32 = system_library(L"ole32.dll");
        return Com{library_function<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx"),
                   library_function<decltype(&CoUninitialize)>(ole32, "CoUninitialize")};
    }();
    return loaded;
}

}  // namespace

void enter_com() {
    if (com_entered || !com().initialize || !com().uninitialize) return;
    com_entered = SUCCEEDED(com().initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void leave_com() {
    if (com_entered) com().uninitialize();
    com_entered = false;
}

void show_unexpected_error(HWND owner, const std::exception& e) {
    const std::string what = e.what();
    MessageBoxW(owner, std::wstring(what.begin(), what.end()).c_str(), L"Pelmora PM", MB_OK | MB_ICONERROR);
}

}  // namespace pm::win32
