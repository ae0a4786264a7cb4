#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>

#include "core/base/atomic_file.h"
#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

TEST(StationStartup, TimersAreEnabledOnlyAtTheEndAfterTheSettingsFile) {
    StationRig rig;
    std::vector<std::string> trace;
    rig.rt.onTimerSwitched = [&](const std::string& name, bool on) {
        trace.push_back((on ? "+" : "-") + name +
                        (fs::exists(rig.folderPath("voxclock.ini")) ? "" : " (no ini)"));
    };
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);

    // Seventeen timers are switched off before the settings file exists ...
    ASSERT_GE(trace.size(), 34u);
    EXPECT_EQ(trace[0], "-tLabelUpdate (no ini)");
    EXPECT_EQ(trace[16], "-tWxWarn (no ini)");
    // ... and switched on, in order, only after it was read (here: created with defaults).
    const std::vector<std::string> enabled(trace.end() - 17, trace.end());
    EXPECT_EQ(enabled.front(), "+tWxGet");
    EXPECT_EQ(enabled[1], "+tMain");
    EXPECT_EQ(enabled.back(), "+tRadioBusyID");
    for (const auto& t : std::vector<std::string>(trace.begin(), trace.end() - 17))
        EXPECT_EQ(t[0], '-') << t;
    EXPECT_FALSE(rig.station->timer("tDTMF").enabled());
    EXPECT_FALSE(rig.station->timer("tFreeWx").enabled());

    // A missing settings file: the two messages, then a file of defaults.
    ASSERT_EQ(rig.ui.texts.size(), 2u);
    EXPECT_EQ(rig.ui.texts[0],
              "The file Voxclock.Ini is Missing or Corrupted\r\n    The program will create a new "
              "INI file.");
    EXPECT_EQ(rig.ui.texts[1], "New INI File Created\r\n Reconfigure your setup");
    EXPECT_EQ(rig.station->state().OwnCall, "N0CALL");
    EXPECT_EQ(rig.station->panel().panel(2), "DTMF: None");
    // Start-up waits 3 s, then 4 s between the node's configuration objects.
    EXPECT_EQ(rig.clock.localNow().second, 7);
}

TEST(StationStartup, SysopModeRefusalEndsAtOnceWithoutASettingsFile) {
    ProgramConf conf = StationRig::quickConf();
    conf.sysopMode = 0;
    StationRig rig(LocalTime{2026, 12, 10, 12, 0, 0, 0}, conf);
    EXPECT_EQ(rig.station->start(), Station::StartOutcome::EndedAtOnce);
    ASSERT_EQ(rig.ui.texts.size(), 1u);
    EXPECT_EQ(rig.ui.texts[0],
              "EchoLink must be configured in the Sysop Mode.\r\nVoxclock TTS will not work in "
              "single user mode.");
    EXPECT_FALSE(fs::exists(rig.folderPath("voxclock.ini")));
    EXPECT_EQ(rig.station->node(), nullptr);
}

TEST(StationStartup, AMissingNodeEndsAtOnce) {
    StationRig rig;
    rig.nodes.execute({ControlCommand::Kind::Fail, "CreateNode", false, 1, {}}, nullptr);
    EXPECT_EQ(rig.station->start(), Station::StartOutcome::EndedAtOnce);
    ASSERT_EQ(rig.ui.texts.size(), 1u);
    EXPECT_EQ(rig.ui.texts[0],
              "Can Not Find EchoLink.\r\nVoxclock TTS will not work without EchoLink.");
}

TEST(StationStartup, ASecondInstanceIsRefusedAndTheFirstRunsOn) {
    StationRig first;
    ASSERT_EQ(first.station->start(), Station::StartOutcome::Running);
    const auto iniBefore = fs::last_write_time(first.folderPath("voxclock.ini"));

    RecordedMessages ui2;
    StationRig second;  // same folder as the first: point it there
    StationPorts ports{
        second.rt,
        ProgramFolder(first.folder.path),
        second.nodes,
        ui2,
        second.air,
        [&]() -> std::unique_ptr<Voice> { return std::make_unique<VirtualVoice>(second.rt); }};
    Station copy(std::move(ports));
    EXPECT_EQ(copy.start(), Station::StartOutcome::EndedAtOnce);
    EXPECT_EQ(ui2.texts, std::vector<std::string>{"Voxclock TTS is already running!"});
    EXPECT_EQ(fs::last_write_time(first.folderPath("voxclock.ini")), iniBefore);
    EXPECT_TRUE(first.station->timer("tMain").enabled());
}

TEST(StationShutdown, PttEndsOffEvenWhenTheUnkeyAndTheSettingsWriteFail) {
    // Every write of the settings file fails, as on a full disk.
    int writes = 0;
    SettingsWriter failing = [&](const std::string& path, const std::string& contents,
                                 std::string* error) {
        if (++writes == 1)
            return writeFileAtomically(path, contents, error);  // created at start-up
        if (error)
            *error = "disk full";
        return false;
    };
    StationRig rig(LocalTime{2026, 12, 10, 12, 0, 0, 0}, StationRig::quickConf(), failing);
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    rig.station->node()->setPtt(true);
    ASSERT_TRUE(rig.nodes.state().ptt);
    rig.nodes.execute({ControlCommand::Kind::Fail, "SetPtt", false, 2, {}}, nullptr);

    rig.station->shutdown();
    EXPECT_FALSE(rig.nodes.state().ptt);
    EXPECT_EQ(rig.ui.texts.back(), "Error Writing .INI File");
    EXPECT_EQ(rig.station->panel().caption("lblPTT"), "OFF");
    EXPECT_FALSE(rig.station->timer("tMain").enabled());
}

}  // namespace
}  // namespace vox

namespace vox {
namespace {

TEST(StationNode, ClosingEndsTheProgram) {
    StationRig rig;
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    rig.commandAt(LocalTime{2026, 12, 10, 12, 0, 0, 0}, "close");
    rig.rt.run();  // returns once the node has closed
    EXPECT_EQ(rig.clock.localNow().minute, 0);
    EXPECT_EQ(rig.station->node(), nullptr);
    rig.station->shutdown();
    EXPECT_TRUE(std::filesystem::exists(rig.folderPath("voxclock.ini")));
}

// Found by fault injection: the node closed while we were on the air, and PTT stayed on.
TEST(StationNode, ClosingWhileKeyedUnkeysBeforeLettingGo) {
    StationRig rig;
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    rig.writeDefaultWavs();
    rig.commandAt(LocalTime{2026, 12, 10, 12, 0, 0, 0}, "dtmf 00*");
    rig.commandAt(LocalTime{2026, 12, 10, 12, 0, 1, 0}, "close");
    rig.rt.run();
    EXPECT_EQ(rig.station->node(), nullptr);
    EXPECT_FALSE(rig.nodes.state().ptt);
    const auto ptt = rig.events();
    EXPECT_EQ(std::count(ptt.begin(), ptt.end(), "ptt:on"), 1);
    EXPECT_EQ(ptt.back(), "ptt:off");
    rig.station->shutdown();
}

TEST(StationNode, EventsWaitingToBeHandledKeepOnlyTheLatest) {
    // A node up for months reports millions of these; only the latest of each kind is used.
    StationRig rig;
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    for (int i = 0; i < 1000; ++i) {
        const std::string n = std::to_string(i);
        rig.command("connect W" + n + "AW");
        rig.command("chat W1AW>line " + n);
        rig.command("disconnect W" + n + "AW");
    }
    EXPECT_EQ(rig.station->connections().pendingConnect(), "W999AW");
    EXPECT_EQ(rig.station->connections().pendingDisconnect(), "W999AW");
    EXPECT_EQ(rig.station->connections().pendingChatText(), "W1AW>line 999");
}

TEST(StationNode, TheFanNeverDrivesTheLineThatKeysTheTransmitter) {
    const struct {
        int pttControl;
        bool rtsEnabled, dtrEnabled;
    } cases[] = {{2, false, true}, {3, true, false}, {1, true, true}};
    for (const auto& c : cases) {
        ProgramConf conf = StationRig::quickConf();
        conf.pttControl = c.pttControl;
        StationRig rig(LocalTime{2026, 12, 10, 12, 0, 0, 0}, conf);
        ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
        rig.station->panel().setChecked("FanRTS", true);
        rig.station->panel().setChecked("FanDTR", true);
        rig.station->speech().CheckPTTControl();
        EXPECT_EQ(rig.station->panel().enabled("FanRTS"), c.rtsEnabled) << c.pttControl;
        EXPECT_EQ(rig.station->panel().checked("FanRTS"), c.rtsEnabled) << c.pttControl;
        EXPECT_EQ(rig.station->panel().enabled("FanDTR"), c.dtrEnabled) << c.pttControl;
        EXPECT_EQ(rig.station->panel().checked("FanDTR"), c.dtrEnabled) << c.pttControl;
    }
}

TEST(StationSettings, CheckBoxesAreTheScheduleSettings) {
    StationRig rig;
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    rig.station->panel().setChecked("cbHalfHour", true);
    rig.station->panel().setChecked("FanDTR", true);
    ASSERT_TRUE(rig.station->WriteIniFile());
    EXPECT_EQ(rig.station->settings().TimeHalfHour, 1);
    EXPECT_EQ(rig.station->settings().FanDtr, 1);

    StationRig again;
    StationPorts ports{again.rt,
                       ProgramFolder(rig.folder.path),
                       again.nodes,
                       again.ui,
                       again.air,
                       [&]() -> std::unique_ptr<Voice> { return std::make_unique<VirtualVoice>(again.rt); }};
    rig.station->shutdown();
    Station next(std::move(ports));
    ASSERT_EQ(next.start(), Station::StartOutcome::Running);
    EXPECT_TRUE(next.panel().checked("cbHalfHour"));
    EXPECT_TRUE(next.panel().checked("FanDTR"));
    EXPECT_FALSE(next.panel().checked("cbHour"));
    EXPECT_TRUE(again.ui.texts.empty());
}

}  // namespace
}  // namespace vox
