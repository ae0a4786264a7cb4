// The fan over a sequence of transmissions: the caption, the run-on and the idle count.
#include <gtest/gtest.h>

#include "core/dtmf/fan_control.h"
#include "tests/core/parts/part_rig.h"

namespace vox {
namespace {

struct FanRig : PartRig {
    FanRig() : fan(context(), timers[TimerName::tFanLogic], controls) {
        panel.bindSettings(&settings);
        timers[TimerName::tFanLogic].setEnabled(true);
    }
    void transmit(double seconds) {
        node.link().setPtt(true);
        run(seconds);
        node.link().setPtt(false);
    }
    std::string caption() const { return panel.caption(Control::frFan); }
    FanControl fan;
};

TEST(Fan, RunsWhileTransmittingAndFanTimeAfterThenStopsForGood) {
    FanRig rig;
    rig.settings.FanTime = 1;
    rig.panel.setChecked(Control::FanRTS, true);
    rig.run(1.5);
    EXPECT_EQ(rig.caption(), "Fan: Off");  // start-up's 500 lies past the run-on
    EXPECT_FALSE(rig.nodes.state().rts);

    rig.transmit(3);
    EXPECT_EQ(rig.caption(), "Fan: On 60 sec");
    EXPECT_TRUE(rig.nodes.state().rts);
    rig.run(10);
    EXPECT_EQ(rig.caption(), "Fan: On 50 sec");
    rig.run(50);
    EXPECT_EQ(rig.caption(), "Fan: On 0 sec");
    rig.run(1);
    EXPECT_EQ(rig.caption(), "Fan: Off");
    EXPECT_FALSE(rig.nodes.state().rts);
    EXPECT_FALSE(rig.nodes.state().dtr);  // the other line is not the fan's

    // A long idle time wraps the count and the fan stays off.
    rig.run(3 * 3600);
    EXPECT_GE(rig.state.FanSeconds, 1000);
    EXPECT_LT(rig.state.FanSeconds, 2000);
    EXPECT_EQ(rig.caption(), "Fan: Off");
    // Each line change is one record, not one per tick.
    EXPECT_EQ(rig.linesWith(R"("ev":"rts")").size(), 2u);
}

TEST(Fan, ARunOnLongerThanTheIdleWrapEndsOnce) {
    FanRig rig;
    rig.settings.FanTime = 20;  // 1200 s: past the count's wrap to 1000
    rig.panel.setChecked(Control::FanDTR, true);
    rig.transmit(2);
    rig.run(1199);
    EXPECT_TRUE(rig.nodes.state().dtr);
    rig.run(2);
    EXPECT_FALSE(rig.nodes.state().dtr);
    rig.run(4000);
    EXPECT_FALSE(rig.nodes.state().dtr);
    EXPECT_EQ(rig.linesWith(R"("ev":"dtr")").size(), 2u);
}

TEST(Fan, EdgeSettings) {
    {
        SCOPED_TRACE("FanTime 0 runs only while transmitting");
        FanRig rig;
        rig.settings.FanTime = 0;
        rig.panel.setChecked(Control::FanRTS, true);
        rig.transmit(2.5);
        EXPECT_EQ(rig.caption(), "Fan: On 0 sec");
        rig.run(1);
        EXPECT_EQ(rig.caption(), "Fan: Off");
    }
    {
        SCOPED_TRACE("both lines switch together");
        FanRig rig;
        rig.panel.setChecked(Control::FanRTS, true);
        rig.panel.setChecked(Control::FanDTR, true);
        rig.transmit(2.5);
        EXPECT_TRUE(rig.nodes.state().rts);
        EXPECT_TRUE(rig.nodes.state().dtr);
        EXPECT_EQ(rig.caption(), "Fan: On 300 sec");
    }
    {
        SCOPED_TRACE("no box: no line touched, caption stays");
        FanRig rig;
        rig.transmit(2.5);
        EXPECT_EQ(rig.caption(), "Fan");
        EXPECT_TRUE(rig.linesWith(R"("ev":"rts")").empty());
    }
}

TEST(Fan, AClickSwitchesTheLineOffUntilTheNextTransmission) {
    FanRig rig;
    rig.panel.setChecked(Control::FanRTS, true);
    rig.transmit(2.5);
    ASSERT_TRUE(rig.nodes.state().rts);
    rig.controls.press(Control::FanRTS);
    EXPECT_FALSE(rig.nodes.state().rts);
    EXPECT_EQ(rig.state.FanSeconds, 500);
    rig.run(5);
    EXPECT_EQ(rig.caption(), "Fan: Off");

    // With a run-on past 500 s the fan runs on for the rest of it.
    rig.settings.FanTime = 9;
    rig.controls.press(Control::FanRTS);
    rig.run(1);
    EXPECT_EQ(rig.caption(), "Fan: On 39 sec");
}

}  // namespace
}  // namespace vox
