#include <gtest/gtest.h>

#include "service_factory.h"

namespace pm {
namespace {

TEST(ScreenService, MeasuresInTwips) {
    auto screen = test::make_screen();
    // Every screen the program meets is at least 640 x 480 pixels: 9600 x 7200 twips at 96 DPI.
    EXPECT_GE(screen->width(), 9600.0f);
    EXPECT_GE(screen->height(), 7200.0f);
    EXPECT_GT(screen->width(), screen->height());
    // The work area lies within the screen and holds most of it.
    const ScreenArea work = screen->work_area();
    EXPECT_GE(work.left, 0.0f);
    EXPECT_GE(work.top, 0.0f);
    EXPECT_LE(work.left + work.width, screen->width());
    EXPECT_LE(work.top + work.height, screen->height());
    EXPECT_GT(work.width, screen->width() / 2);
    EXPECT_GT(work.height, screen->height() / 2);
    // On a screen with room for it, the window is the layout's client area of 6855 x 9855 twips with a
    // little added on each side and a title bar on top.
    const float frame_width = screen->window_width() - 6855;
    const float frame_height = screen->window_height() - 9855;
    if (work.width >= 6855 + 600 && work.height >= 9855 + 1200) {
        EXPECT_GT(frame_width, 0.0f);
        EXPECT_LT(frame_width, 600.0f);
        EXPECT_GT(frame_height, frame_width);
        EXPECT_LT(frame_height, 1200.0f);
    }
}

}  // namespace
}  // namespace pm
