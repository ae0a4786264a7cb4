#include <gtest/gtest.h>

#include <algorithm>

#include "core/parts/transmit_watchdog.h"
#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

using Events = std::vector<std::string>;

struct TransmitTimeoutTest : ::testing::Test {
    void SetUp() override {
        rig.writeDefaultWavs();
        ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
        ASSERT_NE(rig.voice, nullptr);
        rig.station->settings().TxDelaySeconds = 0.5;
        rig.airLines.clear();
        rig.airTimes.clear();
    }
    StationRig rig{LocalTime{2026, 12, 10, 12, 1, 0, 0}};
};

constexpr const char* kTimeOut = "Transmit time-out: PTT forced off after 180 s";

// A voice that never finishes a text would hold PTT for as long as the wait lasts.
TEST_F(TransmitTimeoutTest, AStalledVoiceIsCutOffAndTheNextTextKeysNormally) {
    rig.voice->hangNext();
    // The work the text belongs to fails as a whole.
    EXPECT_THROW(rig.station->speech().SpeakText("Hello"), WaitAborted);
    EXPECT_FALSE(rig.nodes.state().ptt);
    const Events ptt = rig.timedEvents("ptt");
    ASSERT_EQ(ptt.size(), 3u);
    EXPECT_EQ(ptt[0], "12:01:07.000 ptt:on");
    EXPECT_EQ(ptt[1], "12:04:07.000 ptt:off");
    EXPECT_EQ(rig.timedEvents("tot"), (Events{"12:04:07.000 tot"}));
    bool totRecord = false, logged = false, shown = false;
    for (const std::string& line : rig.airLines) {
        totRecord |= line.find(R"("ev":"tot","seconds":180)") != std::string::npos;
        logged |= line.find(std::string(R"("ev":"log","text":")") + kTimeOut) != std::string::npos;
        shown |= line.find(std::string(R"("panel":4,"text":")") + kTimeOut) != std::string::npos;
    }
    EXPECT_TRUE(totRecord);
    EXPECT_TRUE(logged);
    EXPECT_TRUE(shown);
    // No beep after the cut: the transmitter is already off.
    for (const std::string& e : rig.events())
        EXPECT_NE(e, "play:wav/beep.wav");

    rig.airLines.clear();
    rig.station->speech().SpeakText("Hello");
    EXPECT_EQ(rig.events(),
              (Events{"ptt:on", "speak:<xml>Hello</xml>", "play:wav/beep.wav", "ptt:off"}));
}

// Work that keyed and then waits on something else (here a stuck receiver) fails out of its wait.
TEST_F(TransmitTimeoutTest, AWaitForABusyReceiverWhileKeyedEndsAsAFailure) {
    SpeechOutput& speech = rig.station->speech();
    rig.command("rx on");
    bool aborted = false;
    try {
        speech.KeyTransmitter();
        rig.rt.waitWhile([&] { return rig.nodes.state().receiving; });
        speech.UnkeyTransmitter();
    } catch (const WaitAborted&) {
        aborted = true;
        speech.unkeyAfterFailure();
    }
    EXPECT_TRUE(aborted);
    EXPECT_FALSE(rig.nodes.state().ptt);
    EXPECT_EQ(rig.timedEvents("tot"), (Events{"12:04:07.000 tot"}));
}

// A DTMF answer stalls inside the timer tick that keyed; the station answers the next command.
TEST_F(TransmitTimeoutTest, AStalledDtmfAnswerEndsAndTheNextOneIsAnswered) {
    rig.voice->hangNext();
    rig.command("dtmf 00*");
    rig.runUntil(LocalTime{2026, 12, 10, 12, 6, 0, 0});
    EXPECT_EQ(rig.timedEvents("tot").size(), 1u);
    EXPECT_FALSE(rig.nodes.state().ptt);
    rig.airLines.clear();
    rig.command("dtmf 00*");
    rig.runUntil(LocalTime{2026, 12, 10, 12, 7, 0, 0});
    const Events ptt = rig.events();
    EXPECT_NE(std::find(ptt.begin(), ptt.end(), "ptt:on"), ptt.end());
    EXPECT_EQ(std::count(ptt.begin(), ptt.end(), "tot"), 0);
    EXPECT_FALSE(rig.nodes.state().ptt);
}

// A button's work that times out ends in the station; the next press keys normally.
TEST_F(TransmitTimeoutTest, AButtonWhoseAnnouncementStallsEndsQuietly) {
    rig.voice->hangNext();
    rig.station->press("CMDTime");
    EXPECT_EQ(rig.timedEvents("tot").size(), 1u);
    EXPECT_FALSE(rig.nodes.state().ptt);
    rig.airLines.clear();
    rig.station->press("CMDTime");
    EXPECT_EQ(rig.events().front(), "ptt:on");
    EXPECT_EQ(rig.events().back(), "ptt:off");
    EXPECT_TRUE(rig.timedEvents("tot").empty());
}

TEST_F(TransmitTimeoutTest, ALimitOfZeroTurnsTheTimeOutOff) {
    TransmitWatchdog watchdog({rig.rt, rig.station->panel(), rig.station->eventLog(), rig.air},
                              [] { FAIL() << "forced off"; });
    watchdog.setLimit(0);
    watchdog.pttChanged(true);
    rig.rt.waitUntil(rig.rt.now() + 3600);
    EXPECT_EQ(watchdog.timeOuts(), 0u);
}

// Keying again while keyed (an inner transmission) does not restart the clock; unkeying does.
TEST_F(TransmitTimeoutTest, TheLimitCountsFromTheFirstKeying) {
    int forced = 0;
    TransmitWatchdog watchdog({rig.rt, rig.station->panel(), rig.station->eventLog(), rig.air},
                              [&] { ++forced; });
    watchdog.setLimit(10);
    const auto idle = [&](double seconds) {
        const LocalTime now = rig.clock.localNow();
        rig.runUntil(fromCalendarMs(toCalendarMs(now) + static_cast<std::int64_t>(seconds * 1000)));
    };
    watchdog.pttChanged(true);
    idle(6);
    watchdog.pttChanged(true);
    idle(5);
    EXPECT_EQ(forced, 1);
    watchdog.pttChanged(false);
    watchdog.pttChanged(true);
    idle(9);
    watchdog.pttChanged(false);
    idle(60);
    EXPECT_EQ(forced, 1);
}

}  // namespace
}  // namespace vox
