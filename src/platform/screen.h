// The screen service: the size of the screen, its work area and the program's window on it, in twips.
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
    // The program's window on this screen, frame included: a fixed frame with a caption and a system menu
    // around the layout's client area of 6855 x 9855 twips, or, where that would not fit the work area,
    // around the smaller client area of the largest DPI at which the whole window fits, or, where not even
    // 96 DPI fits, as large as the work area, where its client area scrolls (fit_window).
    virtual float window_width() = 0;
    virtual float window_height() = 0;
};

}  // namespace pm
