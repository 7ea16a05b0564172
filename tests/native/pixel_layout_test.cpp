#include <gtest/gtest.h>

#include <tuple>

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

// The whole window at the largest DPI up to the monitor's at which it fits, never below 96. Work areas: the
// screens less a 48-pixel task bar at 100 %; frames: a 23-pixel caption and 3-pixel borders at 100 %.
TEST(PixelLayout, FitsTheWholeWindowToTheWorkAreaAtTheLargestDpiFrom96Up) {
    const struct {
        const char* screen;
        PixelEdges work;
        int dpi;
        FrameSize frame;
        int fitted_dpi, width, height;
    } cases[] = {
        {"1920x1080 at 150 %", {0, 0, 1920, 1008}, 144, {10, 45}, 140, 676, 1003},
        {"2560x1440 at 200 %", {0, 0, 2560, 1344}, 192, {12, 58}, 187, 902, 1338},
        {"3840x2160 at 300 %", {0, 0, 3840, 2016}, 288, {18, 87}, 281, 1356, 2010},
        {"1366x768 at 125 %: as high as the work area", {0, 0, 1366, 708}, 120, {8, 37}, 98, 475, 708},
        {"1920x1080 at 175 %", {0, 0, 1920, 996}, 168, {10, 50}, 138, 667, 994},
        {"2560x1080 at 175 %: wide but short", {0, 0, 2560, 996}, 168, {10, 50}, 138, 667, 994},
        {"1080x1920 upright at 300 %: too narrow", {0, 0, 1080, 1776}, 288, {18, 87}, 223, 1080, 1613},
        {"left of the primary monitor", {-1920, 0, 0, 1008}, 144, {10, 45}, 140, 676, 1003},
        {"above the primary monitor", {0, -1080, 1920, -72}, 144, {10, 45}, 140, 676, 1003},
        {"1920x1080 at 125 %: fits, unchanged", {0, 0, 1920, 1020}, 120, {8, 37}, 120, 579, 858},
    };
    for (const auto& c : cases) {
        const FittedWindow f = fit_window(c.work, c.dpi, c.frame, {17, 17});
        EXPECT_EQ(std::tuple(f.dpi, f.width, f.height), std::tuple(c.fitted_dpi, c.width, c.height))
            << c.screen;
        EXPECT_FALSE(f.scrolls()) << c.screen;
    }
}

// Where not even 96 DPI fits, the window is cut to the work area and its client area scrolls: the view
// beside the scroll bars and how far it scrolls each way. 457 x 657 pixels at 96 DPI; scroll bars 17 pixels
// at 100 %, 26 at 150 %.
TEST(PixelLayout, ScrollsWhereNotEven96DpiFits) {
    const struct {
        const char* screen;
        PixelEdges work;
        int dpi, bar;
        FrameSize frame;
        FittedWindow fit;
    } cases[] = {
        {"1024x600", {0, 0, 1024, 552}, 96, 17, {6, 29}, {96, 480, 552, 457, 523, 0, 134}},
        {"800x600", {0, 0, 800, 552}, 96, 17, {6, 29}, {96, 480, 552, 457, 523, 0, 134}},
        {"640x480", {0, 0, 640, 432}, 96, 17, {6, 29}, {96, 480, 432, 457, 403, 0, 254}},
        {"800x600 at 150 %", {0, 0, 800, 540}, 144, 26, {10, 45}, {96, 493, 540, 457, 495, 0, 162}},
        {"just fits", {0, 0, 1024, 686}, 96, 17, {6, 29}, {96, 463, 686, 457, 657, 0, 0}},
        {"too narrow only", {0, 0, 400, 752}, 96, 17, {6, 29}, {96, 400, 703, 394, 657, 63, 0}},
        {"narrow once the bar is in", {0, 0, 470, 600}, 96, 17, {6, 29}, {96, 470, 600, 447, 554, 10, 103}},
    };
    for (const auto& c : cases) {
        const FittedWindow f = fit_window(c.work, c.dpi, c.frame, {c.bar, c.bar});
        EXPECT_EQ(std::tuple(f.dpi, f.width, f.height, f.view_width, f.view_height, f.scroll_x, f.scroll_y),
                  std::tuple(c.fit.dpi, c.fit.width, c.fit.height, c.fit.view_width, c.fit.view_height,
                             c.fit.scroll_x, c.fit.scroll_y))
            << c.screen;
    }
    // A control that gets the focus is scrolled into a view of 523 pixels (of 657) by the least way.
    const struct {
        int position, start, size, shown;
    } focus[] = {{0, 100, 20, 0}, {0, 600, 30, 107}, {120, 50, 20, 50}, {0, 640, 17, 134}, {40, 10, 600, 10}};
    for (const auto& f : focus) {
        EXPECT_EQ(scroll_to_show(f.position, 523, 134, f.start, f.size), f.shown) << f.start;
    }
}

// Which DPI the window has, and where it goes when that changes, with or without the functions of later
// Windows; the pointer plays no part.
TEST(PixelLayout, ChoosesTheDpiSourceAndTheMonitorForADpiChange) {
    EXPECT_EQ(window_dpi_from(144, 120, 96), 144);  // Windows 10 1607 on
    EXPECT_EQ(window_dpi_from(0, 120, 96), 120);    // 8.1 to 10 1511
    EXPECT_EQ(window_dpi_from(0, 0, 120), 120);     // 7

    // A 150 % laptop, a 100 % monitor right of it, another left of it.
    const MonitorDpi monitors[] = {
        {{0, 0, 1920, 1080}, 144}, {{1920, 0, 3840, 1080}, 96}, {{-1280, 0, 0, 1024}, 96}};
    const struct {
        const char* move;
        PixelEdges window;
        int dpi;
        std::size_t monitor;
    } moves[] = {
        {"dragged mostly onto the right one", {1800, 100, 2300, 700}, 96, 1},
        {"the laptop's scale changed under it", {1700, 100, 2000, 700}, 144, 0},
        {"moved by the keyboard to the laptop", {2000, 100, 2500, 700}, 144, 0},
        {"none at that DPI holds it: the nearest", {100, 100, 600, 700}, 96, 2},
        {"no monitor has that DPI", {100, 100, 600, 700}, 120, 3},
    };
    for (const auto& m : moves) {
        EXPECT_EQ(monitor_for_dpi(m.window, m.dpi, monitors), m.monitor) << m.move;
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
