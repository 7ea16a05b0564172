// The screen service on Win32: the primary screen and a fixed window frame, in twips at the system DPI.
#pragma once

#include "platform/screen.h"

namespace pm {

class Win32Screen : public Screen {
  public:
    float width() override;
    float height() override;
    ScreenArea work_area() override;
    float frame_width() override;
    float frame_height() override;
};

}  // namespace pm
