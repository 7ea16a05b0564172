#include <gtest/gtest.h>

#include "behaviour/channel_rules.h"
#include "doubles/test_app.h"

namespace pm {
namespace {

struct ChannelRules : ::testing::Test {
    test::TestApp t;
    test::RecordingView view;
    void SetUp() override {
        t.app.Main();
        t.form().attach_view(&view);
    }
    Form1& form() { return t.form(); }
    void set(int high, int low) {
        form().high_pressure_scroll(1).set_value(static_cast<std::int16_t>(high));
        form().low_pressure_scroll(1).set_value(static_cast<std::int16_t>(low));
        view.refreshed.clear();
    }
};

// One row per edit of channel 1: the starting thresholds, the bar moved and its new value, and what
// both thresholds and the number of caption refreshes come to.
struct CouplingCase {
    const char* name;
    int high, low;
    bool move_high;
    int to;
    int high_after, low_after;
    int caption_refreshes;
};

void PrintTo(const CouplingCase& c, std::ostream* os) {
    *os << c.name;
}

class Coupling : public ChannelRules, public ::testing::WithParamInterface<CouplingCase> {};

TEST_P(Coupling, KeepsHighAtOrAboveLow) {
    const CouplingCase& c = GetParam();
    set(c.high, c.low);
    HScrollBar& bar = c.move_high ? form().high_pressure_scroll(1) : form().low_pressure_scroll(1);
    bar.set_value(static_cast<std::int16_t>(c.to));
    EXPECT_EQ(form().high_pressure_scroll(1).value(), c.high_after);
    EXPECT_EQ(form().low_pressure_scroll(1).value(), c.low_after);
    EXPECT_EQ(view.count(ControlName::high_pressure_frame, 1), c.caption_refreshes);
    EXPECT_EQ(view.count(ControlName::low_pressure_frame, 1), c.caption_refreshes);
    const std::string digits = std::to_string(c.high_after);
    const std::u16string high_caption =
        u"High pressure alarm (" + std::u16string(digits.begin(), digits.end()) + u"Pa)";
    EXPECT_EQ(form().high_pressure_frame(1).caption(), high_caption);
    for (int other = 2; other <= 4; ++other)
        EXPECT_EQ(form().high_pressure_scroll(other).value(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, Coupling,
    ::testing::Values(CouplingCase{"HighBelowLowPushesLow", 40, 35, true, 30, 30, 30, 2},
                      CouplingCase{"LowAboveHighPushesHigh", 40, 35, false, 50, 50, 50, 2},
                      CouplingCase{"HighDownToLowPushesNothing", 40, 35, true, 35, 35, 35, 1},
                      CouplingCase{"HighUpLeavesLow", 40, 35, true, 60, 60, 35, 1},
                      CouplingCase{"LowDownLeavesHigh", 40, 35, false, 10, 40, 10, 1},
                      CouplingCase{"LowUpToHighPushesNothing", 40, 35, false, 40, 40, 40, 1}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(ChannelRules, ADraggedPushIsNeverUndone) {
    set(60, 35);
    HScrollBar& high = form().high_pressure_scroll(1);
    for (int p = 60; p >= 10; p -= 5)
        high.drag(p);
    EXPECT_EQ(form().low_pressure_scroll(1).value(), 10);  // pushed live while dragging
    EXPECT_EQ(form().low_pressure_frame(1).caption(), u"Low pressure alarm (10Pa)");
    for (int p = 10; p <= 60; p += 5)
        high.drag(p);
    high.release(60);
    EXPECT_EQ(high.value(), 60);
    EXPECT_EQ(form().low_pressure_scroll(1).value(), 10);
}

TEST_F(ChannelRules, TheCheckBoxEnablesTheChannelsThreeFrames) {
    form().pressure_channel(2).click();
    EXPECT_FALSE(form().channel_frame(2).enabled());
    EXPECT_FALSE(form().high_pressure_frame(2).enabled());
    EXPECT_FALSE(form().low_pressure_frame(2).enabled());
    EXPECT_TRUE(form().high_pressure_scroll(2).enabled());
    EXPECT_TRUE(form().channel_frame(1).enabled());

    form().pressure_channel(2).set_value(2);  // greyed counts as enabled
    EXPECT_TRUE(form().channel_frame(2).enabled());
    EXPECT_TRUE(form().low_pressure_frame(2).enabled());

    form().pressure_channel(2).set_value(0);
    view.refreshed.clear();
    form().pressure_channel(2).set_value(0);  // the same value: no event, frames as they were
    EXPECT_TRUE(view.refreshed.empty());
    EXPECT_FALSE(form().channel_frame(2).enabled());
}

TEST_F(ChannelRules, ADisabledChannelKeepsItsValuesAndCaptions) {
    set(50, 20);
    form().pressure_channel(1).set_value(0);
    EXPECT_EQ(form().high_pressure_scroll(1).value(), 50);
    form().Combo1().choose(1);
    EXPECT_EQ(form().high_pressure_frame(1).caption(), u"Alarme de haute pression (50Pa)");
}

}  // namespace
}  // namespace pm
