// The screen service on Win32, in twips at the system DPI: the primary screen, and the work area of the
// monitor that holds its middle, where the window is centred, with the window's fit on that monitor.
#pragma once

#include "platform/screen.h"

namespace pm {

class Win32Screen : public Screen {
  public:
    float width() override;
    float height() override;
    ScreenArea work_area() override;
    float window_width() override;
    float window_height() override;
};

}  // namespace pm
