#include <gtest/gtest.h>

#include "window/form1.h"
#include "window/layout.h"
#include "window/pixel_layout.h"

namespace pm {
namespace {

TEST(PixelLayout, ScalesTwipsAtEveryCommonDpi) {
    const struct {
        int dpi;
        int client_width, client_height, font, icon;
        PixelRect frame0, text5;
    } cases[] = {
        {96, 457, 657, -11, 32, {8, 8, 169, 49}, {8, 16, 169, 21}},
        {120, 571, 821, -14, 40, {10, 10, 211, 61}, {10, 20, 211, 26}},
        {144, 686, 986, -17, 48, {12, 12, 254, 74}, {12, 24, 254, 32}},
        {192, 914, 1314, -22, 64, {16, 16, 338, 98}, {16, 32, 338, 42}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const PixelRect client = client_pixels(c.dpi);
        EXPECT_EQ(client.width, c.client_width);
        EXPECT_EQ(client.height, c.client_height);
        EXPECT_EQ(font_height(c.dpi), c.font);
        EXPECT_EQ(icon_size(c.dpi), c.icon);
        const PixelRect frame0 = pixel_bounds(layout_table()[0].bounds, c.dpi);
        EXPECT_EQ(frame0.x, c.frame0.x);
        EXPECT_EQ(frame0.y, c.frame0.y);
        EXPECT_EQ(frame0.width, c.frame0.width);
        EXPECT_EQ(frame0.height, c.frame0.height);
        const PixelRect text5 = pixel_bounds({120, 240, 2535, 315}, c.dpi);
        EXPECT_EQ(text5.x, c.text5.x);
        EXPECT_EQ(text5.y, c.text5.y);
        EXPECT_EQ(text5.width, c.text5.width);
        EXPECT_EQ(text5.height, c.text5.height);
    }
}

TEST(PixelLayout, NeighboursThatTouchInTwipsTouchInPixels) {
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        for (int left = 0; left < 3000; left += 7) {
            const PixelRect a = pixel_bounds({left, 0, 1695, 10}, dpi);
            const PixelRect b = pixel_bounds({left + 1695, 0, 10, 10}, dpi);
            ASSERT_EQ(a.x + a.width, b.x) << dpi << " " << left;
        }
    }
}

TEST(PixelLayout, EveryControlStaysInsideItsContainerAtEveryDpi) {
    Form1Events events;
    Form1 form(events, 0, 0);
    for (int dpi : {96, 120, 144, 192}) {
        for (Control* c : form.controls()) {
            const PixelRect r = pixel_bounds(c->bounds(), dpi);
            const PixelRect outer =
                c->container() ? pixel_bounds(c->container()->bounds(), dpi) : client_pixels(dpi);
            EXPECT_LE(r.x + r.width, outer.width) << dpi;
            EXPECT_LE(r.y + r.height, outer.height) << dpi;
            EXPECT_GT(r.width, 0);
            EXPECT_GT(r.height, 0);
        }
    }
}

// The window's position (single-precision twips from the centring) and the screen's sizes cross the
// same boundary the other way.
TEST(PixelLayout, ConvertsPositionsAndScreenSizes) {
    const struct {
        float twips;
        int dpi;
        int pixels;
    } positions[] = {
        {0.0f, 96, 0},       {4612.5f, 96, 308},  {4605.0f, 96, 307},     {-15.0f, 96, -1},
        {-22.4f, 96, -1},    {-22.6f, 96, -2},    {1440.0f, 144, 144},    {7.4f, 96, 0},
        {4612.5f, 144, 461}, {3397.5f, 120, 283}, {100000.f, 192, 13333},
    };
    for (const auto& p : positions) {
        EXPECT_EQ(position_to_pixels(p.twips, p.dpi), p.pixels) << p.twips << " at " << p.dpi;
    }
    EXPECT_FLOAT_EQ(pixels_to_twips(1024, 96), 15360.0f);
    EXPECT_FLOAT_EQ(pixels_to_twips(1920, 144), 19200.0f);
    EXPECT_FLOAT_EQ(pixels_to_twips(7, 120), 84.0f);
    // A screen's size and back gives the same pixels at every DPI.
    for (int dpi : {96, 120, 144, 168, 192}) {
        for (int pixels : {600, 768, 1080, 1366, 2160}) {
            EXPECT_EQ(position_to_pixels(pixels_to_twips(pixels, dpi), dpi), pixels) << dpi;
        }
    }
}

}  // namespace
}  // namespace pm
