#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/settings/settings_format.h"
#include "tests/core/station/station_fixture.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

const char* const kMissing =
    "The file Voxclock.Ini is Missing or Corrupted\r\n    The program will create a new INI file.";
const char* const kCreated = "New INI File Created\r\n Reconfigure your setup";

// The event log's texts, less the generated identification's line (not about the settings).
std::vector<std::string> logged(const StationRig& rig) {
    std::vector<std::string> texts;
    std::istringstream in(readFile(rig.folderPath("VoxclockLog.txt")));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string text = line.size() > 18 ? line.substr(18) : line;
        if (text.rfind("CW ID generated", 0) != 0)
            texts.push_back(text);
    }
    return texts;
}

// A settings file's text with one line changed.
std::string withLine(std::string file, int number, const std::string& text) {
    std::size_t at = 0;
    for (int n = 1; n < number; ++n)
        at = file.find("\r\n", at) + 2;
    return file.replace(at, file.find("\r\n", at) - at, text);
}

TEST(SettingsAtStartup, AFolderInPlaceOfTheSettingsFileEndsStartUpWithTheCreateError) {
    StationRig rig;
    fs::create_directory(rig.folderPath("voxclock.ini"));
    EXPECT_EQ(rig.station->start(), Station::StartOutcome::MustClose);
    EXPECT_EQ(rig.ui.texts, (std::vector<std::string>{kMissing, "Error Creating New INI File"}));
    rig.station->shutdown();
    EXPECT_FALSE(rig.nodes.state().ptt);
    EXPECT_TRUE(fs::is_directory(rig.folderPath("voxclock.ini")));
    EXPECT_FALSE(fs::exists(rig.folderPath("voxclock.ini.bad")));
}

TEST(SettingsAtStartup, AnUnreadableFileIsKeptAndTheEventLogSaysSo) {
    StationRig rig;
    const std::string handEdited = readFile(VOXCLOCK_TEST_DATA "/settings/hand_edited.ini");
    rig.touch("voxclock.ini", handEdited);
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);

    EXPECT_EQ(rig.ui.texts, (std::vector<std::string>{kMissing, kCreated}));
    EXPECT_EQ(readFile(rig.folderPath("voxclock.ini.bad")), handEdited);
    EXPECT_EQ(readFile(rig.folderPath("voxclock.ini")), newSettingsFileText());
    EXPECT_EQ(rig.station->settings(), Settings{});
    EXPECT_EQ(logged(rig), std::vector<std::string>{
                               "Unreadable settings kept as voxclock.ini.bad (line 33: \"15 "
                               "minutes\" is not a number in range)"});
}

TEST(SettingsAtStartup, AVoxclockIniCopiedFromWindowsIsReadAndWrittenBackUnderItsName) {
    StationRig rig;
    // The first sound device: the virtual voice has only that one.
    rig.touch("Voxclock.ini",
              withLine(readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini"), 16, " 0 "));
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    EXPECT_TRUE(rig.ui.texts.empty());
    EXPECT_EQ(rig.station->settings().DtmfLock, "ABCD");
    EXPECT_TRUE(rig.station->panel().checked("cbHour"));

    rig.station->settings().DtmfLock = "DCBA";
    rig.station->shutdown();
    EXPECT_TRUE(rig.ui.texts.empty());
    EXPECT_FALSE(fs::exists(rig.folderPath("voxclock.ini")));
    std::istringstream written(readFile(rig.folderPath("Voxclock.ini")));
    Settings back;
    ASSERT_TRUE(parseSettingsFile(written, back));
    EXPECT_EQ(back.DtmfLock, "DCBA");
    EXPECT_EQ(back.WxArea, rig.station->settings().WxArea);
}

TEST(SettingsAtStartup, TheTransmitDelayIsHeldToTenSeconds) {
    const struct {
        const char* inFile;
        double used;
        std::optional<std::string> logLine;
    } cases[] = {
        {" 3600 ", 10, "TxDelaySeconds 3600 out of range: using 10"},
        {" 1E+308 ", 10, "TxDelaySeconds 1e+308 out of range: using 10"},
        {"-1 ", 0, "TxDelaySeconds -1 out of range: using 0"},
        {" 10.5 ", 10, "TxDelaySeconds 10.5 out of range: using 10"},
        {" .5 ", 0.5, std::nullopt},
        {" 0 ", 0, std::nullopt},
        {" 10 ", 10, std::nullopt},
        // Not a number at all: the file is corrupted and the default takes over.
        {"nan", 0.5, std::nullopt},
        {"inf", 0.5, std::nullopt},
    };
    for (const auto& c : cases) {
        StationRig rig;
        rig.touch("voxclock.ini", withLine(newSettingsFileText(), 35, c.inFile));
        ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running) << c.inFile;
        EXPECT_EQ(rig.station->settings().TxDelaySeconds, c.used) << c.inFile;
        std::vector<std::string> delayLines;
        for (const std::string& text : logged(rig)) {
            if (text.rfind("TxDelaySeconds", 0) == 0)
                delayLines.push_back(text);
        }
        EXPECT_EQ(delayLines,
                  c.logLine ? std::vector<std::string>{*c.logLine} : std::vector<std::string>{})
            << c.inFile;

        // Whatever the file said, a transmission ends: delay, speech, delay. (A delay past a
        // day could not even be played through in virtual time; the check above has failed.)
        if (rig.station->settings().TxDelaySeconds > 86400)
            continue;
        rig.airLines.clear();
        rig.airTimes.clear();
        rig.station->speech().SpeakText("Hello");
        const std::vector<std::string> ptt = rig.timedEvents("ptt");
        ASSERT_EQ(ptt.size(), 2u) << c.inFile;
        const auto seconds = [](const std::string& stamp) {
            return std::stod(stamp.substr(0, 2)) * 3600 + std::stod(stamp.substr(3, 2)) * 60 +
                   std::stod(stamp.substr(6, 6));
        };
        EXPECT_NEAR(seconds(ptt[1]) - seconds(ptt[0]), 2 * c.used + 0.3, 0.2) << c.inFile;
    }
}

}  // namespace
}  // namespace vox
