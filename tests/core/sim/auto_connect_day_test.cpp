// A simulated evening and night of the weekly auto-connect schedule, through the whole program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/settings/settings_file.h"
#include "core/sim/dry_run.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

class AutoConnectDay : public ::testing::Test {
protected:
    TempFolder temp;
    const std::filesystem::path root{temp.path};
};

// "HH:MM connect CALL" for every connect and disconnect the station asked of the node.
std::vector<std::string> requests(const std::string& airLog) {
    static const std::regex kLine(
        R"re("t":"\d{4}-\d\d-\d\dT(\d\d:\d\d):\d\d\.\d{3}","ev":"(connect|disconnect)","call":"([^"]*)")re");
    std::vector<std::string> out;
    std::istringstream in(airLog);
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_search(line, m, kLine))
            out.push_back(m[1].str() + " " + m[2].str() + " " + m[3].str());
    }
    return out;
}

TEST_F(AutoConnectDay, TwoScheduledNodesConnectAndDropAtTheirMinutes) {
    Settings s;
    s.SoundDevice = 0;
    s.CwIdEnabled = 0;
    RemoteNode& net = s.RemoteNodes[0];  // the evening net, every day
    net.Node = "W1AW-L";
    net.Auto = 1;
    net.Slot1Start = "19:00";
    net.Slot1Stop = "20:30";
    net.Delay = 10;
    net.Daily = 1;
    RemoteNode& night = s.RemoteNodes[1];  // a link across midnight
    night.Node = "K1ABC-R";
    night.Auto = 1;
    night.Slot2Start = "22:00";
    night.Slot2Stop = "06:00";
    night.Delay = 10;
    night.Daily = 1;
    RemoteNode& off = s.RemoteNodes[2];  // scheduled, but not today (a Thursday)
    off.Node = "N2XYZ";
    off.Auto = 1;
    off.Slot1Start = "18:30";
    off.Slot1Stop = "19:30";
    off.Delay = 10;
    off.Mon = 1;
    const std::string home = (root / "home").string();
    std::filesystem::create_directories(home);
    ASSERT_TRUE(SettingsFile(home + "/voxclock.ini").write(s));
    // A user drops the net by hand at 19:45: the next tick connects it again.
    const std::string events = (root / "day.events").string();
    std::ofstream(events) << "19:45:30 disconnect W1AW-L\n";

    std::ostringstream out, err;
    ASSERT_EQ(runDryRun({home, "2026-12-10 18:00:00", "2026-12-11 07:00:00", events}, out, err), 0)
        << err.str();
    EXPECT_EQ(requests(out.str()), (std::vector<std::string>{
                                       "19:00 connect W1AW-L",
                                       "19:46 connect W1AW-L",
                                       "20:31 disconnect W1AW-L",
                                       "22:00 connect K1ABC-R",
                                       "06:01 disconnect K1ABC-R",
                                   }));
}

}  // namespace
}  // namespace vox
