#include "live_window.h"

#include <stdexcept>

namespace robot {

LiveWindow::LiveWindow(const Editor& editor) {
    for (int control = id::first; control <= id::last; ++control) {
        controls_.at(static_cast<size_t>(control - id::first)) = editor.find(control);
    }
    thread_ = GetWindowThreadProcessId(editor.window(), nullptr);
}

LRESULT LiveWindow::send(HWND hwnd, UINT message, WPARAM w, LPARAM l) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, w, l, SMTO_ABORTIFHUNG | SMTO_BLOCK, 10000, &result)) {
        throw std::runtime_error("the editor did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

std::wstring LiveWindow::text(int control) const {
    const HWND h = hwnd(control);
    const auto length = static_cast<size_t>(send(h, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const auto copied =
        static_cast<size_t>(send(h, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied);
    return text;
}

int LiveWindow::value(int control) const {
    return static_cast<int>(send(hwnd(control), SBM_GETPOS));
}

int LiveWindow::check(int control) const {
    return static_cast<int>(send(hwnd(control), BM_GETCHECK));
}

bool LiveWindow::enabled(int control) const {
    return IsWindowEnabled(hwnd(control)) != FALSE;
}

int LiveWindow::selection() const {
    return static_cast<int>(send(hwnd(id::combo1), CB_GETCURSEL));
}

bool LiveWindow::dropped() const {
    return send(hwnd(id::combo1), CB_GETDROPPEDSTATE) != 0;
}

HWND LiveWindow::focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
}

HWND LiveWindow::capture() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) ? info.hwndCapture : nullptr;
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
