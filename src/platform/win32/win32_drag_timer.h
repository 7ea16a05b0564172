// Only in the measuring build (CMake option PM_MEASURE_DRAG, PelmoraSettingsMeasured.exe; never the
// release): how long the window itself takes over one step of a dragged thumb. bench/run's drag section
// reads the times beside the robot's own.
#pragma once

#include <windows.h>

namespace pm {

// Made where WM_HSCROLL reaches the window procedure and gone once the window has handled it. For
// SB_THUMBTRACK it takes a QueryPerformanceCounter stamp at once; at the end it paints everything that
// the step left to paint, synchronously (the normal program lets WM_PAINT come from the queue later),
// takes a second stamp and appends the line "ARRIVAL PAINTED" (both stamps, in counter ticks) to the file
// that the environment variable PM_DRAG_LOG names. Wine's counter is one clock for every process, so the
// robot can set the stamps beside its own.
class DragStepTimer {
  public:
    DragStepTimer(HWND window, int scroll_code);
    ~DragStepTimer();
    DragStepTimer(const DragStepTimer&) = delete;
    DragStepTimer& operator=(const DragStepTimer&) = delete;

  private:
    HWND window_;
    LONGLONG arrival_ = 0;  // 0 for every other scroll request
};

}  // namespace pm
