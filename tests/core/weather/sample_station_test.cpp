// The way to try the weather that docs/weather.md gives: the settings beside the samples reach
// them from a copy of that folder, and the events file is one the simulator takes.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings/settings_file.h"
#include "core/sim/events_file.h"
#include "tests/core/weather/weather_rig.h"

namespace vox {
namespace {

TEST(SampleStation, TheSettingsBesideTheSamplesReachThemFromACopy) {
    WeatherRig rig;
    Settings settings;
    ASSERT_TRUE(SettingsFile(weatherSample("voxclock.ini")).read(settings).ok);
    rig.settings = settings;
    rig.settings.TxDelaySeconds = 0;
    for (const char* folder : {"wxex", "vws0"})
        rig.copySample(folder, folder);

    rig.exchange.getWeatherNow();
    EXPECT_EQ(rig.read("wx.txt"), readFile(weatherSample("golden/wx_imperial.txt")));
    EXPECT_EQ(rig.read("wxfc.txt"), readFile(weatherSample("golden/wxfc_imperial.txt")));
    EXPECT_EQ(rig.read("wxlocal.txt").rfind("<xml>These are the weather conditions from", 0), 0u);

    std::vector<TimedCommand> commands;
    std::string error;
    ASSERT_TRUE(parseEventsFile(readFile(weatherSample("try.events")), {2026, 6, 5, 15, 40, 0},
                                &commands, &error))
        << error;
    EXPECT_EQ(commands.size(), 4u);
}

}  // namespace
}  // namespace vox
