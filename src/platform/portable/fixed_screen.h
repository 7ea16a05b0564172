// The screen service without a screen: fixed sizes, 1024 x 768 pixels at 96 DPI unless told otherwise, a
// work area that is the whole screen, and the window with a frame of 6 x 29 pixels around the layout.
#pragma once

#include "platform/screen.h"

namespace pm {

class FixedScreen : public Screen {
  public:
    FixedScreen(float width = 15360, float height = 11520, float window_width = 6855 + 90,
                float window_height = 9855 + 435)
        : width_(width), height_(height), window_width_(window_width), window_height_(window_height) {}
    float width() override { return width_; }
    float height() override { return height_; }
    ScreenArea work_area() override { return {0, 0, width_, height_}; }
    float window_width() override { return window_width_; }
    float window_height() override { return window_height_; }

  private:
    float width_, height_, window_width_, window_height_;
};

}  // namespace pm
