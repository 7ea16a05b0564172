// The screen service without a screen: fixed sizes, 1024 x 768 pixels at 96 DPI unless told otherwise,
// and a work area that is the whole screen.
#pragma once

#include "platform/screen.h"

namespace pm {

class FixedScreen : public Screen {
  public:
    FixedScreen(float width = 15360, float height = 11520, float frame_width = 90, float frame_height = 435)
        : width_(width), height_(height), frame_width_(frame_width), frame_height_(frame_height) {}
    float width() override { return width_; }
    float height() override { return height_; }
    ScreenArea work_area() override { return {0, 0, width_, height_}; }
    float frame_width() override { return frame_width_; }
    float frame_height() override { return frame_height_; }

  private:
    float width_, height_, frame_width_, frame_height_;
};

}  // namespace pm
