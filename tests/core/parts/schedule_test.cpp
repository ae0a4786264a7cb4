#include <gtest/gtest.h>

#include <algorithm>

#include "core/base/wav_file.h"
#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

using Events = std::vector<std::string>;

// A station started at the given time with only the schedule under test switched on.
struct ScheduleRig : StationRig {
    explicit ScheduleRig(LocalTime start) : StationRig(start) {
        EXPECT_EQ(station->start(), Station::StartOutcome::Running);
        station->settings().TxDelaySeconds = 0.5;
        airLines.clear();  // the start-up's messages about the new settings file
        airTimes.clear();
    }
    void writeId() {
        std::vector<int16_t> second(22050, 0);
        ASSERT_TRUE(writeWavPcm16Mono(folderPath("wav/id.wav"), 22050, second, nullptr));
    }
    // "hh:mm:ss text" of every event-log line.
    std::vector<std::string> logLines() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < airLines.size(); ++i) {
            const std::string& l = airLines[i];
            const std::string key = "\"ev\":\"log\",\"text\":\"";
            const std::size_t at = l.find(key);
            if (at == std::string::npos)
                continue;
            const std::string text = l.substr(at + key.size(), l.rfind('"') - at - key.size());
            out.push_back(formatHhMmSs(airTimes[i]) + " " + text);
        }
        return out;
    }
    // The hh:mm of every identification played.
    std::vector<std::string> idMinutes() const {
        std::vector<std::string> out;
        for (const auto& e : timedEvents("play:wav/id.wav"))
            out.push_back(e.substr(0, 5));
        return out;
    }
};

TEST(Schedule, QuarterHourAloneAnnouncesAt15And45Only) {
    ScheduleRig rig(LocalTime{2026, 12, 10, 11, 58, 0, 0});
    rig.station->panel().setChecked("cbQuarterHour", true);
    rig.runUntil(LocalTime{2026, 12, 10, 13, 1, 0, 0});
    EXPECT_EQ(rig.timedEvents("speak"), (Events{"12:15:00.500 speak:The time is 12:15PM.",
                                                "12:45:00.500 speak:The time is 12:45PM."}));
}

TEST(Schedule, HourAndFileSpeakTheTimeThenTransmitTheFile) {
    ScheduleRig rig(LocalTime{2026, 12, 10, 11, 58, 0, 0});
    rig.touch("info/info1.txt", "<xml>Net tonight at eight.</xml>");
    rig.station->settings().InfoFilePath = rig.folderPath("info/info1.txt");
    rig.station->panel().setChecked("cbHour", true);
    rig.station->panel().setChecked("cbFileHour", true);
    rig.runUntil(LocalTime{2026, 12, 10, 12, 2, 0, 0});
    EXPECT_EQ(rig.events(), (Events{"ptt:on", "speak:The time is 12 o'clock p m.", "ptt:off",
                                    "ptt:on", "play:info/info1.txt", "ptt:off"}));
}

TEST(Schedule, ABusyChannelThroughTheHourSkipsThatAnnouncement) {
    ScheduleRig rig(LocalTime{2026, 12, 10, 11, 58, 0, 0});
    rig.station->panel().setChecked("cbHour", true);
    rig.commandAt(LocalTime{2026, 12, 10, 12, 59, 52, 0}, "rx on");
    rig.commandAt(LocalTime{2026, 12, 10, 13, 0, 12, 0}, "rx off");
    rig.runUntil(LocalTime{2026, 12, 10, 12, 59, 59, 0});
    EXPECT_EQ(rig.station->panel().panel(1), FrontPanel::kRedLed);
    EXPECT_FALSE(rig.station->panel().enabled("CMDTime"));
    EXPECT_FALSE(rig.station->panel().enabled("cbRecordPlayback"));
    rig.runUntil(LocalTime{2026, 12, 10, 14, 0, 30, 0});
    EXPECT_EQ(rig.timedEvents("speak"), (Events{"12:00:00.500 speak:The time is 12 o'clock p m.",
                                                "14:00:00.500 speak:The time is 2 o'clock p m."}));
    EXPECT_EQ(rig.station->panel().panel(1), FrontPanel::kGreenLed);
    EXPECT_TRUE(rig.station->panel().enabled("CMDTime"));
}

TEST(Schedule, EachMinuteFiresOnceHoweverShortTheTransmission) {
    // No delay, no burst, no beep and an empty file: keyed for less than one tick.
    ScheduleRig rig(LocalTime{2026, 12, 10, 12, 14, 0, 0});
    rig.touch("info/empty.txt", "");
    rig.station->settings().InfoFilePath = rig.folderPath("info/empty.txt");
    rig.station->settings().TxDelaySeconds = 0;
    rig.station->panel().setChecked("cbFileQuarterHour", true);
    rig.runUntil(LocalTime{2026, 12, 10, 12, 16, 0, 0});
    EXPECT_EQ(rig.timedEvents("ptt"), (Events{"12:15:00.000 ptt:on", "12:15:00.000 ptt:off"}));
}

TEST(Schedule, AMissingInfoFileKeysNothingAndIsLoggedOncePerHourPerPath) {
    const struct {
        const char* file;  // relative to the program folder; empty: none chosen
        const char* logged;
    } cases[] = {{"", "No info file chosen"}, {"info/gone.txt", "Info file not found: "}};
    for (const auto& c : cases) {
        ScheduleRig rig(LocalTime{2026, 12, 10, 12, 14, 0, 0});
        const std::string path = *c.file ? rig.folderPath(c.file) : "";
        rig.station->settings().InfoFilePath = path;
        rig.station->settings().CwIdEnabled = 0;
        for (const char* box : {"cbFileHour", "cbFileHalfHour", "cbFileQuarterHour"})
            rig.station->panel().setChecked(box, true);
        rig.runUntil(LocalTime{2026, 12, 10, 13, 16, 0, 0});
        EXPECT_EQ(rig.events(), Events{}) << c.file;
        // Panel 4 showed the error (the auto-connect tick writes the same panel every minute).
        EXPECT_NE(std::find_if(rig.airLines.begin(), rig.airLines.end(),
                               [](const std::string& l) {
                                   return l.find(R"("ev":"status","panel":4,"text":"ERROR )"
                                                 R"(Playing File!")") != std::string::npos;
                               }),
                  rig.airLines.end())
            << c.file;
        // Five tries (12:15 .. 13:15), two lines: the first and the one an hour later.
        const std::string line = std::string(c.logged) + path;
        Events infoLines = rig.logLines();
        std::erase_if(infoLines,
                      [](const std::string& l) { return l.find("nfo file") == std::string::npos; });
        EXPECT_EQ(infoLines, (Events{"12:15:00 " + line, "13:15:00 " + line})) << c.file;
    }
}

TEST(Schedule, GreetingAndIdentificationAfterTheTime) {
    ScheduleRig rig(LocalTime{2026, 12, 10, 14, 4, 0, 0});
    rig.writeId();
    rig.station->settings().UsePreamble = 1;
    rig.station->settings().CwIdAfterTime = 1;
    rig.callAtLocal(LocalTime{2026, 12, 10, 14, 5, 0, 0}, [&] { rig.station->press("CMDTime"); });
    rig.runUntil(LocalTime{2026, 12, 10, 14, 6, 0, 0});
    EXPECT_EQ(rig.events(), (Events{"ptt:on", "speak:Good Afternoon!  The time is 2:05PM.",
                                    "play:wav/id.wav", "ptt:off"}));
}

TEST(Identification, EveryTenMinutesMovedOffTheQuarterHours) {
    const struct {
        int startMinute;
        std::vector<std::string> ids;
    } cases[] = {
        {3, {"12:13", "12:23", "12:33", "12:43", "12:53", "13:03"}},
        {5, {"12:16", "12:26", "12:36", "12:46", "12:56", "13:06"}},
    };
    for (const auto& c : cases) {
        ScheduleRig rig(LocalTime{2026, 12, 10, 12, c.startMinute, 0, 0});
        rig.writeId();
        rig.runUntil(LocalTime{2026, 12, 10, 13, 9, 0, 0});
        EXPECT_EQ(rig.idMinutes(), c.ids) << "start 12:0" << c.startMinute;
        // No courtesy beep after an identification.
        EXPECT_TRUE(rig.timedEvents("play:wav/beep.wav").empty());
    }
}

TEST(Identification, PassiveWaitsForActivity) {
    ScheduleRig rig(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    rig.writeId();
    rig.station->settings().CwIdPassive = 1;
    rig.commandAt(LocalTime{2026, 12, 10, 13, 20, 30, 0}, "rx on");
    rig.commandAt(LocalTime{2026, 12, 10, 13, 20, 35, 0}, "rx off");
    rig.runUntil(LocalTime{2026, 12, 10, 13, 45, 0, 0});
    // The start counts as activity, so the first one goes out; then nothing for an hour of
    // silence, one after the receiver was busy, and none once it has been quiet for ten minutes.
    EXPECT_EQ(rig.idMinutes(), (std::vector<std::string>{"12:10", "13:21"}));
}

TEST(Identification, DisabledStillAnswersTheButtonAndTheCountStopsAtItsLimit) {
    ScheduleRig rig(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    rig.writeId();
    rig.station->settings().CwIdEnabled = 0;
    rig.station->identification().IdMinuteCount = 32766;
    rig.runUntil(LocalTime{2026, 12, 10, 12, 5, 0, 0});
    EXPECT_EQ(rig.station->identification().IdMinuteCount, 32767);
    EXPECT_TRUE(rig.idMinutes().empty());
    rig.station->press("Command1");
    EXPECT_EQ(rig.idMinutes(), std::vector<std::string>{"12:05"});
}

}  // namespace
}  // namespace vox
