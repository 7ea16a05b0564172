// Quick reads of a running editor, for the cases that read it after every single input event (the
// monkey, the thumb-drag benchmark): each control's window is looked up once, when the case starts, and
// a barrier tells when the editor has handled every input event sent before it.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "robot.h"

namespace robot {

class LiveWindow {
  public:
    explicit LiveWindow(const Editor& editor);

    HWND hwnd(int control) const { return controls_.at(static_cast<size_t>(control - id::first)); }
    std::wstring text(int control) const;  // a caption, an edit's or the combo's text
    int value(int control) const;          // SBM_GETPOS
    int check(int control) const;          // BM_GETCHECK
    bool enabled(int control) const;
    int selection() const;  // Combo1's CB_GETCURSEL
    bool dropped() const;   // Combo1's list is open
    HWND focus() const;     // the editor's focus window (Combo1's edit field for Combo1)
    HWND capture() const;

    // SendMessageTimeout; throws when the editor does not answer.
    LRESULT send(HWND hwnd, UINT message, WPARAM w = 0, LPARAM l = 0) const;

  private:
    std::array<HWND, id::last - id::first + 1> controls_{};
    DWORD thread_ = 0;
};

// The editor takes input events from its queue one by one and answers our messages in between, so that
// a read right after SendInput may come before the input is handled. A window takes WM_PAINT from its
// queue only when no input is left there, so pass() marks one pixel of the window's client area (left
// of every control) for repainting and waits until the window has painted it: the editor has then
// handled every input event sent before. The editor paints its window only on WM_PAINT (it never calls
// UpdateWindow after start-up), so nothing else clears the mark earlier.
class InputBarrier {
  public:
    explicit InputBarrier(const Editor& editor) : window_(editor.window()) {}

    // False when the editor did not get that far within the timeout.
    bool pass(int timeout_ms = 10000) const;

  private:
    HWND window_;
};

// The screen's bells that the editor rings while it handles input, counted from one call to the next.
// Wine sends a beep to the X server only with the ringing program's next drawing, which the barrier
// brings; xkbevd then writes each ring through a shell of its own, so a ring shows a moment later.
class BellCount {
  public:
    explicit BellCount(const Editor& editor) : barrier_(editor), last_(bells()) {}

    // The bells since the last call, as soon as `expected` have come (at most 5 s): fast, and a ring
    // too many that comes late shows in a later call.
    int arrived(int expected);
    // The same, then a pause long enough for a late ring to show too.
    int settled(int expected);

  private:
    InputBarrier barrier_;
    int last_;
};

}  // namespace robot
