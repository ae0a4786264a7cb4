// Every file of the broken-samples folder fed to every weather reader: no crash, the failure path
// the reader has, the transmitter released, and the next good file read again.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/core/weather/weather_rig.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> brokenSamples() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(weatherSample("broken")))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(BrokenSamples, TheObservationRecordFailsAndTheNextGoodFileIsReadAgain) {
    ASSERT_GE(brokenSamples().size(), 8u);
    for (const fs::path& sample : brokenSamples()) {
        SCOPED_TRACE(sample.filename().string());
        WeatherRig rig;
        rig.settings.WxUrl = rig.copySample("wxex", "wxex");
        fs::copy_file(sample, rig.path("wxex/csv/data.csv"), fs::copy_options::overwrite_existing);
        rig.write("wx.txt", "previous");

        rig.exchange.UpdateWeatherExchange();
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "ERROR Getting WX Info!");
        EXPECT_EQ(rig.read("wx.txt"), "previous");
        const std::string errors = rig.read("WxError.txt");
        EXPECT_NE(errors.find("\r\nConditions Running\r\n"), std::string::npos);
        EXPECT_LT(errors.size(), 20000u) << "a long token is cut in the record";
        EXPECT_TRUE(rig.transcript().empty());

        rig.write("wxex/csv/data.csv", readFile(weatherSample("wxex/csv/data.csv")));
        rig.exchange.UpdateWeatherExchange();
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "Weather Retrieved OK");
    }
}

TEST(BrokenSamples, TheOtherReadersGiveTheirOwnOutcome) {
    const std::string vwsSorry =
        "<xml>Sorry, the readings from the local weather station are currently not available. "
        "Please try again in a few minutes. This is W one A W.</xml>\r\n";
    for (const fs::path& sample : brokenSamples()) {
        SCOPED_TRACE(sample.filename().string());
        WeatherRig rig;
        rig.settings.WxUrl = rig.path("wxex") + "/";
        rig.settings.LocalWxFile = rig.path("station") + "/";
        for (const char* name : {"daily.txt", "freewx.dat", "freedata.txt", "freewtday.log"})
            rig.write(std::string("station/") + name, readFile(sample.string()));
        rig.write("wxex/data/warning.txt", readFile(sample.string()));
        rig.write("wxex/data/metar.txt", readFile(sample.string()));

        for (std::int16_t type : {0, 2, 3}) {
            rig.settings.WxStationType = type;
            rig.station.ReadVwsDaily();
            EXPECT_EQ(rig.read("wxlocal.txt"), vwsSorry) << type;
        }
        // FreeWx takes any line with enough commas as a reading: a report or the sorry sentence.
        rig.settings.WxStationType = 1;
        rig.station.ReadFreeWxShort(true);
        rig.station.ReadFreeWxFull(true);
        rig.alerts.AnnounceWeatherAlerts(false);
        const std::vector<std::string> t = rig.transcript();
        ASSERT_EQ(t.size(), 9u);
        for (std::size_t i = 0; i < t.size(); i += 3) {
            EXPECT_EQ(t[i], "ptt on");
            EXPECT_EQ(t[i + 2], "ptt off");
        }
        EXPECT_NE(t[7].find("There are no current weather alerts"), std::string::npos);
        EXPECT_FALSE(rig.speech.pttHeld());

        // A forecast file of these bytes gives a forecast or the not-available sentence.
        rig.settings.WxUrl = rig.copySample("wxex", "good");
        rig.write("good/data/metar.txt", readFile(sample.string()));
        rig.exchange.UpdateWeatherExchange();
        EXPECT_EQ(rig.read("wx.txt"), readFile(weatherSample("golden/wx_imperial.txt")));
        const std::string fc = rig.read("wxfc.txt");
        EXPECT_EQ(fc.rfind("<xml>", 0), 0u) << fc;
    }
}

}  // namespace
}  // namespace vox
