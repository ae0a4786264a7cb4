#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/base/wav_file.h"
#include "core/parts/cw_id.h"
#include "src/cwid_command.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {
namespace fs = std::filesystem;

class CwidCommand : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "home");
        wav = (root / "out.wav").string();
    }

    // Runs "voxclock cwid ARGS..." and keeps what it wrote to stderr.
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), "cwid");
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        const int rc = runCwidCommand(static_cast<int>(argv.size()), argv.data());
        std::fflush(stderr);
        std::fflush(stdout);
        err = ::testing::internal::GetCapturedStderr();
        out = ::testing::internal::GetCapturedStdout();
        return rc;
    }

    static double seconds(const std::string& text, const CwIdConf& conf) {
        std::vector<int16_t> s;
        EXPECT_TRUE(renderCw(text, conf, kToneSampleRate, &s));
        return s.size() / double(kToneSampleRate);
    }

    TempFolder temp;
    const fs::path root{temp.path};
    std::string wav, err, out;
};

TEST_F(CwidCommand, WritesTheTextWithTheFoldersSettingsOrTheOptions) {
    std::ofstream(root / "home/voxclock.conf") << "[cwid]\nwpm = 25\ntone_hz = 600\n";
    const std::string home = (root / "home").string();

    ASSERT_EQ(run({"--home", home, "n0call/p", "--wav", wav}), 0) << err;
    CwIdConf conf;
    conf.wpm = 25;
    EXPECT_NEAR(wavDurationSeconds(wav).value_or(-1), seconds("N0CALL/P", conf), 1e-6);
    char length[32];
    std::snprintf(length, sizeof length, "%.2f s\n", seconds("N0CALL/P", conf));
    EXPECT_EQ(out, std::string("N0CALL/P at 25 wpm, 600 Hz: ") + length);

    // The options win over the folder's settings; the text may come after them.
    ASSERT_EQ(run({"--wav", wav, "--home", home, "--wpm", "12", "--tone", "900", "W1AW"}), 0)
        << err;
    conf.wpm = 12;
    EXPECT_NEAR(wavDurationSeconds(wav).value_or(-1), seconds("W1AW", conf), 1e-6);
    EXPECT_EQ(out.substr(0, 24), "W1AW at 12 wpm, 900 Hz: ");

    // A broken folder setting is named and its default used.
    std::ofstream(root / "home/voxclock.conf") << "[cwid]\nwpm = fast\n";
    ASSERT_EQ(run({"--home", home, "E", "--wav", wav}), 0);
    EXPECT_EQ(err,
              "voxclock cwid: voxclock.conf line 2: 'wpm' is not a number from 5 to 60: "
              "'fast'\n");
    EXPECT_NEAR(wavDurationSeconds(wav).value_or(-1), 1.2 / 20, 1e-4);
}

TEST_F(CwidCommand, BadUsageEndsWithTwoAndNoFile) {
    const std::string usage =
        "usage: voxclock cwid [--home DIR] [--wpm N] [--tone HZ] TEXT --wav FILE\n";
    const std::string home = (root / "home").string();
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{}, usage},
        {{"W1AW"}, usage},
        {{"--wav", wav}, usage},
        {{"W1AW", "K1ABC", "--wav", wav}, usage},
        {{"W1AW", "--wav"}, usage},
        {{"W1AW", "--speed", "20", "--wav", wav}, usage},
        {{"--home", home, "W1AW", "--wav", wav, "--wpm", "4"},
         "voxclock cwid: --wpm takes a whole number from 5 to 60, not '4'\n"},
        {{"--home", home, "W1AW", "--wav", wav, "--wpm", "20wpm"},
         "voxclock cwid: --wpm takes a whole number from 5 to 60, not '20wpm'\n"},
        {{"--home", home, "W1AW", "--wav", wav, "--tone", "5000"},
         "voxclock cwid: --tone takes a whole number of Hz from 300 to 3000, not '5000'\n"},
        {{"--home", home, "#*#", "--wav", wav},
         "voxclock cwid: nothing in '#*#' can be sent in Morse\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        EXPECT_EQ(run(c.args), 2);
        EXPECT_EQ(err, c.error);
        EXPECT_FALSE(fs::exists(wav));
    }
}

TEST_F(CwidCommand, AFileThatCannotBeWrittenEndsWithOne) {
    const std::string home = (root / "home").string();
    const std::string target = (root / "no-such-folder/out.wav").string();
    EXPECT_EQ(run({"--home", home, "W1AW", "--wav", target}), 1);
    EXPECT_EQ(err, "voxclock cwid: cannot create " + target + "\n");
}

}  // namespace
}  // namespace vox
