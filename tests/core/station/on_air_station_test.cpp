// What goes on the air when the parts meet, through a whole station in virtual time: no part's
// waiting or speaking inside another's transmission, and quiet time giving the node back.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "tests/core/station/station_fixture.h"
#include "tests/fault/air_oracle.h"

namespace vox {
namespace {

struct Timed {
    LocalTime at;
    std::string command;
};

LocalTime at(int hour, int minute, int second, int millisecond = 0, int day = 10) {
    return LocalTime{2026, 12, day, hour, minute, second, millisecond};
}

// The air log through the fault-injection oracle, with its dead-carrier rule.
OracleVerdict checkAir(const StationRig& rig) {
    std::stringstream air;
    for (const std::string& line : rig.airLines)
        air << line << '\n';
    SilenceRule silence{
        rig.station->settings().TxDelaySeconds + 3.0,
        [&rig](const std::string& file) {
            return VirtualVoice::fileSeconds(file.front() == '/' ? file : rig.folderPath(file));
        },
        {}};
    return checkAirLog(air, 180, 0, &silence);
}

// When the first speak record holding `text` was handed to the voice; nullopt when none was.
std::optional<LocalTime> spokenAt(const StationRig& rig, const std::string& text) {
    for (std::size_t i = 0; i < rig.airLines.size(); ++i)
        if (rig.airLines[i].find(R"("ev":"speak")") != std::string::npos &&
            rig.airLines[i].find(text) != std::string::npos)
            return rig.airTimes[i];
    return std::nullopt;
}

// A part whose tick would wait for the channel or speak while another transmission holds PTT
// keeps its work until PTT is off: the reply goes out and unkeys, then the waiting part has the
// channel once it is free.
TEST(OnAir, NoPartWaitsForTheChannelInsideAnotherTransmission) {
    const struct {
        const char* what;
        std::vector<Timed> events;
        std::string laterText;  // spoken by the part that had to wait
        LocalTime notBefore;    // when the channel became free for it
    } cases[] = {
        {"a connect during the time, while a station talks",
         {{at(10, 0, 30), "remote on"},
          {at(10, 0, 32), "dtmf 00*"},
          {at(10, 0, 33), "connect W1AW"},
          {at(10, 6, 0), "remote off"}},
         ", connected",
         at(10, 6, 0)},
        {"a connect during the node status, while a station talks",
         {{at(10, 0, 30), "remote on"},
          {at(10, 0, 32), "dtmf 77*"},
          {at(10, 0, 33), "connect W1AW"},
          {at(10, 6, 0), "remote off"}},
         ", connected",
         at(10, 6, 0)},
        {"a connect during the time, while the receiver is busy",
         {{at(10, 0, 32), "dtmf 00*"},
          {at(10, 0, 33), "rx on"},
          {at(10, 0, 33), "connect W1AW"},
          {at(10, 2, 43), "rx off"}},
         ", connected",
         at(10, 2, 43)},
        {"a chat line during the time, while a station talks",
         {{at(10, 0, 30), "remote on"},
          {at(10, 0, 32), "dtmf 00*"},
          {at(10, 0, 33), "chat K1XYZ>hello"},
          {at(10, 4, 0), "remote off"}},
         "Text Message from",
         at(10, 4, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StationRig rig(at(10, 0, 0));
        rig.writeDefaultWavs();
        for (const Timed& e : c.events)
            rig.commandAt(e.at, e.command);
        rig.startAndRunUntil(at(10, 0, 20));
        rig.station->settings().TtsChatMsg = 1;
        rig.runUntil(at(10, 8, 0));

        const OracleVerdict v = checkAir(rig);
        EXPECT_TRUE(v.ok) << v.why;
        EXPECT_EQ(v.timeOuts, 0);
        EXPECT_TRUE(spokenAt(rig, "The time is") || spokenAt(rig, "connected"));
        const std::optional<LocalTime> later = spokenAt(rig, c.laterText);
        ASSERT_TRUE(later) << "the waiting part's work was lost";
        EXPECT_GE(toCalendarMs(*later), toCalendarMs(c.notBefore));
        EXPECT_FALSE(rig.station->pttHeld());
    }
}

// The auto-connect tick waits 2 s at its end: falling due while the speed dial list keys up, it
// runs after that transmission instead of holding the transmitter silent inside it.
TEST(OnAir, AnAutoConnectTickFallingDueWhileKeyingRunsAfterTheTransmission) {
    for (const int before : {100, 300, 500, 700}) {
        SCOPED_TRACE(before);
        StationRig rig(at(10, 0, 0));
        rig.writeDefaultWavs();
        rig.startAndRunUntil(at(10, 1, 30));
        // The schedule's grid, from its first tick.
        std::optional<LocalTime> tick;
        for (std::size_t i = 0; i < rig.airLines.size() && !tick; ++i)
            if (rig.airLines[i].find("Auto Connect Start") != std::string::npos)
                tick = rig.airTimes[i];
        ASSERT_TRUE(tick);
        // Answered at once, keying just before the next tick.
        const std::int64_t next = toCalendarMs(*tick) + 60000 - before;
        rig.callAtLocal(fromCalendarMs(next),
                        [&rig] { rig.station->dtmf().DispatchDtmfCommand("411"); });
        rig.runUntil(fromCalendarMs(next + 30000));

        const OracleVerdict v = checkAir(rig);
        EXPECT_TRUE(v.ok) << v.why;
        EXPECT_LE(v.longestSilenceSeconds, rig.station->settings().TxDelaySeconds + 0.5);
        EXPECT_TRUE(spokenAt(rig, "Speed Dial"));
    }
}

// Quiet time from 23:00 to 23:05. Quiet time that switched the node off switches it on again on
// its first tick after the window, whatever the DTMF sleep toggle did meanwhile; a node it did
// not switch off is left alone.
TEST(OnAir, QuietTimeGivesBackTheNodeItSwitchedOff) {
    const struct {
        const char* what;
        int nodeOffIfQuiet;
        std::vector<Timed> events;
        bool switchedOff;               // quiet time switched the node off
        std::optional<LocalTime> onBy;  // the node was switched on again by then
        const char* stopLine;           // the event log's line on leaving, "" for none
    } cases[] = {
        {"no toggle", 1, {}, true, at(23, 7, 0), "Quiet Time STOP  - EchoLink enabled."},
        {"the toggle used inside and after the window",
         1,
         {{at(23, 2, 0), "dtmf D"}, {at(23, 10, 0), "dtmf D"}},
         true,
         at(23, 11, 0),
         "Quiet Time STOP  - EchoLink enabled."},
        {"the toggle used twice inside the window",
         1,
         {{at(23, 2, 0), "dtmf D"}, {at(23, 3, 0), "dtmf D"}},
         true,
         at(23, 7, 0),
         "Quiet Time STOP  - EchoLink enabled."},
        {"the node is not switched off: only speech sleeps",
         0,
         {{at(23, 2, 0), "dtmf D"}, {at(23, 10, 0), "dtmf D"}},
         false,
         std::nullopt,
         "Quiet Time STOP."},
        {"the toggle held speech asleep across the whole window",
         1,
         {{at(22, 59, 40), "dtmf D"}, {at(23, 10, 0), "dtmf D"}},
         false,
         std::nullopt,
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StationRig rig(at(22, 59, 0));
        rig.writeDefaultWavs();
        rig.startAndRunUntil(at(22, 59, 20));
        Settings& s = rig.station->settings();
        s.QuietStart = "23:00";
        s.QuietStop = "23:05";
        s.NodeOffIfQuiet = static_cast<std::int16_t>(c.nodeOffIfQuiet);
        for (const Timed& e : c.events)
            rig.commandAt(e.at, e.command);
        rig.commandAt(at(23, 12, 0), "connect W1AW");
        rig.runUntil(at(23, 13, 0));

        // "hh:mm:ss.mmm node:off", then "... node:on" last.
        const std::vector<std::string> node = rig.timedEvents("node");
        EXPECT_EQ(node.empty(), !c.switchedOff) << ::testing::PrintToString(node);
        if (c.onBy && !node.empty()) {
            EXPECT_NE(node.front().find("node:off"), std::string::npos);
            EXPECT_NE(node.back().find("node:on"), std::string::npos);
            EXPECT_LE(node.back().substr(0, 8), formatHhMmSs(*c.onBy));
        }
        EXPECT_TRUE(rig.nodes.state().nodeEnabled);
        bool stopped = false;
        for (const std::string& line : rig.airLines)
            stopped = stopped || line.find(std::string(R"("text":")") + "Quiet Time STOP") !=
                                     std::string::npos;
        if (*c.stopLine) {
            EXPECT_TRUE(spokenAt(rig, "Voxclock is now Awake!"));
            bool found = false;
            for (const std::string& line : rig.airLines)
                found = found || line.find(std::string(R"("text":")") + c.stopLine + "\"") !=
                                     std::string::npos;
            EXPECT_TRUE(found) << c.stopLine;
        } else {
            EXPECT_FALSE(stopped);
        }
        // The 23:12 connect is taken and announced.
        EXPECT_TRUE(spokenAt(rig, ", connected"));
        EXPECT_FALSE(rig.station->pttHeld());
    }
}

// The owner changes the quiet-time settings while quiet time holds the node off: the node it
// switched off comes back on its first tick after the change, with the STOP line.
TEST(OnAir, QuietTimeGivesBackTheNodeWhenItsSettingsChangeInsideTheWindow) {
    const struct {
        const char* what;
        void (*change)(Settings&);
    } cases[] = {
        {"node switching turned off", [](Settings& s) { s.NodeOffIfQuiet = 0; }},
        {"quiet hours cleared", [](Settings& s) { s.QuietStart.clear(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StationRig rig(at(22, 59, 0));
        rig.writeDefaultWavs();
        rig.startAndRunUntil(at(22, 59, 20));
        Settings& s = rig.station->settings();
        s.QuietStart = "23:00";
        s.QuietStop = "23:30";
        s.NodeOffIfQuiet = 1;
        rig.runUntil(at(23, 3, 0));
        ASSERT_FALSE(rig.nodes.state().nodeEnabled);
        c.change(s);
        rig.runUntil(at(23, 40, 0));
        EXPECT_TRUE(rig.nodes.state().nodeEnabled);
        bool found = false;
        for (const std::string& line : rig.airLines)
            found = found || line.find(R"("text":"Quiet Time STOP  - EchoLink enabled.")") !=
                                 std::string::npos;
        EXPECT_TRUE(found);
        EXPECT_FALSE(rig.station->pttHeld());
    }
}

}  // namespace
}  // namespace vox
