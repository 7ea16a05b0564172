// One editor per program folder: a second start for the same folder (a double-click that went twice, or
// the folder reached through another drive letter) would otherwise let two windows save over each other
// on closing.
#pragma once

#include <windows.h>

#include <string>

namespace pm {

class Win32SingleInstance {
  public:
    // Claims `folder`, known by its volume and file ID where the file system gives them, for this process,
    // in this session.
    explicit Win32SingleInstance(const std::u16string& folder);
    ~Win32SingleInstance();
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    // False when another editor has the folder; this one must then end without a window.
    bool first() const { return first_; }
    // Brings the other editor forward: its window, or the message box it shows (also before its window
    // exists), restored if minimised. False when nothing came forward within about two seconds, or when
    // none of the other editor's windows is in the foreground afterwards (Windows refused the foreground,
    // or the other editor does not answer): the user would see nothing but a flashing taskbar button.
    bool bring_other_forward() const;
    // The name of the mark on the editor's window.
    const std::wstring& key() const { return key_; }

  private:
    std::wstring key_;
    HANDLE mutex_ = nullptr;
    HANDLE owner_ = nullptr;  // the first editor's process ID, for the second start to find its windows
    bool first_ = true;
};

}  // namespace pm
