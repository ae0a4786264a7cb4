// The counts that run for the life of the program, taken to where a month leaves them: the
// identification, the reminders, the fan, the weather and the schedule act on day 30 as on day 1.
// A month is not run here; each count is set near its limit on a station whose clock has run
// for a month, and the evening that follows is compared with the same evening of day 1.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/base/wav_file.h"
#include "core/settings/settings_file.h"
#include "tests/core/station/station_fixture.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

using Times = std::vector<std::string>;

// Day 1 is 2 December 2026, so day 30 ends the year: its evening runs into 1 January 2027.
constexpr int kDay30 = 30;

// A station of day `day`, started at 23:30 with the given settings file. Its clock has run for
// the days before (the monotonic time is a month on, as on a node that never restarted).
struct MonthRig : StationRig {
    MonthRig(int day, const Settings& settings) : StationRig(LocalTime{2026, 12, 2, 23, 30, 0, 0}) {
        clock.advanceBy((day - 1) * 86400.0);
        evening = clock.localNow();
        for (const char* wav : {"wav/id.wav", "wav/activity.wav", "wav/busy.wav"}) {
            const std::vector<int16_t> second(22050, 0);
            EXPECT_TRUE(writeWavPcm16Mono(folderPath(wav), 22050, second, nullptr));
        }
        EXPECT_TRUE(SettingsFile(folderPath("voxclock.ini")).write(settings));
        EXPECT_EQ(station->start(), Station::StartOutcome::Running);
        airLines.clear();
        airTimes.clear();
    }

    // A time of the evening: 23:mm of the rig's day, or hh:mm of the night after it.
    LocalTime at(int hour, int minute, int second = 0) const {
        const std::int64_t midnight =
            toCalendarMs(LocalTime{evening.year, evening.month, evening.day, 0, 0, 0, 0});
        return fromCalendarMs(midnight + (hour < 12 ? 86400000LL : 0) +
                              ((hour * 60LL + minute) * 60 + second) * 1000);
    }
    void runUntil(int hour, int minute) { StationRig::runUntil(at(hour, minute)); }
    // The receiver busy for five seconds at each of these minutes (second 20).
    void keyUpAt(const std::vector<std::pair<int, int>>& minutes) {
        for (const auto& [h, m] : minutes) {
            commandAt(at(h, m, 20), "rx on");
            commandAt(at(h, m, 25), "rx off");
        }
    }
    // "hh:mm" of each event with this prefix.
    Times minutesOf(const std::string& prefix) const {
        Times out;
        for (const std::string& e : timedEvents(prefix))
            out.push_back(e.substr(0, 5));
        return out;
    }

    LocalTime evening;
};

// Seconds since the evening's midnight of an "hh:mm:ss.mmm ..." event; times before noon are
// of the night after it.
double secondsOf(const std::string& event) {
    const int h = std::stoi(event.substr(0, 2));
    const double t = h * 3600 + std::stoi(event.substr(3, 2)) * 60 + std::stod(event.substr(6, 6));
    return h < 12 ? t + 86400 : t;
}

Settings quietNode() {
    Settings s;
    s.CwIdEnabled = 0;
    return s;
}

// Passive identification: a month without a receiver holds the idle count at its ceiling, and a
// month with identification off holds the minute count at its 16-bit limit. Once the channel is
// used again the identification goes out at the next free minute and then every ten minutes, off
// the quarter hours, as on day 1.
TEST(MonthCounters, IdentificationPastBothLimits) {
    Settings s = quietNode();
    s.CwIdEnabled = 1;
    s.CwIdMinutes = 10;
    s.CwIdPassive = 1;
    const std::vector<std::pair<int, int>> keyUps = {{23, 33}, {23, 38}, {23, 43}, {23, 48},
                                                     {23, 53}, {23, 58}, {0, 3},   {0, 8},
                                                     {0, 13},  {0, 18}};

    MonthRig day1(1, s);
    day1.keyUpAt(keyUps);
    day1.runUntil(0, 20);
    EXPECT_EQ(day1.minutesOf("play:wav/id.wav"), (Times{"23:40", "23:50", "00:01", "00:11"}));

    MonthRig day30(kDay30, s);
    Identification& id = day30.station->identification();
    id.IdMinuteCount = 32767;
    id.IdleSeconds = 32767;
    day30.keyUpAt(keyUps);
    day30.runUntil(23, 33);
    // Overdue but idle: each tick counts up to the limit and steps back to look again next
    // minute, never past it; the idle count stays at its ceiling.
    EXPECT_EQ(id.IdMinuteCount, 32766);
    EXPECT_EQ(id.IdleSeconds, 610);
    EXPECT_TRUE(day30.minutesOf("play:wav/id.wav").empty());
    day30.runUntil(0, 20);
    EXPECT_EQ(day30.minutesOf("play:wav/id.wav"),
              (Times{"23:34", "23:44", "23:54", "00:04", "00:14"}));
    EXPECT_GE(id.IdMinuteCount, 0);
}

// The reminders' counts never pass 100. On day 30 they stand there (a month connected and busy
// with the minutes set above 100, then set to 5 and 4): the first reminders come at the first
// tick, and then every 5 and 4 minutes as on day 1.
TEST(MonthCounters, RemindersFromTheirCeiling) {
    Settings s = quietNode();
    s.ActiveReminder = 1;
    s.ActiveMinutes = 5;
    s.BusyReminder = 1;
    s.BusyMinutes = 4;
    const auto run = [&](int day, std::int16_t ticks) {
        auto rig = std::make_unique<MonthRig>(day, s);
        rig->station->monitors().gATTicks = ticks;
        rig->station->monitors().gBusyTicks = ticks;
        rig->commandAt(rig->at(23, 30, 10), "connect W2AAA");
        rig->commandAt(rig->at(23, 30, 10), "busy on");
        rig->runUntil(0, 1);
        return rig;
    };
    const auto day1 = run(1, 0);
    EXPECT_EQ(day1->minutesOf("play:wav/activity.wav"),
              (Times{"23:35", "23:40", "23:45", "23:50", "23:55", "00:00"}));
    EXPECT_EQ(day1->minutesOf("play:wav/busy.wav"),
              (Times{"23:34", "23:38", "23:42", "23:46", "23:50", "23:54", "23:58"}));

    const auto day30 = run(kDay30, 100);
    EXPECT_EQ(day30->minutesOf("play:wav/activity.wav"),
              (Times{"23:31", "23:36", "23:41", "23:46", "23:51", "23:56"}));
    EXPECT_EQ(day30->minutesOf("play:wav/busy.wav"),
              (Times{"23:31", "23:35", "23:39", "23:43", "23:47", "23:51", "23:55", "23:59"}));
}

// A month idle wraps the fan's count again and again. A transmission on day 30 still runs the
// fan for FanTime minutes after it, as on day 1; so does a run-on longer than the wrap.
TEST(MonthCounters, FanAfterAMonthIdle) {
    for (const std::int16_t fanTime : {2, 40}) {
        SCOPED_TRACE(fanTime);
        Settings s = quietNode();
        s.FanRts = 1;
        s.FanTime = fanTime;
        // The fan's line changes for the transmission at 00:05 (a long FanTime also runs the fan
        // on after start-up, which is over by then).
        const auto run = [&](int day, int fanSeconds) {
            MonthRig rig(day, s);
            rig.station->state().FanSeconds = fanSeconds;
            rig.callAtLocal(rig.at(0, 5), [&rig] { rig.station->press("CMDTime"); });
            rig.runUntil(0, 50);
            std::vector<std::string> fan = rig.timedEvents("rts");
            if (fan.size() > 2)
                fan.erase(fan.begin(), fan.end() - 2);
            return std::make_pair(rig.timedEvents("ptt"), fan);
        };
        const auto [ptt, fan] = run(1, 500);
        ASSERT_EQ(ptt.size(), 2u);
        ASSERT_EQ(fan.size(), 2u);
        EXPECT_EQ(fan[0].substr(13), "rts:on");
        EXPECT_NEAR(secondsOf(fan[0]) - secondsOf(ptt[0]), 0.5, 0.5);
        // Off at the first tick more than FanTime minutes after the transmitter was last seen on.
        const double runOn = secondsOf(fan[1]) - secondsOf(ptt[1]);
        EXPECT_GT(runOn, fanTime * 60);
        EXPECT_LE(runOn, fanTime * 60 + 1);
        EXPECT_EQ(run(kDay30, 1999), std::make_pair(ptt, fan));
    }
}

// The weather refresh every second minute and the alerts every WxWarnMinutes go on with their
// counts at any value they can hold.
TEST(MonthCounters, WeatherRefreshAndAlerts) {
    Settings s = quietNode();
    s.WxUrl = std::string(VOXCLOCK_TEST_DATA) + "/weather/wxex/";
    s.WxWarnEnabled = 1;
    s.WxWarnMinutes = 20;
    const auto run = [&](int day, int warnTicks) {
        auto rig = std::make_unique<MonthRig>(day, s);
        rig->station->weatherAlerts().WxWarnTicks = warnTicks;
        // Each minute: was wx.txt written since the last look?
        auto renewed = std::make_shared<Times>();
        const std::string wx = rig->folderPath("wx.txt");
        for (int m = 31; m <= 30 + 60; ++m) {
            rig->callAtLocal(rig->at((23 + m / 60) % 24, m % 60, 30), [renewed, wx, m] {
                const std::string text = readFile(wx);
                if (!text.empty() && text != "stale") {
                    char hhmm[8];
                    std::snprintf(hhmm, sizeof hhmm, "%02d:%02d", (23 + m / 60) % 24, m % 60);
                    renewed->push_back(hhmm);
                }
                std::ofstream(wx, std::ios::trunc) << "stale";
            });
        }
        rig->runUntil(0, 31);
        return std::make_pair(*renewed, rig->minutesOf("speak:<xml><xml>Attention Please."));
    };
    const auto [day1Refresh, day1Alerts] = run(1, 0);
    EXPECT_EQ(day1Refresh.size(), 30u);
    EXPECT_EQ(day1Alerts, (Times{"23:50", "00:10", "00:30"}));
    const auto [day30Refresh, day30Alerts] = run(kDay30, 32767);
    EXPECT_EQ(day30Refresh, day1Refresh);
    // Overdue at once, then every 20 minutes.
    EXPECT_EQ(day30Alerts, (Times{"23:31", "23:51", "00:11"}));
}

// The clock-driven schedule across the year's end: the auto-connect window over midnight, the
// hourly time, and quiet hours, at the same minutes on day 30 as on day 1.
TEST(MonthCounters, ScheduleAcrossTheYearsEnd) {
    Settings s = quietNode();
    s.TimeHour = 1;
    s.QuietStart = "00:30";
    s.QuietStop = "00:40";
    s.WxNodeCall = "W one A W";
    RemoteNode& net = s.RemoteNodes[0];
    net.Node = "W1AW-L";
    net.Auto = 1;
    net.Slot1Start = "23:40";
    net.Slot1Stop = "00:20";
    net.Delay = 10;
    net.Daily = 1;
    const auto run = [&](int day) {
        MonthRig rig(day, s);
        rig.runUntil(0, 45);
        std::vector<std::string> out;
        for (const std::string& e : rig.timedEvents())
            for (const char* kind :
                 {" connect:", " disconnect:", " speak:The time is", " speak:<xml>Voxclock"})
                if (e.find(kind) == 12)
                    out.push_back(e);
        return out;
    };
    const std::vector<std::string> day1 = run(1);
    EXPECT_EQ(day1, (std::vector<std::string>{
                        "23:40:07.000 connect:W1AW-L",
                        "00:00:00.500 speak:The time is 12 o'clock eh m.",
                        "00:21:07.000 disconnect:W1AW-L",
                        "00:30:07.500 speak:<xml>Voxclock will go into sleep mode in 1 minute! "
                        "This is W one A W</xml>",
                        "00:41:07.500 speak:<xml>Voxclock is now Awake! This is W one A W</xml>",
                    }));
    EXPECT_EQ(run(kDay30), day1);
}

}  // namespace
}  // namespace vox
