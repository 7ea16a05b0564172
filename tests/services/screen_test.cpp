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
    // With room on the screen, the window is the layout's 6855 x 9855 twips, a frame and a title bar.
    if (work.width >= 6855 + 600 && work.height >= 9855 + 1200) {
        EXPECT_GT(screen->window_width(), 6855.0f);
        EXPECT_LT(screen->window_width(), 6855.0f + 600);
        EXPECT_GT(screen->window_height() - 9855, screen->window_width() - 6855);
        EXPECT_LT(screen->window_height(), 9855.0f + 1200);
    }
}

}  // namespace
}  // namespace pm
