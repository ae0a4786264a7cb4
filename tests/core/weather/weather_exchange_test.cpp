// Weather Exchange's files into wx.txt and wxfc.txt: the sample folder against golden files, the
// forecast's day rules, the failure record, the two-minute refresh and WxError.txt's growth.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/text_helpers.h"
#include "core/weather/wx_error_file.h"
#include "tests/core/weather/weather_rig.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

const char* const kOk = "Weather Retrieved OK";
const char* const kError = "ERROR Getting WX Info!";
const char* const kNotAvailable = "<xml>The forecast is currently not available.</xml>\r\n";

TEST(WeatherExchange, SampleFolderGivesTheGoldenFilesInBothUnits) {
    for (const bool metric : {false, true}) {
        SCOPED_TRACE(metric);
        WeatherRig rig;
        rig.settings.WxIsMetric = metric ? 1 : 0;
        rig.exchange.UpdateWeatherExchange();
        const std::string units = metric ? "metric" : "imperial";
        EXPECT_EQ(rig.read("wx.txt"), readFile(weatherSample("golden/wx_" + units + ".txt")));
        EXPECT_EQ(rig.read("wxfc.txt"), readFile(weatherSample("golden/wxfc_" + units + ".txt")));
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), kOk);
        EXPECT_FALSE(fs::exists(rig.path("WxError.txt")));
        EXPECT_TRUE(rig.transcript().empty()) << "nothing is spoken";
    }
}

const std::string kDay1 =
    "Day:1\r\nDayShort:Fri\r\nDayFull:Friday\r\nIcon:x\r\nHigh:81\r\n"
    "Precip:20\r\nLow:62\r\nHumid:55\r\nConds:Partly Cloudy\r\n";
const std::string kDay2 =
    "Day:2\r\nDayShort:Sat\r\nDayFull:Saturday\r\nIcon:x\r\nHigh:-5\r\n"
    "Precip:60\r\nLow:-12\r\nHumid:70\r\nConds:Snow\r\n";
const std::string kDay3 =
    "Day:3,DayShort:Sun,DayFull:Sunday,Icon:x,High:40,Precip:10,Low:28,"
    "Humid:50,Conds:T-storms then T-storms\r\n";

TEST(WeatherExchange, ForecastDays) {
    const struct {
        const char* what;
        std::string metar;  // empty: no forecast file at all
        bool metric;
        std::string wxfc;   // "previous" when the file keeps its content
        std::string stage;  // the record appended to WxError.txt, if any
    } cases[] = {
        {"three days: the two missing ones are left out",
         "METAR:\r\nFORECAST:\r\n" + kDay1 + kDay2 + kDay3, false,
         "<xml>This is the local area Forecast for Boston Harbor.\r\n"
         "Friday, Partly Cloudy with a high of 81 degrees and a low of 62 degrees.\r\n"
         "Saturday, Snow with a high of minus 5 degrees and a low of minus 12 degrees.\r\n"
         "Sunday, Thunder Storms then T-storms with a high of 40 degrees and a low of 28 "
         "degrees.\r\n"
         "This is W one A W.</xml>\r\n",
         ""},
        {"three days in metric: read too", "FORECAST:\r\n" + kDay1 + kDay2 + kDay3, true,
         "<xml>This is the local area Forecast for Boston Harbor.\r\n"
         "Friday, Partly Cloudy with a high of 27 degrees and a low of 17 degrees.\r\n"
         "Saturday, Snow with a high of minus 21 degrees and a low of minus 24 degrees.\r\n"
         "Sunday, Thunder Storms then T-storms with a high of 4 degrees and a low of minus 2 "
         "degrees.\r\n"
         "This is W one A W.</xml>\r\n",
         ""},
        {"no FORECAST: token", "METAR:\r\nforecast:\r\n" + kDay1, false, kNotAvailable,
         "Metar File Not Available or Forecast Data Not Available"},
        {"no forecast file", "", false, kNotAvailable,
         "Metar File Not Available or Forecast Data Not Available"},
        {"FORECAST: without a day", "FORECAST:\r\nnothing,here\r\n", false, kNotAvailable,
         "Metar File Not Available or Forecast Data Not Available"},
        // Day 1 opens the forecast: without its name the later days are not read out.
        {"day 1 without a name",
         "FORECAST:\r\n" + ReplaceAll(kDay1, "DayFull:Friday", "DayFull:") + kDay2, false,
         kNotAvailable, "Metar File Not Available or Forecast Data Not Available"},
        {"a day cut off", "FORECAST:\r\n" + kDay1 + "Day:2\r\nDayShort:Sat\r\n", false, "previous",
         "Forecast Running"},
        {"a high that is no number, metric",
         "FORECAST:\r\n" + kDay1 + ReplaceAll(kDay2, "-5", "n/a"), true, "previous",
         "Forecast Running"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WeatherRig rig;
        rig.settings.WxUrl = rig.copySample("wxex", "wxex");
        rig.settings.WxIsMetric = c.metric ? 1 : 0;
        fs::remove(rig.path("wxex/data/metar.txt"));
        if (!c.metar.empty())
            rig.write("wxex/data/metar.txt", c.metar);
        rig.write("wxfc.txt", "previous");
        rig.write("wx.txt", "previous");

        rig.exchange.UpdateWeatherExchange();
        EXPECT_EQ(rig.read("wxfc.txt"), c.wxfc);
        EXPECT_EQ(rig.read("wx.txt"), readFile(weatherSample("golden/wx_") +
                                               (c.metric ? "metric.txt" : "imperial.txt")))
            << "the conditions come first and stay written";
        const std::string errors = rig.read("WxError.txt");
        if (c.stage.empty())
            EXPECT_EQ(errors, "");
        else
            EXPECT_NE(errors.find("\r\n" + c.stage + "\r\n"), std::string::npos) << errors;
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), c.wxfc == "previous" ? kError : kOk);
    }
}

TEST(WeatherExchange, AFailedRefreshKeepsTheFilesAndAppendsItsRecord) {
    WeatherRig rig;
    rig.settings.WxUrl = rig.copySample("wxex", "WxEx");
    rig.write("WxEx/csv/data.csv", readFile(weatherSample("broken/ten_tokens.csv")));
    rig.write("wx.txt", "previous");
    rig.write("wxfc.txt", "previous");

    rig.exchange.UpdateWeatherExchange();
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), kError);
    EXPECT_EQ(rig.read("wx.txt"), "previous");
    EXPECT_EQ(rig.read("wxfc.txt"), "previous");
    std::string record = std::string(kWxBeginLine) + "\r\n6/5/2026 3:50:00 PM\r\n" +
                         "Conditions Running\r\n" + kWxCsvLine + "\r\n" +
                         "06\r\n05\r\n2026\r\nKBOS\r\n15\r\n45\r\nEDT\r\n12\r\n21\r\n250\r\n";
    for (int n = 11; n <= 39; ++n)
        record += n == 19 ? " 0 \r\n" : "\r\n";
    record += std::string(kWxRuleLine) + "\r\n\r\n\r\n\r\n\r\n\r\n" + kWxEndLine + "\r\n";
    EXPECT_EQ(rig.read("WxError.txt"), record);
    EXPECT_EQ(rig.logged.size(), 1u);

    // Mended, the next refresh works again.
    rig.write("WxEx/csv/data.csv", readFile(weatherSample("wxex/csv/data.csv")));
    rig.exchange.UpdateWeatherExchange();
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), kOk);
    EXPECT_EQ(rig.read("wx.txt"), readFile(weatherSample("golden/wx_imperial.txt")));
}

TEST(WeatherExchange, RefreshesEverySecondTickAndReadsTheStationAfterwards) {
    WeatherRig rig;
    rig.settings.LocalWxFile = weatherSample("vws0") + "/";
    rig.timers[TimerName::tWxGet].setEnabled(true);
    rig.run(61);
    EXPECT_FALSE(fs::exists(rig.path("wx.txt")));
    EXPECT_EQ(rig.exchange.WxGetTicks, 1);
    rig.run(60);
    EXPECT_TRUE(fs::exists(rig.path("wx.txt")));
    EXPECT_TRUE(fs::exists(rig.path("wxlocal.txt")));
    EXPECT_EQ(rig.exchange.WxGetTicks, 0);
    fs::remove(rig.path("wx.txt"));
    rig.run(60);
    EXPECT_FALSE(fs::exists(rig.path("wx.txt")));
    rig.run(60);
    EXPECT_TRUE(fs::exists(rig.path("wx.txt")));
}

TEST(WeatherExchange, ANodeWithoutWeatherExchangeLogsOnceAnHourAndRotatesItsRecords) {
    WeatherRig rig;
    rig.settings.WxUrl = "c:\\program files\\wxex\\";
    rig.timers[TimerName::tWxGet].setEnabled(true);
    rig.run(2 * 3600 + 30);  // 60 refreshes
    EXPECT_EQ(rig.logged.size(), 2u) << "at the first failure and an hour later";
    ASSERT_FALSE(rig.logged.empty());
    EXPECT_NE(rig.logged[0].find("Conditions Running"), std::string::npos) << rig.logged[0];
    EXPECT_NE(rig.logged[0].find("c:"), std::string::npos) << rig.logged[0];

    // Another failure is logged at once; after a success the same failure is logged again.
    rig.settings.WxUrl = rig.path("missing") + "/";
    rig.exchange.UpdateWeatherExchange();
    EXPECT_EQ(rig.logged.size(), 3u);
    rig.settings.WxUrl = weatherSample("wxex") + "/";
    rig.exchange.UpdateWeatherExchange();
    rig.settings.WxUrl = rig.path("missing") + "/";
    rig.exchange.UpdateWeatherExchange();
    EXPECT_EQ(rig.logged.size(), 4u);

    // Past 1 MB the file becomes WxError.old.txt, replacing an older one.
    const std::string big(WxErrorFile::kRotateBytes + 1, 'x');
    rig.write("WxError.txt", big);
    rig.write("WxError.old.txt", "oldest");
    rig.exchange.UpdateWeatherExchange();
    EXPECT_EQ(rig.read("WxError.old.txt"), big);
    const std::string fresh = rig.read("WxError.txt");
    EXPECT_EQ(fresh.rfind(kWxBeginLine, 0), 0u);
    EXPECT_EQ(fresh.find(kWxBeginLine, 1), std::string::npos) << "one record";
    // Below the limit it only grows.
    rig.exchange.UpdateWeatherExchange();
    EXPECT_EQ(rig.read("WxError.txt").size(), 2 * fresh.size());
    EXPECT_EQ(rig.read("WxError.old.txt"), big);
}

}  // namespace
}  // namespace vox
