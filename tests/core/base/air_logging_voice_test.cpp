#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/base/air_log.h"
#include "core/base/air_logging_voice.h"
#include "core/base/runtime.h"
#include "core/base/virtual_time.h"
#include "core/sim/virtual_voice.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

// The air-log line without its time stamp.
std::string withoutTime(const std::string& line) {
    const auto ev = line.find("\"ev\"");
    return ev == std::string::npos ? line : "{" + line.substr(ev);
}

TEST(AirLoggingVoice, RecordsWhatReachesTheVoiceThenForwardsIt) {
    struct Case {
        const char* name;
        std::string text;
        int flags;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"markup kept",
         "<xml>Hi <spell>K</spell></xml>",
         kSpeakAsync,
         {R"({"ev":"speak","text":"<xml>Hi <spell>K</spell></xml>"})"}},
        {"file in the folder",
         "/srv/vox/wav/id.wav",
         kSpeakFileAsync,
         {R"({"ev":"play","file":"wav/id.wav"})"}},
        {"folder spelled loosely",
         "/srv/vox/./info/../help.txt",
         kSpeakFileAsync,
         {R"({"ev":"play","file":"help.txt"})"}},
        {"file elsewhere",
         "/srv/voxother/id.wav",
         kSpeakFileAsync,
         {R"({"ev":"play","file":"/srv/voxother/id.wav"})"}},
        {"silence", "", kSpeakPurge, {R"({"ev":"purge"})"}},
        {"purge then speak",
         "Now",
         kSpeakPurge,
         {R"({"ev":"purge"})", R"({"ev":"speak","text":"Now"})"}},
    };
    for (const Case& c : cases) {
        VirtualClock clock(LocalTime{2026, 12, 10, 12, 0, 0, 0});
        VirtualEventLoop loop(clock);
        Runtime rt(clock, loop);
        VirtualVoice inner(rt);
        AirLog log(clock);
        std::vector<std::string> lines;
        log.setSink([&](const std::string& line) { lines.push_back(withoutTime(line)); });
        AirLoggingVoice voice(inner, log, "/srv/vox/");

        voice.speak(c.text, c.flags);
        EXPECT_EQ(lines, c.lines) << c.name;
        const auto expectForwarded =
            c.text.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.text};
        EXPECT_EQ(inner.spokenLog(), expectForwarded) << c.name;
    }
}

// A text file's record carries what the voice reads; a file it cannot read carries none.
TEST(AirLoggingVoice, ATextFileIsLoggedWithItsContent) {
    TempFolder temp;
    const std::string dir = temp.path;
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
        return dir + "/" + name;
    };
    const struct {
        std::string path;
        std::string line;
    } cases[] = {
        {write("net.TXT", "Net at 8 \"tonight\".\n"),
         R"({"ev":"play","file":"net.TXT","text":"Net at 8 \"tonight\".\n"})"},
        {write("deg.txt", "72\xB0"),
         std::string(R"({"ev":"play","file":"deg.txt","text":"72)") + "\xC2\xB0" + R"("})"},
        {write("nul.txt", std::string("a\0b", 3)), R"({"ev":"play","file":"nul.txt"})"},
        {dir + "/missing.txt", R"({"ev":"play","file":"missing.txt"})"},
        {write("burst.wav", "RIFF"), R"({"ev":"play","file":"burst.wav"})"},
    };
    for (const auto& c : cases) {
        VirtualClock clock(LocalTime{2026, 12, 10, 12, 0, 0, 0});
        VirtualEventLoop loop(clock);
        Runtime rt(clock, loop);
        VirtualVoice inner(rt);
        AirLog log(clock);
        std::vector<std::string> lines;
        log.setSink([&](const std::string& line) { lines.push_back(withoutTime(line)); });
        AirLoggingVoice voice(inner, log, dir);
        voice.speak(c.path, kSpeakFileAsync);
        EXPECT_EQ(lines, std::vector<std::string>{c.line}) << c.path;
    }
}

TEST(AirLoggingVoice, SettingsReachTheInnerVoice) {
    VirtualClock clock(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    VirtualVoice inner(rt);
    AirLog log(clock);
    AirLoggingVoice voice(inner, log, "/srv/vox");
    voice.setRate(-2);
    voice.setVolume(40);
    EXPECT_EQ(inner.rate(), -2);
    EXPECT_EQ(inner.volume(), 40);
    EXPECT_THROW(voice.setAudioOutput(3), VoiceError);
    voice.speak("abc", kSpeakAsync);
    EXPECT_EQ(voice.runningState(), kSpeaking);
}

}  // namespace
}  // namespace vox
