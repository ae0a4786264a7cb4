// The weekly auto-connect schedule on its own, over the simulated node, in virtual time.
#include <gtest/gtest.h>

#include "core/echolink/auto_connect_schedule.h"
#include "tests/core/parts/part_rig.h"

namespace vox {
namespace {

// 2026-12-10 is a Thursday.
LocalTime at(int hour, int minute, int day = 10) {
    return LocalTime{2026, 12, day, hour, minute, 0};
}

struct ScheduleRig : PartRig {
    explicit ScheduleRig(LocalTime start = at(12, 1)) : PartRig(start), schedule(context(), tick) {
        log.onLine = [this](const std::string& text) {
            logged.push_back(formatHhMmSs(rt.localNow()) + " " + text);
        };
        panel.subscribe([this](const FrontPanel::Change& c) {
            if (c.kind == FrontPanel::Change::Kind::Panel && c.panel == 4)
                panel4.push_back(formatHhMmSs(rt.localNow()) + " " + panel.panel(4));
        });
    }
    RemoteNode& scheduled(int i, const std::string& call, const std::string& start,
                          const std::string& stop) {
        RemoteNode& n = settings.RemoteNodes[static_cast<std::size_t>(i)];
        n.Node = call;
        n.Auto = 1;
        n.Daily = 1;
        n.Delay = 10;
        n.Slot1Start = start;
        n.Slot1Stop = stop;
        return n;
    }
    bool connected(const std::string& call) { return node.link().isConnected(call); }
    std::size_t requests(const std::string& kind, const std::string& call) const {
        return linesWith("\"ev\":\"" + kind + "\",\"call\":\"" + call + "\"").size();
    }

    Timer& tick = timers[TimerName::tAutoConnect];
    AutoConnectSchedule schedule;
    std::vector<std::string> logged;
    std::vector<std::string> panel4;
};

TEST(AutoConnectWindows, EachSlotTestsItsOwnWindowToTheMinuteWithBothEndsIncluded) {
    const struct {
        int slot;  // 1..3
        const char* start;
        const char* stop;
        LocalTime now;
        bool in;
    } cases[] = {
        // Across midnight.
        {1, "22:00", "06:00", at(23, 30), true},
        {1, "22:00", "06:00", at(5, 59), true},
        {1, "22:00", "06:00", at(6, 0), true},
        {1, "22:00", "06:00", at(6, 1), false},
        {1, "22:00", "06:00", at(12, 0), false},
        {1, "22:00", "06:00", at(22, 0), true},
        {1, "22:00", "06:00", at(21, 59), false},
        {1, "22:00", "06:00", at(0, 0), true},
        // Within one day.
        {2, "08:00", "09:30", at(8, 0), true},
        {2, "08:00", "09:30", at(9, 30), true},
        {2, "08:00", "09:30", at(9, 31), false},
        {2, "08:00", "09:30", at(7, 59), false},
        // No window at all.
        {3, "10:00", "10:00", at(10, 0), false},
        {3, "", "11:00", at(10, 0), false},
        {3, "09:00", "", at(10, 0), false},
        // Not "hh:mm": compared as text, so "10:00" lies before "9:30".
        {3, "08:00", "9:30", at(10, 0), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.slot) + " " + c.start + "-" + c.stop + " at " +
                     formatHhMm(c.now));
        ScheduleRig rig(c.now);
        RemoteNode& n = rig.settings.RemoteNodes[4];
        std::string* fields[][2] = {{&n.Slot1Start, &n.Slot1Stop},
                                    {&n.Slot2Start, &n.Slot2Stop},
                                    {&n.Slot3Start, &n.Slot3Stop}};
        *fields[c.slot - 1][0] = c.start;
        *fields[c.slot - 1][1] = c.stop;
        const bool got[] = {rig.schedule.InSlot1(4), rig.schedule.InSlot2(4),
                            rig.schedule.InSlot3(4)};
        for (int s = 1; s <= 3; ++s)
            EXPECT_EQ(got[s - 1], s == c.slot && c.in) << "InSlot" << s;
        EXPECT_FALSE(rig.schedule.InSlot1(3)) << "another entry";
    }
}

TEST(AutoConnectWindows, TheDayIsDailyOrTodaysFlagCountedFromSunday) {
    const struct {
        int day;  // of December 2026: 10 Thursday, 12 Saturday, 13 Sunday
        std::int16_t RemoteNode::*flag;
        bool applies;
    } cases[] = {
        {10, &RemoteNode::Thu, true},   {10, &RemoteNode::Wed, false},
        {10, &RemoteNode::Fri, false},  {13, &RemoteNode::Sun, true},
        {13, &RemoteNode::Mon, false},  {13, &RemoteNode::Sat, false},
        {12, &RemoteNode::Sat, true},   {12, &RemoteNode::Sun, false},
        {10, &RemoteNode::Daily, true}, {13, &RemoteNode::Daily, true},
    };
    for (const auto& c : cases) {
        ScheduleRig rig(at(12, 0, c.day));
        rig.settings.RemoteNodes[2].*c.flag = 1;
        EXPECT_EQ(rig.schedule.dayApplies(2), c.applies) << "December " << c.day;
    }
    ScheduleRig rig;
    EXPECT_FALSE(rig.schedule.dayApplies(2)) << "no day at all";
}

TEST(AutoConnectSchedule, TicksConnectInTheWindowAndDropOutsideWaitingDelayAfterEachTry) {
    ScheduleRig rig(at(12, 1));
    rig.scheduled(0, "W1AW-L", "12:03", "12:05").Delay = 20;
    rig.scheduled(5, "K1ABC", "12:03", "12:04");
    rig.scheduled(6, "N2XYZ-R", "12:03", "12:04").Auto = 0;  // not scheduled
    rig.tick.setEnabled(true);
    rig.run(60 * 6);  // ticks at 12:02 .. 12:07

    EXPECT_EQ(rig.logged, (std::vector<std::string>{
                              "12:03:00 Voxclock Connect try: W1AW-L",
                              "12:03:20 Voxclock Connect try: K1ABC",
                              "12:05:00 Voxclock Disconnect try: K1ABC",
                              "12:06:00 Voxclock Disconnect try: W1AW-L",
                          }));
    EXPECT_EQ(rig.requests("connect", "W1AW-L"), 1u);
    EXPECT_EQ(rig.requests("connect", "K1ABC"), 1u);
    EXPECT_EQ(rig.requests("connect", "N2XYZ-R"), 0u);
    EXPECT_FALSE(rig.connected("W1AW-L"));
    EXPECT_FALSE(rig.connected("K1ABC"));
    // The tick at 12:03 takes Delay after each try and two seconds at the end.
    const auto& p = rig.panel4;
    EXPECT_NE(std::find(p.begin(), p.end(), "12:03:00 Auto Connect Start"), p.end());
    EXPECT_NE(std::find(p.begin(), p.end(), "12:03:32 Auto Connect Done"), p.end());
    EXPECT_NE(std::find(p.begin(), p.end(), "12:05:04 Auto Connect Done"), p.end()) << "2 + 2";
}

TEST(AutoConnectSchedule, ANodeConnectedByHandOutsideItsWindowIsDroppedAtTheNextTick) {
    ScheduleRig rig(at(12, 1));
    rig.scheduled(1, "W1AW-L", "20:00", "21:00");
    rig.settings.RemoteNodes[2].Node = "K1ABC";  // not scheduled: left alone
    rig.command("connect W1AW-L");
    rig.command("connect K1ABC");
    rig.run(1);
    rig.schedule.tAutoConnect_Timer();
    EXPECT_FALSE(rig.connected("W1AW-L"));
    EXPECT_TRUE(rig.connected("K1ABC"));
    EXPECT_EQ(rig.logged, std::vector<std::string>{"12:01:01 Voxclock Disconnect try: W1AW-L"});
}

TEST(AutoConnectSchedule, AFailingConnectIsLoggedAndTheScheduleGoesOn) {
    ScheduleRig rig(at(12, 1));
    rig.scheduled(0, "W1AW-L", "12:00", "13:00");
    rig.scheduled(1, "NOT A CALL", "12:00", "13:00");  // the node refuses it
    rig.scheduled(2, "K1ABC", "12:00", "13:00");
    rig.command("fail ConnectTo 1");
    rig.schedule.tAutoConnect_Timer();
    EXPECT_EQ(rig.logged, (std::vector<std::string>{
                              "12:01:00 Voxclock Connect try: W1AW-L",
                              "12:01:10 Voxclock Connect try: NOT A CALL",
                              "12:01:20 Voxclock Connect try: K1ABC",
                          }));
    EXPECT_EQ(rig.panel4.back(), "12:01:32 Auto Connect Done");
    EXPECT_FALSE(rig.connected("W1AW-L"));
    EXPECT_TRUE(rig.connected("K1ABC"));

    // The next tick tries the failed one again.
    rig.logged.clear();
    rig.schedule.tAutoConnect_Timer();
    EXPECT_TRUE(rig.connected("W1AW-L"));
}

TEST(AutoConnectSchedule, AnyOtherNodeFailureEndsTheTickWithItsMessages) {
    ScheduleRig rig(at(12, 1));
    rig.scheduled(0, "W1AW-L", "12:00", "13:00");
    rig.command("fail IsConnected 1");
    rig.schedule.tAutoConnect_Timer();
    EXPECT_EQ(rig.panel.panel(4), "Auto Connect ERROR!");
    EXPECT_EQ(rig.logged, std::vector<std::string>{"12:01:00 Error In Auto Connect Proceedure"});
    EXPECT_EQ(rig.requests("connect", "W1AW-L"), 0u);

    // The node gone altogether is the same.
    rig.node.release();
    rig.logged.clear();
    EXPECT_NO_THROW(rig.schedule.tAutoConnect_Timer());
    EXPECT_EQ(rig.panel.panel(4), "Auto Connect ERROR!");
    EXPECT_EQ(rig.logged, std::vector<std::string>{"12:01:00 Error In Auto Connect Proceedure"});
}

TEST(AutoConnectSchedule, NoAutoConnectsStopsTheSchedule) {
    ScheduleRig rig(at(12, 1));
    rig.scheduled(0, "W1AW-L", "12:00", "13:00");
    rig.panel.setChecked(Control::cbAutoOverride, true);
    rig.schedule.tAutoConnect_Timer();
    EXPECT_TRUE(rig.logged.empty());
    EXPECT_TRUE(rig.panel4.empty());
    EXPECT_EQ(rig.requests("connect", "W1AW-L"), 0u);

    rig.panel.setChecked(Control::cbAutoOverride, false);
    rig.schedule.tAutoConnect_Timer();
    EXPECT_EQ(rig.requests("connect", "W1AW-L"), 1u);
}

TEST(AutoConnectSchedule, WhileAsleepTheScheduleRunsOnlyWhenTheNodeStaysOnInQuietTime) {
    for (const std::int16_t nodeOffIfQuiet : {0, 1}) {
        SCOPED_TRACE(nodeOffIfQuiet);
        ScheduleRig rig(at(12, 1));
        rig.settings.NodeOffIfQuiet = nodeOffIfQuiet;
        rig.state.TTSSleeping = true;
        rig.scheduled(0, "W1AW-L", "12:00", "13:00");
        rig.scheduled(1, "K1ABC", "20:00", "21:00");
        rig.command("connect K1ABC");
        rig.run(1);
        rig.schedule.tAutoConnect_Timer();
        rig.run(5);
        const bool runs = nodeOffIfQuiet == 0;
        EXPECT_EQ(rig.connected("W1AW-L"), runs);
        EXPECT_EQ(rig.connected("K1ABC"), !runs);
        EXPECT_EQ(rig.logged.size(), runs ? 2u : 0u);
        if (!runs) {
            EXPECT_EQ(rig.panel4, std::vector<std::string>{"12:01:01 TTS is Sleeping!"});
        }
    }
}

}  // namespace
}  // namespace vox
