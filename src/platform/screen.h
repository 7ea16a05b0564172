// The screen service: the size of the screen and of a window's frame, in twips.
#pragma once

namespace pm {

class Screen {
  public:
    virtual ~Screen() = default;
    virtual float width() = 0;
    virtual float height() = 0;
    // How much a fixed-frame window with a caption and a system menu adds to its client area.
    virtual float frame_width() = 0;
    virtual float frame_height() = 0;
};

}  // namespace pm
