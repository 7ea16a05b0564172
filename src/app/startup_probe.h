// The start-up's pieces that a measurement build can leave out, one at a time, to time what each costs
// against the whole program (bench/startup-breakdown). The build option PM_STARTUP_WITHOUT names the
// pieces to leave out; it is empty for the program itself, where every piece below is in.
// Portable C++; never includes <windows.h>.
#pragma once

namespace pm::startup {

#ifdef PM_STARTUP_WITHOUT_TOOLTIP
inline constexpr bool tooltip = false;  // the picture button's tooltip
#else
inline constexpr bool tooltip = true;
#endif

#ifdef PM_STARTUP_WITHOUT_ICONS
inline constexpr bool icons = false;  // the window's icons and the picture buttons' pictures
#else
inline constexpr bool icons = true;
#endif

#ifdef PM_STARTUP_WITHOUT_FRAME_BUFFER
inline constexpr bool frame_buffer = false;  // frames painted off screen, then copied in one step
#else
inline constexpr bool frame_buffer = true;
#endif

#ifdef PM_STARTUP_WITHOUT_CAPTIONS
inline constexpr bool captions = false;  // the translated captions (the design-time ones stay)
#else
inline constexpr bool captions = true;
#endif

#ifdef PM_STARTUP_WITHOUT_SETTINGS
inline constexpr bool settings = false;  // reading SETTINGS.TXT
#else
inline constexpr bool settings = true;
#endif

#ifdef PM_STARTUP_WITHOUT_ACCESSIBILITY
inline constexpr bool accessibility = false;  // the controls' accessible objects, oleacc and COM
#else
inline constexpr bool accessibility = true;
#endif

#ifdef PM_STARTUP_WITHOUT_SINGLE_INSTANCE
inline constexpr bool single_instance = false;  // one editor per folder: the mutex and the window's mark
#else
inline constexpr bool single_instance = true;
#endif

#ifdef PM_STARTUP_WITHOUT_SHELL
inline constexpr bool shell = false;  // the web page button's ShellExecuteW (shell32)
#else
inline constexpr bool shell = true;
#endif

}  // namespace pm::startup
