// The home weather station: each station type against its sample folder, the rules that decide a
// sentence, and what a radio user hears when the readings are not there.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>

#include "core/base/text_helpers.h"
#include "tests/core/weather/weather_rig.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

const std::string kSpelled = "<spell>W</spell> <spell>1</spell> <spell>A</spell> <spell>W</spell> ";
const std::string kVwsSorry =
    "<xml>Sorry, the readings from the local weather station are currently not available. Please "
    "try again in a few minutes. This is W one A W.</xml>\r\n";
const std::string kFreeWxSorry =
    "say <xml>Sorry, the local weather readings are currently not available. Please try again in "
    "a few minutes. This is W one A W.</xml>";

void setLocalWriteTime(const std::string& path, const LocalTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_isdst = -1;
    const auto system = std::chrono::system_clock::from_time_t(std::mktime(&tm));
    fs::last_write_time(path, std::chrono::file_clock::from_sys(system));
}

std::string vwsReport(const std::string& wind, const std::string& dewAndSeason) {
    return "<xml>These are the weather conditions from the weather station at " + kSpelled +
           ", recorded at 15:45. The temperature is 78 degrees. Relative humidity is 48 percent. " +
           wind + "The barometric pressure is 30.01 inches. " + dewAndSeason +
           "Rain fall for today was 0.02 inches and the total rainfall for the year was 12.43 "
           "inches. This is W one A W.</xml>\r\n";
}

const std::string kGusty =
    "The wind is from the West South West at 12 miles per hour, with gusts to 21 miles per hour. ";

TEST(VwsStation, EachTypeAgainstItsSampleWithTheMonthRule) {
    const std::string summer = "The dew point is 57 degrees. The heat index is 79 degrees. ";
    const std::string winter = "The dew point is 57 degrees. The wind chill factor is 78 degrees. ";
    const struct {
        std::int16_t type;
        const char* folder;
        int month;
        std::string text;
    } cases[] = {
        {0, "vws0", 7, vwsReport(kGusty, summer)}, {0, "vws0", 1, vwsReport(kGusty, winter)},
        {2, "vws2", 3, vwsReport(kGusty, winter)}, {2, "vws2", 4, vwsReport(kGusty, summer)},
        {0, "vws0", 9, vwsReport(kGusty, summer)}, {0, "vws0", 10, vwsReport(kGusty, winter)},
        {3, "vws3", 7, vwsReport(kGusty, "")},     {3, "vws3", 1, vwsReport(kGusty, "")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " month " + std::to_string(c.month));
        WeatherRig rig({2026, c.month, 5, 15, 50, 0});
        rig.settings.WxStationType = c.type;
        rig.settings.LocalWxFile = weatherSample(c.folder) + "/";
        rig.station.ReadVwsDaily();
        EXPECT_EQ(rig.read("wxlocal.txt"), c.text);
    }
}

TEST(VwsStation, CalmWindTooFewFieldsAndNoStationFolder) {
    const struct {
        const char* what;
        std::string record;  // the last line of daily.txt
        std::string text;
    } cases[] = {
        {"calm: no gust clause", "15:45 250 48 0 78 12.43 30.01 57 78 79 15 0.02",
         vwsReport("The wind is calm. ",
                   "The dew point is 57 degrees. The heat index is 79 degrees. ")},
        {"no gust", "15:45 250 48 12 78 12.43 30.01 57 78 79 0 0.02",
         vwsReport("The wind is from the West South West at 12 miles per hour. ",
                   "The dew point is 57 degrees. The heat index is 79 degrees. ")},
        {"too few fields", "15:45 250 48 12 78 12.43 30.01 57 78 79", kVwsSorry},
        {"empty file", "", kVwsSorry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WeatherRig rig;
        rig.settings.LocalWxFile = rig.path("Station");
        rig.write("Station/DAILY.TXT",
                  c.record.empty() ? "" : "Time Dir Hum\r\n" + c.record + "\r\n");
        rig.station.ReadVwsDaily();
        EXPECT_EQ(rig.read("wxlocal.txt"), c.text);
    }

    WeatherRig rig;
    rig.settings.LocalWxFile = rig.path("nowhere") + "/";
    rig.station.ReadVwsDaily();
    EXPECT_EQ(rig.read("wxlocal.txt"), kVwsSorry);
}

TEST(VwsStation, SpeakLocalWxPlaysWhatThereIsOrSaysSorry) {
    WeatherRig rig;
    rig.settings.LocalWxFile = "";
    rig.station.ReadVwsDaily();  // no station: nothing written
    EXPECT_FALSE(fs::exists(rig.path("wxlocal.txt")));
    rig.station.SpeakLocalWx();
    EXPECT_EQ(rig.transcript(),
              (std::vector<std::string>{"ptt on", "say " + ReplaceAll(kVwsSorry, "\r\n", ""),
                                        "ptt off"}));

    rig.lines.clear();
    rig.write("wxlocal.txt", "<xml>an older reading</xml>\r\n");
    rig.station.SpeakLocalWx();
    EXPECT_EQ(rig.transcript(),
              (std::vector<std::string>{"ptt on", "play wxlocal.txt", "ptt off"}));

    // Keying fails: the transmitter is released and the sorry sentence follows.
    rig.lines.clear();
    rig.command("fail SetPtt 1");
    rig.station.SpeakLocalWx();
    EXPECT_FALSE(rig.speech.pttHeld());
    const auto t = rig.transcript();
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.back(), "ptt off");
    EXPECT_EQ(rig.linesWith("Sorry, the readings").size(), 1u);
}

const std::string kShortReport =
    "\r\n<xml>\r\nCurrent weather station readings at 3:45pm. The temperature is 78.4 degrees. "
    "Relative humidity is 48 percent. The wind is from the West South West at 12 miles per hour, "
    "with gusts to 21 miles per hour. The barometric pressure is 30.01 inches and Steady. This is "
    "W one A W.\r\n</xml>\r\n\r\n";

TEST(FreeWxStation, ShortReadingFromTheSampleAndItsTimes) {
    WeatherRig rig;
    rig.settings.WxStationType = 1;
    rig.settings.LocalWxFile = weatherSample("freewx") + "/";
    rig.station.ReadFreeWxShort(true);
    EXPECT_EQ(rig.read("wxlocalshort.txt"), kShortReport);
    EXPECT_EQ(rig.transcript(),
              (std::vector<std::string>{"ptt on", "play wxlocalshort.txt", "ptt off"}));

    const std::string sample = readFile(weatherSample("freewx/freewx.dat"));
    for (auto [time, spoken] : {std::pair<const char*, const char*>{"12:40", "12:40pm"},
                                {"00:40", "12:40am"},
                                {"09:05", "09:05am"},
                                {"9:05", "9:05am"}}) {
        WeatherRig r;
        r.settings.LocalWxFile = r.path("fw");
        r.write("fw/freewx.dat", ReplaceAll(sample, ",15:45,", std::string(",") + time + ","));
        r.station.ReadFreeWxShort(false);
        EXPECT_NE(r.read("wxlocalshort.txt").find(std::string("readings at ") + spoken + ". "),
                  std::string::npos)
            << time;
        EXPECT_TRUE(r.transcript().empty());
    }
}

// The sample's full reading with some fields replaced.
std::string fullRecord(std::vector<std::pair<int, std::string>> fields) {
    std::vector<std::string> f = {""};
    const std::string line = ReplaceAll(readFile(weatherSample("freewx/freedata.txt")), "\r\n", "");
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
        f.push_back(line.substr(start, comma - start));
    f.push_back(line.substr(start));
    for (auto& [n, value] : fields)
        f[static_cast<std::size_t>(n)] = value;
    std::string out;
    for (std::size_t n = 1; n < f.size(); ++n)
        out += (n > 1 ? "," : "") + f[n];
    return out;
}

TEST(FreeWxStation, FullReadingRules) {
    const std::string head =
        "\r\n<xml>\r\nThese are the current readings from the weather station at " + kSpelled +
        ", recorded on June 5 at 3:45PM. ";
    const struct {
        const char* what;
        std::vector<std::pair<int, std::string>> fields;
        bool dayLog;
        std::vector<std::string> has, hasNot;
    } cases[] = {
        {"the sample",
         {},
         true,
         {head +
          "The temperature is 78.4 degrees. Relative humidity is 48 percent. The barometric "
          "pressure is 30.01 inches and steady. The wind is West South West at 12 miles per "
          "hour. Average wind speed for the last 10 minutes was 9 miles per hour. Maximum "
          "gust measured was 24 miles per hour at 3:02pm. The dew point is 57.2 degrees. The "
          "heat index is 79.1 degrees. Current rain fall rate is 0.00 inches per hour. Total "
          "rain today was 0.02 inches, and total rainfall for the year is 12.41 inches. "
          "Today's minimum temperature was 61.5 degrees at 05:40am and the maximum "
          "temperature was 81.2 degrees at 2:52pm. This is W one A W.\r\n</xml>\r\n\r\n"},
         {}},
        {"50 F", {{1, "50"}}, true, {"The wind chill factor is 78.4 degrees. "}, {"heat index"}},
        {"51 F", {{1, "+51"}}, true, {}, {"heat index", "wind chill"}},
        {"52 F", {{1, "52"}}, true, {"The heat index is 79.1 degrees. "}, {"wind chill"}},
        {"no chill or heat given", {{1, "40"}, {9, ""}}, true, {}, {"wind chill"}},
        {"gust 0", {{25, "0"}}, true, {}, {"Maximum gust", "3:02pm"}},
        {"no day log",
         {{20, "41"}, {19, "63"}},
         false,
         {"Maximum gust measured was 24 miles per hour. ",
          "Today's minimum temperature was 41 degrees at  and the maximum temperature was 63 "
          "degrees at . "},
         {}},
        {"trend 3", {{6, "3"}}, true, {"The barometric pressure is 30.01 inches and . "}, {}},
        {"trend 0", {{6, "0"}}, true, {"inches and falling. "}, {}},
        {"calm", {{10, "0"}}, true, {"The wind is calm. Average wind speed"}, {"West"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WeatherRig rig;
        rig.settings.LocalWxFile = rig.path("fw");
        rig.write("fw/freedata.txt", fullRecord(c.fields) + "\r\nsecond line\r\n");
        setLocalWriteTime(rig.path("fw/freedata.txt"), {2026, 6, 5, 15, 45, 0});
        if (c.dayLog)
            rig.write("fw/FreeWtDay.log", readFile(weatherSample("freewx/freewtday.log")));
        rig.station.ReadFreeWxFull(false);
        const std::string text = rig.read("wxlocal.txt");
        for (const std::string& part : c.has)
            EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
        for (const std::string& part : c.hasNot)
            EXPECT_EQ(text.find(part), std::string::npos) << part << "\n" << text;
        EXPECT_TRUE(rig.transcript().empty());
    }
}

TEST(FreeWxStation, FailuresAreSilentOnTheTimerAndSorryOnRequest) {
    const struct {
        const char* what;
        const char* file;
        std::string content;
        bool full;
    } cases[] = {
        {"short: too few fields", "freewx.dat", "06/05/2026,1,15:45,+78.4\r\n", false},
        {"short: no file", "", "", false},
        {"full: temperature is text", "freedata.txt", fullRecord({{1, "n/a"}}), true},
        {"full: too few fields", "freedata.txt", "78,48,1016\r\n", true},
        {"full: short day log", "freewtday.log", "06/05/2026,+81.2,14:52\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WeatherRig rig;
        rig.settings.WxStationType = 1;
        rig.settings.LocalWxFile = rig.copySample("freewx", "fw");
        fs::remove(rig.path("fw/freewx.dat"));
        if (*c.file)
            rig.write(std::string("fw/") + c.file, c.content);
        const char* written = c.full ? "wxlocal.txt" : "wxlocalshort.txt";
        rig.write(written, "previous");

        rig.timers[TimerName::tFreeWx].setEnabled(true);
        rig.run(61);
        rig.timers[TimerName::tFreeWx].setEnabled(false);
        EXPECT_EQ(rig.read(written), "previous");
        EXPECT_TRUE(rig.transcript().empty());

        if (c.full)
            rig.station.ReadFreeWxFull(true);
        else
            rig.station.ReadFreeWxShort(true);
        EXPECT_EQ(rig.transcript(), (std::vector<std::string>{"ptt on", kFreeWxSorry, "ptt off"}));
        EXPECT_EQ(rig.read(written), "previous");
    }
}

}  // namespace
}  // namespace vox
