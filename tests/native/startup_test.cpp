#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "app/position_form.h"
#include "doubles/test_app.h"

namespace pm {
namespace {

// Logs every read and write that window placement makes, in order.
struct LoggingWindow : TopLevelWindow {
    std::vector<std::string>& log;
    float w, h;
    LoggingWindow(std::vector<std::string>& l, float width, float height) : log(l), w(width), h(height) {}
    float width() override { return log.push_back("width"), w; }
    float height() override { return log.push_back("height"), h; }
    void set_left(float left) override { log.push_back("left=" + std::to_string(left)); }
    void set_top(float top) override { log.push_back("top=" + std::to_string(top)); }
};

struct LoggingScreen : Screen {
    std::vector<std::string>& log;
    float w, h;
    LoggingScreen(std::vector<std::string>& l, float width, float height) : log(l), w(width), h(height) {}
    float width() override { return log.push_back("screen width"), w; }
    float height() override { return log.push_back("screen height"), h; }
    float window_width() override { return 6855; }
    float window_height() override { return 9855; }
    ScreenArea work_area() override { return {0, 0, w, h}; }
};

TEST(PositionForm, HalvesEachSizeAndStoresLeftBeforeReadingTheHeight) {
    std::vector<std::string> log;
    LoggingWindow window(log, 9015, 10350);
    LoggingScreen screen(log, 15360, 11520);
    position_form(window, screen);
    EXPECT_EQ(log, (std::vector<std::string>{"width", "screen width", "left=3172.500000", "height",
                                             "screen height", "top=585.000000"}));
}

// The centring's own arithmetic comes first; a window larger than the screen then moves to the work
// area's top-left corner, so that its title bar can be reached.
TEST(PositionForm, AWindowLargerThanTheScreenMovesToTheWorkAreasCorner) {
    std::vector<std::string> log;
    LoggingWindow window(log, 20000, 13000);
    LoggingScreen screen(log, 15360, 11520);
    position_form(window, screen);
    EXPECT_EQ(
        log, (std::vector<std::string>{"width", "screen width", "left=-2320.000000", "height",
                                       "screen height", "top=-740.000000", "top=0.000000", "left=0.000000"}));
}

TEST(PositionForm, KeepsTheTitleBarInsideTheWorkArea) {
    // The window is 9015 x 10350 twips (the editor's at 96 DPI); at 125 % its pixels are 1.25 times as
    // many, which on a 1366 x 768 screen with a 40-pixel task bar below is too tall for the work area.
    const ScreenArea full_hd{0, 0, 28800, 15600};        // 1920 x 1080 less the task bar
    const ScreenArea small{0, 0, 20490, 10920};          // 1366 x 768 less the task bar
    const ScreenArea bar_on_top{0, 600, 15360, 10920};   // task bar across the top
    const ScreenArea bar_on_left{900, 0, 14460, 11520};  // task bar down the left side
    const ScreenArea laptop{0, 0, 19200, 10080};         // 1920 x 1080 at 150 %, less a 72-pixel task bar
    const struct {
        const char* name;
        WindowPosition centred;
        float width, height;
        ScreenArea work;
        std::optional<WindowPosition> moved;
    } cases[] = {
        {"fits: the centring stands", {9892.5f, 2625}, 9015, 10350, full_hd, std::nullopt},
        {"fits exactly", {0, 0}, 28800, 15600, full_hd, std::nullopt},
        {"too tall: top of the work area, still centred across",
         {5737.5f, -1695},
         9015,
         12937.5f,
         small,
         WindowPosition{5737.5f, 0}},
        {"title bar under a task bar at the top",
         {3172.5f, 585},
         9015,
         10350,
         bar_on_top,
         WindowPosition{3172.5f, 600}},
        {"too wide: the work area's left", {-2320, -740}, 20000, 13000, small, WindowPosition{0, 0}},
        {"too tall beside a task bar on the left: centred, but inside the work area",
         {100, -10},
         15000,
         12000,
         bar_on_left,
         WindowPosition{900, 0}},
        {"title bar above the screen only", {3172.5f, -1}, 9015, 10350, full_hd, WindowPosition{3172.5f, 0}},
        {"centred, its foot behind the task bar", {6220, 385}, 6760, 10030, laptop, WindowPosition{6220, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto moved = reachable_position(c.centred, c.width, c.height, c.work);
        ASSERT_EQ(moved.has_value(), c.moved.has_value());
        if (moved) {
            EXPECT_FLOAT_EQ(moved->left, c.moved->left);
            EXPECT_FLOAT_EQ(moved->top, c.moved->top);
        }
    }
}

TEST(PositionForm, AFaultingResultIsNotStored) {
    std::vector<std::string> log;
    LoggingWindow window(log, 100, 100);
    LoggingScreen screen(log, std::numeric_limits<float>::infinity(), 100);
    EXPECT_THROW(position_form(window, screen), ArithmeticError);
    EXPECT_EQ(log, (std::vector<std::string>{"width", "screen width"}));
    LoggingScreen fine(log, 100, 100);
    LoggingWindow not_a_number(log, 100, std::numeric_limits<float>::quiet_NaN());
    log.clear();
    EXPECT_THROW(position_form(not_a_number, fine), ArithmeticError);
    EXPECT_EQ(
        log, (std::vector<std::string>{"width", "screen width", "left=0.000000", "height", "screen height"}));
}

TEST(Startup, LoadsCentresCaptionsFillsReadsTranslatesThenShows) {
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT", test::example_settings);
    t.app.Main();
    Form1& form = t.form();
    EXPECT_EQ(form.caption(), u"Pelmora™ PM (V2.00)");
    EXPECT_FLOAT_EQ(form.left(), 15360.0f / 2 - (6855.0f + 90) / 2);
    EXPECT_FLOAT_EQ(form.top(), 11520.0f / 2 - (9855.0f + 435) / 2);
    EXPECT_EQ(form.Combo1().entries(),
              (std::vector<std::u16string>{u"English", u"Français", u"Deutsch", u"Nederlands", u"Polskie",
                                           u"Italiano", u"Español"}));
    EXPECT_EQ(form.Combo1().list_index(), 2);
    EXPECT_EQ(form.Combo1().text(), u"Deutsch");
    EXPECT_EQ(form.Frame(7).caption(), u"Aktivieren kanal");
    EXPECT_EQ(form.high_pressure_frame(4).caption(), u"Hochdruck-alarm (99Pa)");
    EXPECT_EQ(form.low_pressure_frame(4).caption(), u"Niederdruck-alarm (5Pa)");
    EXPECT_EQ(t.show.count, 1);
    EXPECT_EQ(t.show.shown, &form);
}

// Rule 1: the window loads on its first use and only once; loading centres it on the screen, so the
// screen is read then and never again.
TEST(Startup, TheWindowLoadsOnItsFirstUseAndOnlyThen) {
    std::vector<std::string> log;
    LoggingScreen screen(log, 15360, 11520);
    test::MemoryFileSystem files;
    Cp1252Text text;
    HeadlessUser user;
    App app{user.services(files, text, screen, user.show)};
    EXPECT_TRUE(log.empty());
    Form1& form = app.form();
    EXPECT_EQ(log, (std::vector<std::string>{"screen width", "screen height"}));
    EXPECT_FLOAT_EQ(form.left(), 15360.0f / 2 - 6855.0f / 2);
    app.Main();
    EXPECT_EQ(&app.form(), &form);
    EXPECT_EQ(log.size(), 2u);
}

// Takes note of what the window holds at the moment it is shown.
struct SnapshotShow : WindowShow {
    std::vector<std::u16string> captions;
    SysError show_modeless(Form1& form) override {
        for (Control* c : form.controls()) {
            if (auto* frame = dynamic_cast<FrameControl*>(c)) captions.push_back(frame->caption());
        }
        return sys_error::ok;
    }
    void session_end_reason(std::u16string_view) override {}
};

TEST(Startup, AGermanFileNeverShowsEnglishCaptions) {
    test::MemoryFileSystem files;
    Cp1252Text text;
    SnapshotShow show;
    HeadlessUser user;
    App app{user.services(files, text, user.screen, show)};
    files.put(u"SETTINGS.TXT", "HIGH_ALARM2=45\r\nLANGUAGE=2\r\n");
    app.Main();
    ASSERT_EQ(show.captions.size(), 18u);
    for (const auto& caption : show.captions) {
        EXPECT_EQ(caption.find(u"pressure alarm ("), std::u16string::npos);
        EXPECT_NE(caption, u"Enable channel");
        EXPECT_NE(caption, u"Language");
    }
    EXPECT_EQ(app.form().high_pressure_frame(2).caption(), u"Hochdruck-alarm (45Pa)");
}

TEST(Startup, WithoutAFileTheWindowIsEnglishWithDesignTimeValues) {
    test::TestApp t;
    t.app.Main();
    EXPECT_EQ(t.form().Combo1().list_index(), 0);
    EXPECT_EQ(t.form().Frame(0).caption(), u"Language");
    EXPECT_EQ(t.form().high_pressure_frame(3).caption(), u"High pressure alarm (0Pa)");
    EXPECT_EQ(t.form().Combo1().entries().size(), 7u);
}

TEST(Startup, AFileWithLanguageMinusOneStartsInEnglishWithNoSelection) {
    test::TestApp t;
    t.files.put(u"SETTINGS.TXT", "LANGUAGE=-1\r\n");
    t.app.Main();
    EXPECT_EQ(t.form().Combo1().list_index(), -1);
    EXPECT_EQ(t.form().Frame(4).caption(), u"SMS Number 1");
    EXPECT_EQ(t.show.count, 1);
}

TEST(Startup, AWindowThatCannotBeCreatedIsReportedInTheFilesLanguage) {
    const struct {
        std::string file;
        std::u16string text;
    } cases[] = {
        {"", u"The settings editor could not open its window."},
        {"LANGUAGE=6\r\n", u"El editor de configuración no pudo abrir su ventana."},
    };
    for (const auto& c : cases) {
        test::TestApp t;
        t.files.put(u"SETTINGS.TXT", c.file);
        t.show.fails_with = 8;  // ERROR_NOT_ENOUGH_MEMORY
        const StartOutcome outcome = t.app.Main();
        EXPECT_EQ(outcome.window_error, 8u);
        ASSERT_EQ(t.boxes.shown.size(), 1u);
        EXPECT_EQ(t.boxes.shown[0].text, c.text + u"\n\n" + t.files.describe(8));
        EXPECT_EQ(t.boxes.shown[0].style, box::icon_error);
        EXPECT_EQ(t.boxes.shown[0].title, u"Pelmora\u2122 PM (V2.00)");
    }
    test::TestApp fine;
    EXPECT_EQ(fine.app.Main().window_error, sys_error::ok);
    EXPECT_TRUE(fine.boxes.shown.empty());
}

}  // namespace
}  // namespace pm
