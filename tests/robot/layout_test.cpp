// The window's frame, size and place on the screen, and every control's rectangle, at the screen's DPI
// or, on a screen too small for that, at the largest DPI at which the window fits (the harness runs these
// cases at 96 and 144 DPI, and on small screens at 120 and 168 DPI).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

// Within a pixel: sizes in twips need not be whole pixels at every DPI.
::testing::AssertionResult within_a_pixel(const char* what, int actual, int expected) {
    if (std::abs(actual - expected) <= 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " is " << actual << " px, expected " << expected << " px";
}

RECT work_area_of(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// What the frame adds to the client area, as the window has it.
SIZE frame_of(HWND window) {
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return {outer.right - outer.left - client.right, outer.bottom - outer.top - client.bottom};
}

// Whether the window, its client area laid out at `dpi` inside `frame`, fits `work`.
bool fits(const RECT& work, SIZE frame, int dpi) {
    return pixels(6855, dpi) + frame.cx <= work.right - work.left &&
           pixels(9855, dpi) + frame.cy <= work.bottom - work.top;
}

// The DPI the editor laid the window out at: the screen's where the whole window fits the work area,
// else the largest at which it fits, never less than 96.
int expected_layout_dpi(HWND window) {
    const RECT work = work_area_of(window);
    const SIZE frame = frame_of(window);
    int dpi = config().dpi;
    while (dpi > 96 && !fits(work, frame, dpi))
        --dpi;
    return dpi;
}

TEST(Layout, WindowHasAFixedFrameAndIsCentredOnTheScreen) {
    ProgramFolder folder;
    Editor editor(folder);
    const HWND window = editor.window();

    EXPECT_EQ(GetDpiForSystem(), static_cast<UINT>(config().dpi)) << "the harness did not set the DPI";
    EXPECT_EQ(GetDpiForWindow(window), static_cast<UINT>(config().dpi)) << "the editor is not DPI aware";

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the frame can be resized";
    EXPECT_EQ(GetParent(window), nullptr);

    RECT client{};
    GetClientRect(window, &client);
    const int dpi = expected_layout_dpi(window);
    EXPECT_TRUE(within_a_pixel("client width", client.right, pixels(6855, dpi)));
    EXPECT_TRUE(within_a_pixel("client height", client.bottom, pixels(9855, dpi)));

    // Centred: the same room on either side, to within the half pixel of an odd difference.
    RECT outer{};
    GetWindowRect(window, &outer);
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs(outer.left - (screen_width - outer.right)), 1)
        << "left " << outer.left << ", right " << outer.right << " on a screen " << screen_width << " wide";
    EXPECT_LE(std::abs(outer.top - (screen_height - outer.bottom)), 1)
        << "top " << outer.top << ", bottom " << outer.bottom << " on a screen " << screen_height << " high";
}

struct Placement {
    int control;
    int container;                 // 0: the window's client area
    int left, top, width, height;  // twips, from the container's outer top-left corner
};

std::vector<Placement> placements() {
    std::vector<Placement> table = {
        {id::frame0, 0, 120, 120, 2535, 735},
        {id::combo1, 0, 240, 360, 2295, 315},
        {id::frame7, 0, 2760, 120, 3975, 735},
        {id::frame3, 0, 120, 8160, 2775, 735},
        {id::text5, id::frame3, 120, 240, 2535, 315},
        {id::sms_frame(1), 0, 3000, 8160, 2775, 735},
        {id::text1(1), id::sms_frame(1), 120, 240, 2535, 315},
        {id::command2, 0, 5880, 8160, 855, 735},
        {id::sms_frame(2), 0, 120, 9000, 2775, 735},
        {id::text1(2), id::sms_frame(2), 120, 240, 2535, 315},
        {id::sms_frame(3), 0, 3000, 9000, 2775, 735},
        {id::text1(3), id::sms_frame(3), 120, 240, 2535, 315},
        {id::command1, 0, 5880, 9000, 855, 735},
    };
    for (int c = 1; c <= 4; ++c) {
        table.push_back({id::pressure_channel(c), id::frame7, 240 + 960 * (c - 1), 240, 735, 375});
        table.push_back({id::channel_frame(c), 0, 120, 960 + 1800 * (c - 1), 6615, 1695});
        table.push_back({id::high_frame(c), id::channel_frame(c), 120, 240, 6375, 615});
        table.push_back({id::high_scroll(c), id::high_frame(c), 120, 240, 6135, 255});
        table.push_back({id::low_frame(c), id::channel_frame(c), 120, 960, 6375, 615});
        table.push_back({id::low_scroll(c), id::low_frame(c), 120, 240, 6135, 255});
    }
    return table;
}

TEST(Layout, EveryControlSitsInItsContainerAtItsPlaceForTheDpi) {
    ProgramFolder folder;
    folder.write_settings(example_file);
    Editor editor(folder);
    const auto table = placements();
    ASSERT_EQ(table.size(), 37u);

    const int dpi = expected_layout_dpi(editor.window());
    POINT client_origin{0, 0};
    ClientToScreen(editor.window(), &client_origin);
    for (const Placement& p : table) {
        SCOPED_TRACE(control_name(p.control));
        const HWND control = editor.find(p.control);
        const HWND container = p.container ? editor.find(p.container) : editor.window();
        EXPECT_EQ(GetParent(control), container)
            << "not inside " << (p.container ? control_name(p.container) : L"the window");
        POINT origin = client_origin;
        if (p.container) {
            RECT outer{};
            GetWindowRect(container, &outer);
            origin = {outer.left, outer.top};
        }
        RECT r{};
        GetWindowRect(control, &r);
        EXPECT_TRUE(within_a_pixel("left", r.left - origin.x, pixels(p.left, dpi)));
        EXPECT_TRUE(within_a_pixel("top", r.top - origin.y, pixels(p.top, dpi)));
        EXPECT_TRUE(within_a_pixel("width", r.right - r.left, pixels(p.width, dpi)));
        // A drop-down combo box's field is as high as its font makes it, whatever height it was given.
        if (p.control != id::combo1) {
            EXPECT_TRUE(within_a_pixel("height", r.bottom - r.top, pixels(p.height, dpi)));
        }
    }
}

// On a screen too small for the window at its DPI (the harness's PM_ROBOT_DESKTOP), all of the window,
// every control and the title bar, lies in the work area, and the font is the layout's, as small as the
// client area: the one DPI scales everything. Where not even 96 DPI fits, the title bar still does.
TEST(Placement, EveryControlLiesInTheWorkAreaWhereTheWindowCanFit) {
    ProgramFolder folder;
    Editor editor(folder);
    const HWND window = editor.window();
    const RECT work = work_area_of(window);
    const int dpi = expected_layout_dpi(window);
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT client{};
    GetClientRect(window, &client);
    // (Its height, where the window does not fit, is what the system leaves of it: no taller than the
    // screen.)
    EXPECT_TRUE(within_a_pixel("client width", client.right, pixels(6855, dpi)));
    std::printf("layout at %d DPI on a %d DPI screen: window %ld x %ld px in a work area of %ld x %ld px\n",
                dpi, config().dpi, outer.right - outer.left, outer.bottom - outer.top, work.right - work.left,
                work.bottom - work.top);

    // The list's items are as high as the font's characters, which the robot measures in a font of its own.
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"Verdana");
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    DWORD_PTR item_height = 0;
    SendMessageTimeoutW(editor.find(id::combo1), CB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 10000,
                        &item_height);
    EXPECT_EQ(static_cast<LONG>(item_height), metrics.tmHeight) << "the font is not the layout's";

    if (!fits(work, frame_of(window), dpi)) {
        EXPECT_EQ(outer.top, work.top) << "the title bar is out of reach";
        return;
    }
    auto inside = [&](const RECT& r) {
        return r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom;
    };
    EXPECT_TRUE(inside(outer)) << "the window, title bar included, leaves the work area";
    for (int control = id::first; control <= id::last; ++control) {
        RECT r{};
        GetWindowRect(editor.find(control), &r);
        EXPECT_TRUE(inside(r)) << control_name(control) << " leaves the work area";
    }
}

// What each control is to Windows: its class, the style bits that make it the right kind of control,
// and for the bars their range and fixed thumb.
TEST(Layout, EveryControlIsTheRightKindOfWindow) {
    ProgramFolder folder;
    Editor editor(folder);
    auto expect_kind = [&](int control, const wchar_t* class_name, DWORD mask, DWORD bits) {
        SCOPED_TRACE(control_name(control));
        const HWND hwnd = editor.find(control);
        wchar_t name[64] = {};
        GetClassNameW(hwnd, name, 64);
        EXPECT_EQ(std::wstring(name), class_name);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        EXPECT_EQ(style & mask, bits) << "style " << std::hex << style;
    };
    for (int frame :
         {id::frame0, id::frame3, id::sms_frame(1), id::sms_frame(2), id::sms_frame(3), id::frame7}) {
        expect_kind(frame, L"PmFrame", 0, 0);
    }
    expect_kind(id::combo1, L"ComboBox", 3, CBS_DROPDOWN);
    expect_kind(id::text5, L"Edit", ES_MULTILINE, 0);
    // Push buttons with an icon; neither is a default button.
    for (int button : {id::command1, id::command2}) {
        expect_kind(button, L"Button", BS_TYPEMASK | BS_ICON, BS_ICON);
        DWORD_PTR icon = 0;
        SendMessageTimeoutW(editor.find(button), BM_GETIMAGE, IMAGE_ICON, 0, SMTO_ABORTIFHUNG, 10000, &icon);
        EXPECT_NE(icon, 0u) << control_name(button) << " shows no icon";
    }
    for (int c = 1; c <= 4; ++c) {
        if (c <= 3) expect_kind(id::text1(c), L"Edit", ES_MULTILINE, 0);
        expect_kind(id::pressure_channel(c), L"Button", BS_TYPEMASK, BS_3STATE);
        for (int frame : {id::channel_frame(c), id::high_frame(c), id::low_frame(c)}) {
            expect_kind(frame, L"PmFrame", 0, 0);
        }
        for (int bar : {id::high_scroll(c), id::low_scroll(c)}) {
            expect_kind(bar, L"ScrollBar", SBS_VERT, SBS_HORZ);
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_RANGE | SIF_PAGE;
            ASSERT_TRUE(GetScrollInfo(editor.find(bar), SB_CTL, &info));
            EXPECT_EQ(info.nMin, 0);
            EXPECT_EQ(info.nMax, 99);
            EXPECT_EQ(info.nPage, 0u) << "the thumb's size follows the page";
        }
    }
}

}  // namespace
}  // namespace robot
