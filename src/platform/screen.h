// The screen service: the size of the screen and of a window's frame, in twips.
#pragma once

namespace pm {

// A part of the screen, in twips from the screen's top-left corner.
struct ScreenArea {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

class Screen {
  public:
    virtual ~Screen() = default;
    virtual float width() = 0;
    virtual float height() = 0;
    // The part of the screen that windows may cover: without the task bar and other docked bars.
    virtual ScreenArea work_area() = 0;
    // How much a fixed-frame window with a caption and a system menu adds to its client area.
    virtual float frame_width() = 0;
    virtual float frame_height() = 0;
};

}  // namespace pm
