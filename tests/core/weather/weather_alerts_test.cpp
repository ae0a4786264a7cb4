// Weather alerts: what a radio user hears on request, what the timer announces, and the mended
// limit of ten.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/text_helpers.h"
#include "tests/core/weather/weather_rig.h"

namespace vox {
namespace {

const std::string kNone =
    "say <xml><xml>There are no current weather alerts or warnings for the local area. This is W "
    "one A W.</xml></xml>";
const std::string kOpening =
    "<xml><xml>Attention Please. There are current weather alerts or warnings for the local area,";
const std::string kClosing =
    " Please tune to your local weather radio for details. This is W one A W.</xml></xml>";

std::string alert(const std::string& description) {
    return "WarningDesc:" + description + "\r\nWarningDate:Until 8:00 AM\r\nWarningSum:Details\r\n";
}

// What one request said, without the keying around it.
std::vector<std::string> said(const WeatherRig& rig) {
    std::vector<std::string> out;
    for (const std::string& line : rig.transcript())
        if (line.rfind("say ", 0) == 0)
            out.push_back(line);
    return out;
}

TEST(WeatherAlerts, WhatARequestAndTheTimerSay) {
    const struct {
        const char* what;
        std::string file;  // empty: no alert file
        std::string dtmf;  // what a request says
        bool timerSpeaks;
    } cases[] = {
        {"no alert file", "", kNone, false},
        {"no description line", "[Warnings]\r\nWarningDate:x\r\n", kNone, false},
        {"two alerts", alert("Flood Watch") + alert("Wind Advisory"),
         "say " + kOpening + " including:  a Flood Watch.  a Wind Advisory. " + kClosing, true},
        {"an empty description counts but says nothing", alert("") + alert("Wind Advisory"),
         "say " + kOpening + " including:  a Wind Advisory. " + kClosing, true},
        {"only empty descriptions", alert("") + alert(""), "say " + kOpening + kClosing, true},
        {"a missing date skips past the next description",
         "WarningDesc:A\r\nWarningSum:x\r\n" + alert("B") + alert("C"),
         "say " + kOpening + " including:  a A.  a C. " + kClosing, true},
        {"markup in a description is read as text", alert("<silence msec=\"9999\"/>Fog"),
         "say " + kOpening + " including:  a &lt;silence msec=&quot;9999&quot;/&gt;Fog. " +
             kClosing,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WeatherRig rig;
        rig.settings.WxUrl = rig.path("wxex") + "/";
        if (!c.file.empty())
            rig.write("wxex/data/warning.txt", c.file);
        rig.alerts.AnnounceWeatherAlerts(false);
        EXPECT_EQ(said(rig), std::vector<std::string>{c.dtmf});
        EXPECT_FALSE(rig.speech.pttHeld());

        rig.lines.clear();
        rig.alerts.AnnounceWeatherAlerts(true);
        EXPECT_EQ(said(rig).size(), c.timerSpeaks ? 1u : 0u);
        EXPECT_TRUE(rig.transcript().empty() || c.timerSpeaks) << "the timer keys nothing";
    }
}

TEST(WeatherAlerts, VoiceTypeAndClosingText) {
    WeatherRig rig;
    rig.settings.WxUrl = weatherSample("wxex") + "/";
    rig.settings.VoiceTypeAtt = 1;
    rig.write("info/WxWarn.txt", "Listen to NOAA Weather Radio on 162.475.\r\nsecond line\r\n");
    rig.alerts.AnnounceWeatherAlerts(false);
    EXPECT_EQ(said(rig),
              std::vector<std::string>{
                  "say <xml><xml>Attention Please. There are currently weather alerts or warnings "
                  "for the local area, including:  a Flood Watch.  a Wind Advisory.  Listen to "
                  "NOAA Weather Radio on 162.475. This is W one A W.</xml></xml>"});
}

TEST(WeatherAlerts, TwelveAlertsReadTheFirstTenAndLogTheRest) {
    WeatherRig rig;
    rig.settings.WxUrl = rig.path("wxex") + "/";
    std::string file, expected = "say " + kOpening + " including: ";
    for (int i = 1; i <= 12; ++i) {
        file += alert("Alert " + std::to_string(i));
        if (i <= 10)
            expected += " a Alert " + std::to_string(i) + ". ";
    }
    rig.write("wxex/data/warning.txt", file);
    rig.alerts.AnnounceWeatherAlerts(true);
    EXPECT_EQ(said(rig), std::vector<std::string>{expected + kClosing});
    EXPECT_EQ(rig.logged,
              std::vector<std::string>{"Weather alerts: 2 more than the 10 read were left out"});
    EXPECT_FALSE(std::filesystem::exists(rig.path("WxError.txt")));
}

TEST(WeatherAlerts, AnUnreadableFileIsRecordedAndNothingSaid) {
    WeatherRig rig;
    rig.settings.WxUrl = rig.path("wxex") + "/";
    std::filesystem::create_directories(rig.path("wxex/data/warning.txt/"));  // a folder
    rig.alerts.AnnounceWeatherAlerts(false);
    // A folder in the file's place is no alert file: the request is answered.
    EXPECT_EQ(said(rig), std::vector<std::string>{kNone});

    WeatherRig big;
    big.settings.WxUrl = big.path("wxex") + "/";
    big.write("wxex/data/warning.txt", std::string(9 * 1024 * 1024, 'x'));
    big.alerts.AnnounceWeatherAlerts(false);
    EXPECT_TRUE(big.transcript().empty());
    EXPECT_EQ(big.read("WxError.txt"),
              "================= Beginning of Data ===============================\r\n"
              "6/5/2026 3:50:00 PM\r\nError in GetWarnings Subroutine\r\n"
              "===================================================================\r\n");
}

TEST(WeatherAlerts, TimerAnnouncesEveryWxWarnMinutesWhileEnabled) {
    const struct {
        std::int16_t enabled, minutes;
        int announcements;  // in 60 minutes
    } cases[] = {{1, 20, 3}, {1, 0, 60}, {1, -5, 60}, {0, 20, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.minutes);
        WeatherRig rig;
        rig.settings.WxUrl = weatherSample("wxex") + "/";
        rig.settings.WxWarnEnabled = c.enabled;
        rig.settings.WxWarnMinutes = c.minutes;
        rig.timers[TimerName::tWxWarn].setEnabled(true);
        rig.run(3600 + 30);
        EXPECT_EQ(static_cast<int>(said(rig).size()), c.announcements);
        EXPECT_FALSE(rig.speech.pttHeld());
    }
}

}  // namespace
}  // namespace vox
