#include <gtest/gtest.h>

#include <functional>

#include "core/base/wav_file.h"
#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

using Events = std::vector<std::string>;

struct SpeechTest : ::testing::Test {
    void SetUp() override {
        rig.writeDefaultWavs();
        ASSERT_EQ(rig.station->start(), Station::StartOutcome::Running);
        rig.station->settings().TxDelaySeconds = 0.5;
        rig.station->settings().ToneBurst = 1;
        rig.airLines.clear();
        rig.airTimes.clear();
    }
    StationRig rig{LocalTime{2026, 12, 10, 12, 1, 0, 0}};
};

TEST_F(SpeechTest, SpeakTextKeysAroundBurstSpeechAndBeepWithTheTransmitDelays) {
    rig.station->speech().SpeakText("Hello");  // 5 characters: 0.3 s of speech
    // Keyed 12:01:07.000: delay 0.5, burst 0.5, speech 0.3, beep 0.12, delay 0.5.
    EXPECT_EQ(rig.timedEvents(),
              (Events{"12:01:07.000 ptt:on", "12:01:07.500 play:wav/burst.wav",
                      "12:01:08.000 speak:<xml>Hello</xml>", "12:01:08.300 play:wav/beep.wav",
                      "12:01:08.920 ptt:off"}));
    EXPECT_FALSE(rig.nodes.state().ptt);
    EXPECT_EQ(rig.station->panel().caption("lblPTT"), "OFF");
}

TEST_F(SpeechTest, TransmitFileLeavesTheButtonsToTheMainTimer) {
    rig.touch("info/info1.txt", "Net tonight.");
    rig.station->speech().TransmitFile(rig.folderPath("info/info1.txt"));
    EXPECT_EQ(rig.events(), (Events{"ptt:on", "play:wav/burst.wav", "play:info/info1.txt",
                                    "play:wav/beep.wav", "ptt:off"}));
    EXPECT_FALSE(rig.station->panel().enabled("CMDTime"));  // the main timer re-enables it
    rig.runUntil(LocalTime{2026, 12, 10, 12, 1, 15, 0});
    EXPECT_TRUE(rig.station->panel().enabled("CMDTime"));
}

TEST_F(SpeechTest, XmitFileWithoutAFileKeysNothingAndSaysWhy) {
    const struct {
        std::string path;
        std::string logged;
    } cases[] = {
        {"", "No info file chosen"},
        {rig.folderPath("info/gone.txt"),
         "Info file not found: " + rig.folderPath("info/gone.txt")},
        {rig.folderPath("info"), "Info file not found: " + rig.folderPath("info")},  // a folder
    };
    rig.touch("info/other.txt");
    for (const auto& c : cases) {
        rig.airLines.clear();
        rig.station->settings().InfoFilePath = c.path;
        rig.station->panel().setPanel(4, "");
        rig.station->panel().setEnabled("CMDFile", true);
        rig.station->press("CMDFile");
        rig.station->press("CMDFile");  // the same path again is not logged again
        EXPECT_EQ(rig.events(), Events{}) << c.path;
        EXPECT_EQ(rig.station->panel().panel(4), "ERROR Playing File!") << c.path;
        EXPECT_TRUE(rig.station->panel().enabled("CMDFile")) << c.path;
        std::vector<std::string> logged;
        for (const auto& line : rig.airLines)
            if (line.find("\"ev\":\"log\"") != std::string::npos)
                logged.push_back(line.substr(line.find("\"text\":\"") + 8));
        EXPECT_EQ(logged, std::vector<std::string>{c.logged + "\"}"}) << c.path;
    }
}

TEST_F(SpeechTest, TransmitFileWhileAStationTalksDoesNothing) {
    rig.command("remote on");
    rig.station->speech().TransmitFile(rig.folderPath("info/gone.txt"));
    EXPECT_EQ(rig.events(), Events{});
}

TEST_F(SpeechTest, SleepingSpeechLeavesPttUntouched) {
    rig.station->state().TTSSleeping = true;
    rig.station->speech().SpeakText("Hello");
    rig.station->speech().PlayFile(rig.folderPath("wav/beep.wav"));
    rig.station->speech().TransmitFile(rig.folderPath("wav/beep.wav"));
    rig.station->announcer().SpeakTime();
    rig.station->identification().SendStationId();
    EXPECT_EQ(rig.events(), Events{});
    EXPECT_EQ(rig.station->panel().panel(4), "TTS is Sleeping!");
}

TEST_F(SpeechTest, DtmfAbortSilencesWithin200msAndUnkeys) {
    rig.station->settings().ToneBurst = 0;
    // 2000 characters: two minutes of speech; the abort comes ten seconds in.
    rig.rt.callAfter(10.0, [&] { rig.command("dtmf A"); });
    rig.station->speech().SpeakText(std::string(2000, 'a'));
    const Events timed = rig.timedEvents();
    ASSERT_GE(timed.size(), 3u);
    EXPECT_EQ(timed[0], "12:01:07.000 ptt:on");
    // "dtmf A" at 12:01:17.000; the abort poll runs every 200 ms.
    const std::string purge = rig.timedEvents("purge").at(0);
    EXPECT_GE(purge, "12:01:17.000");
    EXPECT_LE(purge, "12:01:17.200");
    EXPECT_EQ(rig.station->panel().panel(2), "DTMF: A");
    EXPECT_FALSE(rig.nodes.state().ptt);
    EXPECT_LT(rig.timedEvents("ptt:off").at(0), "12:01:18.000");
}

TEST_F(SpeechTest, APttFailureDuringSpeechNeverLeavesTheTransmitterKeyed) {
    rig.station->settings().ToneBurst = 0;
    // Once keyed, every unkey attempt of the speech fails (two, then two more on its failure
    // path, with main-timer retries in between); the main timer goes on retrying.
    rig.rt.callAfter(0.1, [&] { rig.command("fail SetPtt 8"); });
    rig.station->speech().SpeakText("Hello");
    EXPECT_TRUE(rig.nodes.state().ptt);
    rig.runUntil(LocalTime{2026, 12, 10, 12, 1, 12, 0});
    EXPECT_FALSE(rig.nodes.state().ptt);
}

TEST_F(SpeechTest, MarkupInjectedInATextCannotHoldTheTransmitter) {
    rig.station->settings().ToneBurst = 0;
    rig.station->speech().SpeakText("<spell>N0CALL <silence msec=\"99999999\"/>");
    EXPECT_FALSE(rig.nodes.state().ptt);
    // The silence is cut to ten seconds: keyed well under a quarter of a minute.
    const Events timed = rig.timedEvents("ptt");
    ASSERT_EQ(timed.size(), 2u);
    EXPECT_LT(timed[1], "12:01:19.000");
}

TEST_F(SpeechTest, AReceiverThatComesUpWhileWeAreKeyedNeverHoldsOurTransmitter) {
    // A user keys up (or a carrier sticks) right after we have keyed, for an hour.
    std::vector<int16_t> second(22050, 0);
    ASSERT_TRUE(writeWavPcm16Mono(rig.folderPath("wav/id.wav"), 22050, second, nullptr));
    const struct {
        const char* what;
        std::function<void(Station&)> act;
    } cases[] = {
        {"voice id after the time",
         [](Station& s) {
             s.settings().VoiceIdAfterTime = 1;
             s.press("CMDTime");
         }},
        {"cw id after the time",
         [](Station& s) {
             s.settings().CwIdAfterTime = 1;
             s.press("CMDTime");
         }},
        {"cw id button", [](Station& s) { s.press("Command1"); }},
        {"courtesy beep after a text", [](Station& s) { s.speech().SpeakText("Hello"); }},
    };
    rig.station->settings().CwIdEnabled = 0;
    for (const auto& c : cases) {
        rig.station->settings().VoiceIdAfterTime = 0;
        rig.station->settings().CwIdAfterTime = 0;
        const double started = rig.rt.now();
        rig.rt.callAfter(0.2, [&] { rig.command("rx on"); });
        rig.rt.callAfter(3600, [&] { rig.command("rx off"); });
        c.act(*rig.station);
        EXPECT_FALSE(rig.nodes.state().ptt) << c.what;
        EXPECT_LT(rig.rt.now() - started, 15.0) << c.what;
        rig.rt.waitUntil(started + 3601);  // the receiver is quiet again
    }
}

TEST_F(SpeechTest, AQuitHandsNothingMoreToTheVoiceAndUnkeysAtOnce) {
    const struct {
        const char* what;
        double txDelay;
        std::size_t characters;
        double quitAfter;
        Events events;
    } cases[] = {
        {"during an hour-long transmit delay", 3600, 5, 5.0, {"ptt:on", "ptt:off"}},
        // The speech under way is cut, not left to run on after PTT is off.
        {"during a long speech",
         0.5,
         400,
         10.0,
         {"ptt:on", "play:wav/burst.wav", "speak:<xml>" + std::string(400, 'a') + "</xml>", "purge",
          "ptt:off"}},
    };
    for (const auto& c : cases) {
        StationRig quitting{LocalTime{2026, 12, 10, 12, 1, 0, 0}};
        quitting.writeDefaultWavs();
        ASSERT_EQ(quitting.station->start(), Station::StartOutcome::Running);
        quitting.station->settings().TxDelaySeconds = c.txDelay;
        quitting.station->settings().ToneBurst = 1;
        quitting.airLines.clear();
        const double started = quitting.rt.now();
        quitting.rt.callAfter(c.quitAfter, [&] { quitting.station->exitProgram(); });
        quitting.station->speech().SpeakText(std::string(c.characters, 'a'));
        EXPECT_LE(quitting.rt.now() - started, c.quitAfter + 0.001) << c.what;
        EXPECT_FALSE(quitting.nodes.state().ptt) << c.what;
        EXPECT_EQ(quitting.events(), c.events) << c.what;
        // Whatever else runs on the way out only unkeys.
        const std::size_t before = quitting.airLines.size();
        quitting.station->press("CMDTime");
        quitting.station->press("CMDFile");
        quitting.station->shutdown();
        for (const auto& e : quitting.events(before))
            EXPECT_EQ(e, "ptt:off") << c.what;
    }
}

TEST(CallSpelling, FollowsTheVoiceType) {
    StationRig rig;
    rig.station->settings().VoiceTypeAtt = 1;
    EXPECT_EQ(rig.station->speech().SpellCall("N0CALL/M"), "n 0 c a l l / m ");
    rig.station->settings().VoiceTypeAtt = 0;
    EXPECT_EQ(rig.station->speech().SpellCall("AB"), "<spell>A</spell> <spell>B</spell> ");
    EXPECT_EQ(rig.station->speech().SpellCall(""), "");
}

}  // namespace
}  // namespace vox
