// The station's parts on their own, and the names that tie them to the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "core/base/wav_file.h"
#include "core/parts/identification.h"
#include "core/parts/speech_output.h"
#include "core/parts/timer_table.h"
#include "tests/core/parts/part_rig.h"
#include "tests/core/station/station_fixture.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

TEST(Names, UnknownControlsAndTimersAreRefused) {
    FrontPanel panel;
    EXPECT_THROW(panel.setChecked("cbHuor", true), std::invalid_argument);
    EXPECT_THROW(panel.setEnabled("CMDTim", false), std::invalid_argument);
    EXPECT_THROW(panel.setCaption("cmdRemoteNode8", "W1AW"), std::invalid_argument);
    EXPECT_THROW((void)panel.checked("cbhour"), std::invalid_argument);
    EXPECT_NO_THROW(panel.setCaption(Control::cmdRemoteNode(7), "W1AW"));

    ControlRegistry registry;
    EXPECT_THROW(registry.on("CMDTimer", [] {}), std::invalid_argument);
    registry.on(Control::CMDTime, [] {});
    EXPECT_THROW(registry.on(Control::CMDTime, [] {}), std::invalid_argument);
    EXPECT_THROW((void)registry.press("Dummy"), std::invalid_argument);
    EXPECT_FALSE(registry.press(Control::CMDFile));

    StationRig rig;
    EXPECT_THROW(rig.station->timer("tMian"), std::invalid_argument);
    EXPECT_THROW(rig.station->press("cmdTime"), std::invalid_argument);
    EXPECT_EQ(rig.station->timer(TimerName::tDTMF).interval(), 15000);
}

TEST(Settings, ScheduleAndFanBoxesAreTheSettingsRecord) {
    Settings settings;
    FrontPanel panel;
    panel.bindSettings(&settings);
    std::vector<std::string> changed;
    panel.subscribe([&](const FrontPanel::Change& c) { changed.push_back(c.control); });

    panel.setChecked(Control::cbHalfHour, true);
    panel.setChecked(Control::FanDTR, true);
    panel.setChecked(Control::cbNoText, true);  // not a setting: the panel keeps it
    EXPECT_EQ(settings.TimeHalfHour, 1);
    EXPECT_EQ(settings.FanDtr, 1);

    settings.TimeHour = 1;
    settings.TimeHalfHour = 0;
    panel.settingsReplaced();
    EXPECT_TRUE(panel.checked(Control::cbHour));
    EXPECT_FALSE(panel.checked(Control::cbHalfHour));
    EXPECT_TRUE(panel.checked(Control::cbNoText));
    EXPECT_EQ(std::count(changed.begin(), changed.end(), Control::cbHour), 1);
}

TEST(Settings, ApplySettingsTakesTheRecordWritesTheFileOrSaysWhyNot) {
    bool failWrite = false;
    StationRig rig(LocalTime{2026, 12, 10, 11, 59, 0, 0}, StationRig::quickConf(),
                   [&](const std::string& path, const std::string& contents, std::string*) {
                       if (failWrite)
                           return false;
                       std::ofstream(path, std::ios::binary) << contents;
                       return true;
                   });
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);

    Settings changed = rig.station->settings();
    changed.TimeQuarterHour = 1;
    changed.RemoteNodes[2].Node = "W1AW-R";
    changed.InfoFilePath = "C:\\info\\net.txt";
    const ApplyOutcome ok = rig.station->applySettings(changed);
    EXPECT_TRUE(ok.ok);
    EXPECT_TRUE(rig.station->panel().checked(Control::cbQuarterHour));
    EXPECT_EQ(rig.station->panel().caption(Control::cmdRemoteNode(2)), "W1AW-R");
    EXPECT_EQ(rig.station->panel().caption(Control::tbFileName), "net.txt");
    Settings reread;
    ASSERT_TRUE(SettingsFile(rig.folderPath("voxclock.ini")).read(reread).ok);
    EXPECT_EQ(reread.TimeQuarterHour, 1);

    failWrite = true;
    const ApplyOutcome failed = rig.station->applySettings(changed);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message, "Error Writing .INI File");
}

// One part on a rig of its own: the identification with the speech output it speaks through.
struct IdentificationRig : PartRig {
    IdentificationRig()
        : id(context(), timers[TimerName::tID], timers[TimerName::tRadioBusyID], controls) {}
    Identification id;
};

TEST(Identification, OnItsOwnRigIdentifiesOnceTheMinutesHaveRunAndOnCommand1) {
    IdentificationRig rig;
    std::vector<int16_t> second(22050, 0);
    std::filesystem::create_directories(rig.dir.path + "/wav");
    ASSERT_TRUE(writeWavPcm16Mono(rig.dir.path + "/wav/id.wav", 22050, second, nullptr));
    rig.settings.CwIdEnabled = 1;
    rig.settings.CwIdMinutes = 2;
    rig.timers[TimerName::tID].setEnabled(true);

    rig.rt.waitUntil(rig.rt.now() + 125);  // two minute ticks: the second identifies
    auto plays = [&] { return rig.linesWith("\"play\",\"file\":\"wav/id.wav\"").size(); };
    EXPECT_EQ(plays(), 1u);
    EXPECT_EQ(rig.id.IdMinuteCount, 0);

    EXPECT_TRUE(rig.controls.press(Control::Command1));
    EXPECT_EQ(plays(), 2u);
    EXPECT_FALSE(rig.speech.pttHeld());
}

}  // namespace
}  // namespace vox

namespace vox {
namespace {

TEST(Identification, AFreshNodeGeneratesItsIdAtStartUpAndSendsIt) {
    StationRig rig(LocalTime{2026, 12, 10, 12, 1, 0, 0});
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    const std::string id = rig.folderPath("wav/id.wav");
    ASSERT_TRUE(std::filesystem::is_regular_file(id));
    EXPECT_NE(std::find_if(rig.airLines.begin(), rig.airLines.end(),
                           [](const std::string& l) {
                               return l.find(
                                          "\"log\",\"text\":\"CW ID generated for N0CALL at 20 "
                                          "wpm\"") != std::string::npos;
                           }),
              rig.airLines.end());
    // The defaults identify every ten minutes: by 12:12 the generated file has gone out.
    rig.runUntil(LocalTime{2026, 12, 10, 12, 12, 0, 0});
    EXPECT_FALSE(rig.timedEvents("play:wav/id.wav").empty())
        << ::testing::PrintToString(rig.timedEvents());
}

TEST(Identification, AnOwnersRecordingIsKept) {
    StationRig rig;
    rig.touch("wav/ID.WAV", "the owner's own");
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    EXPECT_FALSE(std::filesystem::exists(rig.folderPath("wav/id.wav")));
    EXPECT_EQ(readFile(rig.folderPath("wav/ID.WAV")), "the owner's own");
}

}  // namespace
}  // namespace vox

namespace vox {
namespace {

TEST(AirLog, RemoteNodeCaptionsAndTheTwoOverrideBoxesAreRecorded) {
    StationRig rig;
    ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
    rig.airLines.clear();
    Settings changed = rig.station->settings();
    changed.RemoteNodes[3].Node = "W1AW-L";
    ASSERT_TRUE(rig.station->applySettings(changed).ok);
    rig.station->panel().setChecked(Control::cbNoText, true);
    rig.station->panel().setChecked(Control::cbAutoOverride, true);
    rig.station->panel().setChecked(Control::cbHour, true);  // a setting: not a control record
    std::vector<std::string> controls;
    for (const auto& line : rig.airLines)
        if (line.find("\"ev\":\"control\"") != std::string::npos)
            controls.push_back(line.substr(line.find("\"name\"")));
    EXPECT_EQ(controls, (std::vector<std::string>{
                            R"("name":"cmdRemoteNode3","caption":"W1AW-L"})",
                            R"("name":"cbNoText","checked":true})",
                            R"("name":"cbAutoOverride","checked":true})",
                        }));
}

}  // namespace
}  // namespace vox
