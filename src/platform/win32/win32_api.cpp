#include "platform/win32/win32_api.h"

#include <objbase.h>

namespace pm::win32 {

namespace {

// Per-monitor DPI functions exist from Windows 10 1607 on; older systems get the system DPI.
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

int window_dpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get = user32_function<GetDpiForWindowFn>("GetDpiForWindow");
    const int dpi = get && hwnd ? static_cast<int>(get(hwnd)) : 0;
    return dpi > 0 ? dpi : system_dpi();
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
