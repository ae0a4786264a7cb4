#include "core/settings/voice_conf.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/settings/program_conf.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The voice dialog's OK writes [voice] into voxclock.conf and leaves the rest as written; the
// reader then gives the choice back.
TEST(VoiceConf, WritesTheVoiceKeysAndKeepsTheRest) {
    const struct {
        const char* before;  // nullptr: no file
        const char* after;
    } cases[] = {
        {nullptr, "[voice]\nengine = flite\nname = rms\n"},
        {"", "[voice]\nengine = flite\nname = rms\n"},
        {"[node]\nbackend = sim\n",
         "[node]\nbackend = sim\n\n[voice]\nengine = flite\nname = rms\n"},
        {"# mine\n[VOICE]  # the speech\nEngine = espeak-ng\n\n[air]\nmax_log_mb = 8\n",
         "# mine\n[VOICE]  # the speech\nengine = flite\nname = rms\n\n[air]\nmax_log_mb = 8\n"},
        {"[voice]\nname = en-us\nengine = espeak-ng\nbad line\n",
         "[voice]\nname = rms\nengine = flite\nbad line\n"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("voxclock.conf");
        if (c.before)
            std::ofstream(path, std::ios::binary) << c.before;
        std::string error;
        ASSERT_TRUE(writeVoiceChoice(path, {"flite", "rms"}, &error)) << error;
        EXPECT_EQ(contents(path), c.after) << (c.before ? c.before : "(none)");
        EXPECT_EQ(loadProgramConf(path).conf.voice, (VoiceChoice{"flite", "rms"}));
    }
}

TEST(VoiceConf, TheReaderTakesTheKeysAsWritten) {
    const struct {
        const char* text;
        VoiceChoice voice;
        std::size_t warnings;
    } cases[] = {
        {"", {}, 0},
        {"[voice]\nengine = Flite\nname = kal16\n", {"flite", "kal16"}, 0},
        {"[voice]\nengine = festival\n",
         {"festival", ""},
         0},  // the voice falls back, not the file
        {"[voice]\nspeaker = slt\n", {}, 1},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("voxclock.conf");
        std::ofstream(path, std::ios::binary) << c.text;
        const ConfResult r = loadProgramConf(path);
        EXPECT_EQ(r.conf.voice, c.voice) << c.text;
        EXPECT_EQ(r.warnings.size(), c.warnings) << c.text;
    }
}

TEST(VoiceConf, AFileThatCannotBeReplacedIsReported) {
    TempFolder folder;
    std::string error;
    EXPECT_FALSE(
        writeVoiceChoice(folder.file("no-such-folder/voxclock.conf"), {"flite", "slt"}, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vox
