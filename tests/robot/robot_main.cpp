// The robot's entry point: GoogleTest's flags, then the harness's settings (see tools/robot-run).
#include <windows.h>

#include <gtest/gtest.h>

#include "robot.h"

int main(int argc, char** argv) {
    // Rectangles, the pointer and the screen in real pixels, whatever the DPI.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    ::testing::InitGoogleTest(&argc, argv);
    if (!robot::configure(argc, argv)) return 2;
    return RUN_ALL_TESTS();
}
