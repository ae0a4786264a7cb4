#include "adapters/voice_switch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "adapters/speech_engines.h"
#include "core/base/runtime.h"
#include "core/base/virtual_time.h"
#include "core/settings/program_conf.h"

namespace vox {
namespace {

// The engine a voxclock.conf choice opens: a voice the engine lacks gives its default voice, an
// engine that is not there the new-install voice, each with its line for the event log.
TEST(SpeechEngines, OpenTheChoiceOrTheFallbackWithANote) {
    const struct {
        VoiceChoice wanted;
        std::string name;  // the engine's name starts so
        bool note;
    } cases[] = {
        {{}, "espeak-ng ", false},
        {{"espeak-ng", "en-gb-x-rp"}, "espeak-ng 1", false},
        {{"flite", "kal16"}, "flite 2.2 kal16", false},
        {{"flite", "kal17"}, "flite 2.2 awb", true},
        {{"espeak-ng", "awb"}, "espeak-ng ", true},
        {{"festival", "awb"}, "flite 2.2 awb", true},
    };
    for (const auto& c : cases) {
        const OpenedEngine opened = openSpeechEngine(c.wanted);
        ASSERT_NE(opened.engine, nullptr);
        EXPECT_EQ(opened.engine->name().rfind(c.name, 0), 0u)
            << c.wanted.engine << "/" << c.wanted.name << ": " << opened.engine->name();
        EXPECT_EQ(opened.note.empty(), !c.note) << c.wanted.engine << "/" << c.wanted.name;
    }
}

class VoiceSwitchTest : public ::testing::Test {
protected:
    VoiceSwitchTest() {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    ~VoiceSwitchTest() override { std::filesystem::remove_all(folder_); }

    VirtualClock clock_{LocalTime{2026, 12, 10, 14, 5, 0, 0}};
    VirtualEventLoop loop_{clock_};
    Runtime runtime_{clock_, loop_};
    std::filesystem::path folder_ = std::filesystem::temp_directory_path() / "voxclock-switch";
    std::string conf_ = (folder_ / "voxclock.conf").string();
};

// OK in the dialog: the station's voice speaks with the new engine from its next text on, and the
// file keeps the choice.
TEST_F(VoiceSwitchTest, ChoosingSwitchesTheStationsVoiceAndWritesTheFile) {
    VoiceSwitch voices(clock_, loop_, folder_.string(), conf_, {});
    std::unique_ptr<EngineVoice> voice = voices.createVoice();
    EXPECT_EQ(voices.current(), (VoiceChoice{"espeak-ng", "en-us"}));
    EXPECT_EQ(voice->engineName().rfind("espeak-ng ", 0), 0u);

    std::string error;
    ASSERT_TRUE(voices.choose({"flite", "rms"}, &error)) << error;
    EXPECT_EQ(voice->engineName(), "flite 2.2 rms");
    EXPECT_TRUE(voices.note().empty());
    EXPECT_EQ(loadProgramConf(conf_).conf.voice, (VoiceChoice{"flite", "rms"}));
}

// Test speaks on a voice of its own, so the station's voice stays idle and nothing is keyed; it
// waits while the station's voice is speaking.
TEST_F(VoiceSwitchTest, TestSpeaksBesideTheStationsVoiceNeverOverIt) {
    VoiceSwitch voices(clock_, loop_, folder_.string(), conf_, {"flite", "awb"});
    std::unique_ptr<EngineVoice> voice = voices.createVoice();
    const int airRecorder = static_cast<int>(voice->audioOutputs().size()) - 1;
    voice->setAudioOutput(airRecorder);

    ASSERT_TRUE(voices.test({"flite", "kal16"}, 0, airRecorder));
    ASSERT_NE(voices.trialVoice(), nullptr);
    EXPECT_EQ(voices.trialVoice()->engineName(), "flite 2.2 kal16");
    EXPECT_EQ(voice->runningState(), kNothingStarted);
    runtime_.waitWhile([&] { return voices.trialVoice()->runningState() == kSpeaking; });
    EXPECT_EQ(voices.trialVoice()->runningState(), kDone);
    EXPECT_TRUE(voice->airRecorder().lastFile().empty());  // never keyed, nothing recorded

    voice->speak("The station is talking.", kSpeakAsync);
    EXPECT_FALSE(voices.test({"flite", "kal16"}, 0, airRecorder));
    runtime_.waitWhile([&] { return voice->runningState() == kSpeaking; });
    EXPECT_TRUE(voices.test({"flite", "kal16"}, 0, airRecorder));
    EXPECT_FALSE(voices.test({"flite", "kal16"}, 0, airRecorder + 1));  // no such output
    EXPECT_EQ(voices.current(), (VoiceChoice{"flite", "awb"}));         // a test changes nothing
    EXPECT_FALSE(std::filesystem::exists(conf_));
}

}  // namespace
}  // namespace vox
