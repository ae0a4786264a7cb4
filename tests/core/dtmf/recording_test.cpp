// Recording on the node: start, the minute count, the time limit and playback.
#include <gtest/gtest.h>

#include "core/dtmf/recording.h"
#include "tests/core/parts/part_rig.h"

namespace vox {
namespace {

struct RecordingRig : PartRig {
    RecordingRig()
        : recording(context(), timers[TimerName::tRecord], controls, [this](int mode) {
              modes.push_back(mode);
              if (failMode)
                  throw NodeError("EchoLink", "no recorder");
          }) {
        state.SoundFilesDir = "/srv/echolink/sounds";
    }
    std::vector<int> modes;
    bool failMode = false;
    Recording recording;
};

TEST(Recording, StartsCountsItsMinutesAndTimesOutAtRecordMax) {
    RecordingRig rig;
    rig.settings.RecordMax = 2;
    rig.run(3.5);  // 12:01:33.5
    rig.controls.press(Control::cbRecordStart);

    EXPECT_TRUE(rig.state.RecordingActive);
    EXPECT_TRUE(rig.nodes.state().recording);
    EXPECT_EQ(rig.modes, std::vector<int>{2});
    EXPECT_EQ(rig.recording.RecordFileName, "QSO_2026_12_10_120133.wav");
    EXPECT_FALSE(rig.panel.enabled(Control::cbRecordPlayback));
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "Recording");

    rig.run(61);
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "Recording 1 of 2");
    EXPECT_TRUE(rig.linesWith("timed out").empty());

    rig.run(60);
    // Spoken while the recorder still runs, then stopped.
    ASSERT_EQ(rig.linesWith("Recording timed out, and is now off.").size(), 1u);
    EXPECT_FALSE(rig.state.RecordingActive);
    EXPECT_FALSE(rig.nodes.state().recording);
    EXPECT_EQ(rig.modes, (std::vector<int>{2, 0}));
    EXPECT_FALSE(rig.timers[TimerName::tRecord].enabled());
    EXPECT_TRUE(rig.panel.enabled(Control::cbRecordPlayback));
    EXPECT_EQ(rig.recording.RecordFileName, "QSO_2026_12_10_120133.wav");
    const auto speakAt = rig.linesWith("timed out")[0];
    const auto stopAt = rig.linesWith(R"("ev":"record","on":false)");
    ASSERT_EQ(stopAt.size(), 1u);
    EXPECT_LT(speakAt.substr(0, 30), stopAt[0].substr(0, 30));
}

TEST(Recording, ASecondStartBeginsANewFileAndANewMinuteCount) {
    RecordingRig rig;
    rig.settings.RecordMax = 5;
    rig.controls.press(Control::cbRecordStart);
    rig.run(90);
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "Recording 1 of 5");
    rig.controls.press(Control::cbRecordStart);
    EXPECT_EQ(rig.recording.RecordFileName, "QSO_2026_12_10_120300.wav");
    rig.run(59);
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "Recording");
    rig.run(2);
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "Recording 1 of 5");
}

TEST(Recording, PlaybackHandsTheNodeTheLastFileUnlessSpeechSleeps) {
    RecordingRig rig;
    rig.controls.press(Control::cbRecordPlayback);  // before any recording
    rig.controls.press(Control::cbRecordStart);
    rig.controls.press(Control::cbRecordStop);
    rig.controls.press(Control::cbRecordPlayback);
    rig.state.TTSSleeping = true;
    rig.controls.press(Control::cbRecordPlayback);

    const auto played = rig.linesWith(R"("ev":"playaudio")");
    ASSERT_EQ(played.size(), 2u);
    EXPECT_NE(played[0].find(R"("file":"/srv/echolink/sounds/")"), std::string::npos);
    EXPECT_NE(played[1].find(R"("file":"/srv/echolink/sounds/QSO_2026_12_10_120130.wav")"),
              std::string::npos);
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "TTS is Sleeping!");
    EXPECT_TRUE(rig.linesWith(R"("ev":"ptt")").empty());
}

TEST(Recording, StopWithoutARecordingAndARefusingNodeStillEndTheCount) {
    RecordingRig rig;
    rig.controls.press(Control::cbRecordStop);
    EXPECT_EQ(rig.linesWith(R"("ev":"record","on":false)").size(), 1u);
    EXPECT_EQ(rig.modes, std::vector<int>{0});

    rig.controls.press(Control::cbRecordStart);
    rig.command("fail stopRecording 1");
    rig.controls.press(Control::cbRecordStop);
    EXPECT_FALSE(rig.timers[TimerName::tRecord].enabled());
    EXPECT_FALSE(rig.state.RecordingActive);
    EXPECT_TRUE(rig.panel.enabled(Control::cbRecordPlayback));
}

}  // namespace
}  // namespace vox
