// One editor per program folder: a second start for the same folder (a double-click that went twice)
// would otherwise let two windows save over each other on closing.
#pragma once

#include <windows.h>

#include <string>

namespace pm {

class Win32SingleInstance {
  public:
    // Claims `folder` (compared as a full path, ignoring letter case) for this process, in this session.
    explicit Win32SingleInstance(const std::u16string& folder);
    ~Win32SingleInstance();
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    // False when another editor has the folder; this one must then end without a window.
    bool first() const { return first_; }
    // Brings the other editor's window to the front, waiting a little for it while that editor starts.
    void bring_other_forward() const;
    // Marks `window` as the one a later start for the same folder brings forward.
    void publish(HWND window) const;

  private:
    std::wstring key_;  // the folder's identity, also the name of the mark on the window
    HANDLE mutex_ = nullptr;
    bool first_ = true;
};

}  // namespace pm
