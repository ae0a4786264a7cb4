#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "backends/sim/virtual_voice.h"
#include "core/base/runtime.h"
#include "core/base/virtual_time.h"

namespace vox {
namespace {

std::string fixture(const std::string& name) {
    return std::string(VOXCLOCK_TEST_DATA) + "/wav/" + name;
}

struct VoiceRig {
    VoiceRig()
        : clock(LocalTime{2026, 12, 10, 12, 0, 0, 0}), loop(clock), rt(clock, loop), voice(rt) {}
    // Waits the way the station does, but with a poll so long that only the voice's own wake-up
    // can end the wait on time.
    double secondsUntilDone() {
        const double t0 = rt.now();
        rt.waitWhile([&] { return voice.runningState() == kSpeaking; }, 3600.0);
        return rt.now() - t0;
    }
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    VirtualVoice voice;
};

TEST(VirtualVoice, WaitsEndExactlyWhenTheQueuedAudioEnds) {
    using Speaks = std::vector<std::pair<std::string, int>>;
    struct Case {
        const char* name;
        Speaks speaks;
        double seconds;
    };
    const Case cases[] = {
        {"markup is not spoken", {{"<xml>Hello</xml>", kSpeakAsync}}, 0.3},
        {"silence adds its length",
         {{"<xml>Hi<silence msec=\"250\"/>yo</xml>", kSpeakAsync}},
         0.49},
        {"silence is clamped", {{"<silence msec=\"99999\"/>", kSpeakAsync}}, 10.0},
        {"characters, not bytes", {{"Z\xC3\xBCrich", kSpeakAsync}}, 0.36},
        {"speaks queue", {{"abc", kSpeakAsync}, {"de", kSpeakAsync}}, 0.3},
        {"wav plays its length", {{fixture("pcm16_mono_8000.wav"), kSpeakFileAsync}}, 0.125},
        {"text file is read", {{fixture("readout.txt"), kSpeakFileAsync}}, 12 * 0.06 + 0.25},
        {"file and text queue",
         {{fixture("float32_mono_8000.wav"), kSpeakFileAsync}, {"a", kSpeakAsync}},
         0.0375 + 0.06},
        {"broken wav plays nothing", {{fixture("truncated_header.wav"), kSpeakFileAsync}}, 0.0},
        {"missing file plays nothing", {{fixture("missing.txt"), kSpeakFileAsync}}, 0.0},
    };
    for (const Case& c : cases) {
        VoiceRig rig;
        const double t0 = rig.rt.now();
        for (const auto& [text, flags] : c.speaks)
            rig.voice.speak(text, flags);
        EXPECT_NEAR(rig.secondsUntilDone(), c.seconds, 1e-6) << c.name;
        EXPECT_NEAR(rig.rt.now() - t0, c.seconds, 1e-6) << c.name;
        EXPECT_EQ(rig.voice.runningState(), kDone) << c.name;
    }
}

TEST(VirtualVoice, RunningStateGoesFromNothingToSpeakingToDone) {
    VoiceRig rig;
    EXPECT_EQ(rig.voice.runningState(), kNothingStarted);
    rig.voice.speak("", kSpeakPurge);  // silencing an idle voice starts nothing
    EXPECT_EQ(rig.voice.runningState(), kNothingStarted);
    rig.voice.speak("abcde", kSpeakAsync);
    EXPECT_EQ(rig.voice.runningState(), kSpeaking);
    rig.rt.killTime(0.2999);
    EXPECT_EQ(rig.voice.runningState(), kSpeaking);
    rig.rt.killTime(0.0001);
    EXPECT_EQ(rig.voice.runningState(), kDone);
}

// A file that renders nothing still counts as spoken: a caller waiting for "not 0" must not hang.
TEST(VirtualVoice, AFileThatPlaysNothingReportsDone) {
    VoiceRig rig;
    rig.voice.speak(fixture("missing.wav"), kSpeakFileAsync);
    EXPECT_EQ(rig.voice.runningState(), kDone);
}

TEST(VirtualVoice, PurgeSilencesWhatPlaysAndWhatIsQueued) {
    VoiceRig rig;
    rig.voice.speak("abcdefghij", kSpeakAsync);
    rig.voice.speak("klmno", kSpeakAsync);
    rig.rt.killTime(0.1);
    rig.voice.speak("", kSpeakPurge);
    EXPECT_EQ(rig.voice.runningState(), kDone);
    EXPECT_NEAR(rig.secondsUntilDone(), 0.0, 1e-9);
    // What is spoken next starts now, not after the dropped audio.
    rig.voice.speak("pq", kSpeakAsync);
    EXPECT_NEAR(rig.secondsUntilDone(), 0.12, 1e-6);
    // A purge with a text replaces the queue with that text.
    rig.voice.speak("abcdefghij", kSpeakAsync);
    rig.voice.speak("xyz", kSpeakPurge);
    EXPECT_NEAR(rig.secondsUntilDone(), 0.18, 1e-6);
    EXPECT_EQ(rig.voice.spokenLog(),
              (std::vector<std::string>{"abcdefghij", "klmno", "pq", "abcdefghij", "xyz"}));
}

// The faults a dry run can inject: each hits the next text only.
TEST(VirtualVoice, InjectedFaultsFailStallOrHangTheNextText) {
    VoiceRig rig;
    rig.voice.failNext(2);
    EXPECT_THROW(rig.voice.speak("ab", kSpeakAsync), VoiceError);
    EXPECT_THROW(rig.voice.speak("ab", kSpeakFileAsync), VoiceError);
    rig.voice.speak("", kSpeakPurge);  // a purge still works
    rig.voice.speak("ab", kSpeakAsync);
    EXPECT_NEAR(rig.secondsUntilDone(), 0.12, 1e-6);

    rig.voice.stallNext(30);
    rig.voice.speak("ab", kSpeakAsync);
    EXPECT_NEAR(rig.secondsUntilDone(), 30.12, 1e-6);
    rig.voice.speak("ab", kSpeakAsync);
    EXPECT_NEAR(rig.secondsUntilDone(), 0.12, 1e-6);

    rig.voice.hangNext();
    rig.voice.speak("ab", kSpeakAsync);
    rig.rt.killTime(86400);
    EXPECT_EQ(rig.voice.runningState(), kSpeaking);
    rig.voice.speak("", kSpeakPurge);
    EXPECT_EQ(rig.voice.runningState(), kDone);
    rig.voice.speak("ab", kSpeakAsync);
    EXPECT_NEAR(rig.secondsUntilDone(), 0.12, 1e-6);
}

TEST(VirtualVoice, OnlyTheVirtualOutputCanBeChosen) {
    VoiceRig rig;
    EXPECT_EQ(rig.voice.audioOutputs(), std::vector<std::string>{"Virtual output"});
    EXPECT_NO_THROW(rig.voice.setAudioOutput(0));
    for (int bad : {-1, 1})
        EXPECT_THROW(rig.voice.setAudioOutput(bad), VoiceError) << bad;
}

TEST(VirtualVoice, DestroyingTheVoiceLeavesNoCallBehind) {
    VirtualClock clock(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    {
        VirtualVoice voice(rt);
        voice.speak("abc", kSpeakAsync);
    }
    bool fired = false;
    rt.callAfter(1.0, [&] { fired = true; });
    rt.killTime(1.0);  // would touch the destroyed voice at 0.18 s
    EXPECT_TRUE(fired);
}

}  // namespace
}  // namespace vox
