// The window's frame, size and place on the screen, and every control's rectangle, at the screen's DPI
// (the harness runs these cases at 96 and 144 DPI, and at 120 and 168 on screens too small for that).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "robot.h"
#include "window_state.h"

namespace robot {
namespace {

// The screen's DPI or, where the window would not fit the work area at it, the largest that fits (>= 96).
int layout_dpi(HWND window) {
    RECT work{}, outer{}, client{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const LONG room_across = work.right - work.left - (outer.right - outer.left - client.right);
    const LONG room_down = work.bottom - work.top - (outer.bottom - outer.top - client.bottom);
    int dpi = config().dpi;
    while (dpi > 96 && (MulDiv(6855, dpi, 1440) > room_across || MulDiv(9855, dpi, 1440) > room_down))
        --dpi;
    return dpi;
}

// Within a pixel: sizes in twips need not be whole pixels at every DPI.
::testing::AssertionResult within_a_pixel(const char* what, int actual, int expected) {
    if (std::abs(actual - expected) <= 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " is " << actual << " px, expected " << expected << " px";
}

TEST(Layout, WindowHasAFixedFrameAndIsCentredOnTheScreen) {
    ProgramFolder folder;
    Editor editor(folder);
    const HWND window = editor.window();
    const auto pixels = [dpi = layout_dpi(window)](int twips) { return MulDiv(twips, dpi, 1440); };

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
    EXPECT_TRUE(within_a_pixel("client width", client.right, pixels(6855)));
    EXPECT_TRUE(within_a_pixel("client height", client.bottom, pixels(9855)));

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
    const auto pixels = [dpi = layout_dpi(editor.window())](int twips) { return MulDiv(twips, dpi, 1440); };
    const auto table = placements();
    ASSERT_EQ(table.size(), 37u);

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
        EXPECT_TRUE(within_a_pixel("left", r.left - origin.x, pixels(p.left)));
        EXPECT_TRUE(within_a_pixel("top", r.top - origin.y, pixels(p.top)));
        EXPECT_TRUE(within_a_pixel("width", r.right - r.left, pixels(p.width)));
        // A drop-down combo box's field is as high as its font makes it, whatever height it was given.
        if (p.control != id::combo1) {
            EXPECT_TRUE(within_a_pixel("height", r.bottom - r.top, pixels(p.height)));
        }
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
