// The station-list export and the activity and busy reminders, each on a rig of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/base/wav_file.h"
#include "core/echolink/station_monitors.h"
#include "tests/core/parts/part_rig.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

ProgramConf nodeCalled(const std::string& call) {
    ProgramConf conf;
    conf.callsign = call;
    return conf;
}

struct MonitorsRig : PartRig {
    explicit MonitorsRig(const std::string& call = "N0CALL-L")
        : PartRig(LocalTime{2026, 12, 10, 12, 0, 30}, nodeCalled(call)),
          setup(nodes.createSetupConfig()),
          monitors(context(), timers[TimerName::tStationList], timers[TimerName::tActivity],
                   timers[TimerName::tBusy], [this] { return setup->callsign(); }) {
        std::filesystem::create_directories(dir.path + "/wav");
    }
    // A second of silence under the name given (any letter case).
    void writeWav(const std::string& relative) {
        ASSERT_TRUE(writeWavPcm16Mono(dir.path + "/" + relative, kToneSampleRate,
                                      std::vector<int16_t>(kToneSampleRate, 0)));
    }
    // "hh:mm:ss" of each air-log line holding the text.
    std::vector<std::string> timesOf(const std::string& text) const {
        std::vector<std::string> out;
        for (const auto& l : linesWith(text))
            out.push_back(l.substr(l.find('T') + 1, 8));
        return out;
    }
    bool keyed() const { return nodes.state().ptt; }

    std::unique_ptr<SetupConfig> setup;
    StationMonitors monitors;
};

constexpr const char* kActivityPlay = R"("ev":"play","file":"wav/Activity.WAV")";
constexpr const char* kBusyPlay = R"("ev":"play","file":"wav/busy.wav")";

TEST(StationList, OnlyANodeWhoseCallHoldsAnExportCallWritesTheList) {
    const struct {
        const char* call;
        bool exports;
    } cases[] = {
        {"K1VXC-R", true},   {"W7VXC-L", true}, {"N4VXC", true},
        {"N0CALL-L", false}, {"K1VX-L", false}, {"k1vxc-l", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        MonitorsRig rig(c.call);
        rig.command("connect W1AW");
        rig.timers[TimerName::tStationList].setEnabled(true);
        rig.monitors.onStationListReceived();
        EXPECT_EQ(rig.monitors.StationListFlag, c.exports);
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), c.exports ? "List Refreshed" : "");

        rig.run(61);
        EXPECT_FALSE(rig.monitors.StationListFlag);
        EXPECT_EQ(std::filesystem::exists(rig.dir.path + "/db/NodeList.xml"), c.exports);
        if (c.exports) {
            EXPECT_EQ(readFile(rig.dir.file("db/NodeList.xml")),
                      "<stations><station call=\"W1AW\"/></stations>\r\n");
            EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "");
            EXPECT_TRUE(rig.nodes.state().stationListHeld);
        }
    }
}

TEST(StationList, ATickWithoutAFreshListWritesNothingAndAnOldListIsReplacedWhole) {
    MonitorsRig rig("K1VXC-L");
    rig.timers[TimerName::tStationList].setEnabled(true);
    rig.run(61);
    EXPECT_FALSE(std::filesystem::exists(rig.dir.path + "/db"));

    std::filesystem::create_directories(rig.dir.path + "/DB");
    std::ofstream(rig.dir.path + "/DB/nodelist.XML") << std::string(500, 'x');
    rig.monitors.onStationListReceived();
    rig.run(60);
    EXPECT_EQ(readFile(rig.dir.file("DB/nodelist.XML")), "<stations></stations>\r\n");
}

TEST(StationList, FailuresAndAFolderInTheWayEndTheExportQuietly) {
    MonitorsRig rig("K1VXC-L");
    rig.timers[TimerName::tStationList].setEnabled(true);

    rig.command("fail Callsign 1");
    rig.monitors.onStationListReceived();
    EXPECT_FALSE(rig.monitors.StationListFlag);

    rig.command("fail StationListXml 1");
    rig.monitors.onStationListReceived();
    rig.run(61);
    EXPECT_FALSE(rig.monitors.StationListFlag);
    EXPECT_FALSE(std::filesystem::exists(rig.dir.path + "/db/NodeList.xml"));

    // Someone left a file named "db": the list cannot go there, and nothing breaks.
    std::ofstream(rig.dir.path + "/db") << "not a folder";
    rig.monitors.onStationListReceived();
    rig.run(60);
    EXPECT_EQ(readFile(rig.dir.file("db")), "not a folder");
    EXPECT_FALSE(rig.monitors.StationListFlag);
}

TEST(StationList, TheStationExportsWhenTheNodeReportsAFreshList) {
    ProgramConf conf = StationRig::quickConf();
    conf.callsign = "W7VXC-L";
    StationRig rig(LocalTime{2026, 12, 10, 11, 59, 0, 0}, conf);
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    rig.command("connect W1AW");
    rig.command("stationlist");
    rig.runUntil(LocalTime{2026, 12, 10, 12, 1, 30, 0});
    EXPECT_EQ(readFile(rig.folderPath("db/NodeList.xml")),
              "<stations><station call=\"W1AW\"/></stations>\r\n");
}

TEST(ActivityReminder, PlaysEveryActiveMinutesWhileAStationIsConnectedWithoutABeep) {
    MonitorsRig rig;
    rig.writeWav("wav/Activity.WAV");
    rig.writeWav("wav/beep.wav");
    rig.settings.ActiveReminder = 1;
    rig.settings.ActiveMinutes = 5;
    rig.timers[TimerName::tActivity].setEnabled(true);

    rig.run(3 * 60);  // nobody connected: the minutes are not counted
    EXPECT_EQ(rig.monitors.gATTicks, 0);
    rig.command("connect W1AW");
    rig.run(15 * 60);
    EXPECT_EQ(rig.timesOf(kActivityPlay),
              (std::vector<std::string>{"12:08:30", "12:13:30", "12:18:30"}));
    EXPECT_TRUE(rig.linesWith("wav/beep.wav").empty());
    EXPECT_FALSE(rig.keyed());
}

TEST(ActivityReminder, SomeoneTalkingAtTheMinuteSkipsItAndTheCountRestarts) {
    MonitorsRig rig;
    rig.writeWav("wav/Activity.WAV");
    rig.settings.ActiveReminder = 1;
    rig.settings.ActiveMinutes = 5;
    rig.command("connect W1AW");
    rig.timers[TimerName::tActivity].setEnabled(true);

    rig.run(4 * 60 + 50);
    rig.command("remote on");
    rig.run(20);  // the fifth minute passes while the station talks
    EXPECT_EQ(rig.monitors.gATTicks, 0);
    rig.command("remote off");
    rig.run(5 * 60);
    // Not the sixth minute: five more from the skipped one.
    EXPECT_EQ(rig.timesOf(kActivityPlay), (std::vector<std::string>{"12:10:30"}));
}

TEST(ActivityReminder, AMissingFileOrAFailingNodeKeysNothingAndLeavesTheTransmitterOff) {
    MonitorsRig rig;
    rig.settings.ActiveReminder = 1;
    rig.settings.ActiveMinutes = 2;
    rig.command("connect W1AW");
    rig.timers[TimerName::tActivity].setEnabled(true);

    rig.run(2 * 60 + 5);  // no activity.wav: skipped, and the count restarts
    EXPECT_EQ(rig.monitors.gATTicks, 0);
    EXPECT_TRUE(rig.linesWith(R"("ev":"ptt")").empty());

    rig.writeWav("wav/Activity.WAV");
    rig.command("fail IsReceiving 1");
    rig.run(2 * 60);  // the failing call ends the tick before the count restarts
    EXPECT_TRUE(rig.linesWith(kActivityPlay).empty());
    EXPECT_EQ(rig.monitors.gATTicks, 2);

    rig.command("fail SetPtt 1");
    rig.run(60);  // keying fails: unkeyed again at once
    EXPECT_TRUE(rig.linesWith(kActivityPlay).empty());
    EXPECT_FALSE(rig.keyed());
    EXPECT_FALSE(rig.speech.pttHeld());

    rig.run(60);
    EXPECT_EQ(rig.linesWith(kActivityPlay).size(), 1u);
    EXPECT_FALSE(rig.keyed());
}

TEST(BusyReminder, BusyMinutesZeroPlaysAtEveryTickWhileTheNodeIsBusy) {
    MonitorsRig rig;
    rig.writeWav("wav/busy.wav");
    rig.settings.BusyReminder = 1;
    rig.settings.BusyMinutes = 0;
    rig.timers[TimerName::tBusy].setEnabled(true);

    rig.run(2 * 60);  // not busy: nothing
    EXPECT_TRUE(rig.linesWith(kBusyPlay).empty());
    rig.command("busy on");
    rig.run(3 * 60);
    EXPECT_EQ(rig.timesOf(kBusyPlay),
              (std::vector<std::string>{"12:03:30", "12:04:30", "12:05:30"}));
    rig.state.TTSSleeping = true;
    rig.run(2 * 60);
    EXPECT_EQ(rig.linesWith(kBusyPlay).size(), 3u);
    EXPECT_EQ(rig.monitors.gBusyTicks, 0);
    EXPECT_FALSE(rig.keyed());
}

TEST(BusyReminder, WaitsForTheReceiverThenPlaysWithTheBeep) {
    MonitorsRig rig;
    rig.writeWav("wav/busy.wav");
    rig.writeWav("wav/beep.wav");
    rig.settings.BusyReminder = 1;
    rig.settings.BusyMinutes = 2;
    rig.command("busy on");
    rig.timers[TimerName::tBusy].setEnabled(true);
    // The second minute comes while the receiver is busy.
    rig.rt.callAfter(110, [&] { rig.command("rx on"); });
    rig.rt.callAfter(150, [&] {
        EXPECT_TRUE(rig.linesWith(R"("ev":"ptt")").empty());
        rig.command("rx off");
    });
    rig.run(160);
    EXPECT_EQ(rig.timesOf(kBusyPlay), (std::vector<std::string>{"12:03:00"}));
    // Having waited for the channel, it ends with the courtesy beep.
    EXPECT_EQ(rig.linesWith("wav/beep.wav").size(), 1u);
    EXPECT_EQ(rig.monitors.gBusyTicks, 0);
}

TEST(BusyReminder, AMissingFileSkipsTheReminderAndRestartsTheCount) {
    MonitorsRig rig;
    rig.settings.BusyReminder = 1;
    rig.settings.BusyMinutes = 3;
    rig.command("busy on");
    rig.timers[TimerName::tBusy].setEnabled(true);
    rig.run(3 * 60 + 5);
    EXPECT_EQ(rig.monitors.gBusyTicks, 0);
    EXPECT_TRUE(rig.linesWith(R"("ev":"ptt")").empty());
}

// Minutes that are never reached: the counters stop at 100 and go on from their restart value.
TEST(Reminders, CountersNeverPassOneHundred) {
    const struct {
        const char* name;
        std::int16_t StationMonitors::*ticks;
        std::int16_t restart;
    } cases[] = {{"activity", &StationMonitors::gATTicks, 60},
                 {"busy", &StationMonitors::gBusyTicks, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorsRig rig;
        rig.writeWav("wav/Activity.WAV");
        rig.writeWav("wav/busy.wav");
        rig.settings.ActiveReminder = 1;
        rig.settings.ActiveMinutes = 101;
        rig.settings.BusyReminder = 1;
        rig.settings.BusyMinutes = 101;
        rig.command("connect W1AW");
        rig.command("busy on");
        rig.timers[TimerName::tActivity].setEnabled(true);
        rig.timers[TimerName::tBusy].setEnabled(true);
        rig.run(100 * 60 + 5);
        EXPECT_EQ(rig.monitors.*c.ticks, 100);
        rig.run(60);
        EXPECT_EQ(rig.monitors.*c.ticks, c.restart);
        rig.run(60);
        EXPECT_EQ(rig.monitors.*c.ticks, c.restart + 1);
        EXPECT_TRUE(rig.linesWith(R"("ev":"play")").empty());
    }
}

}  // namespace
}  // namespace vox
