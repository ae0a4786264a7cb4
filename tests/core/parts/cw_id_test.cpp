#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

#include <unistd.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/base/wav_file.h"
#include "core/parts/cw_id.h"

namespace vox {
namespace {
namespace fs = std::filesystem;

// Key-down and key-up runs as heard: a zero sample inside a tone (a zero crossing) does not end
// it, only silence longer than a millisecond does. Key-down runs are positive, key-up negative.
std::vector<long> keyingRuns(const std::vector<int16_t>& s, int rate) {
    const std::size_t bridge = static_cast<std::size_t>(rate / 1000);
    std::vector<long> runs;
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t start = i;
        if (s[i] == 0) {
            while (i < s.size() && s[i] == 0)
                ++i;
            runs.push_back(-static_cast<long>(i - start));
            continue;
        }
        std::size_t lastSound = i;
        while (i < s.size()) {
            if (s[i] != 0) {
                lastSound = i++;
                continue;
            }
            std::size_t z = i;
            while (z < s.size() && s[z] == 0)
                ++z;
            if (z - i > bridge || z == s.size())
                break;
            i = z;
        }
        i = lastSound + 1;
        runs.push_back(static_cast<long>(i - start));
    }
    return runs;
}

// The same keying in dots, from the code table's meaning, for comparison.
std::vector<long> expectedUnits(const std::vector<std::string>& words) {
    std::vector<long> units;
    for (std::size_t w = 0; w < words.size(); ++w) {
        for (std::size_t c = 0; c < words[w].size(); ++c) {
            const std::string code = morseCode(words[w][c]);
            for (std::size_t e = 0; e < code.size(); ++e) {
                if (e > 0)
                    units.push_back(-1);
                else if (c > 0)
                    units.push_back(-3);
                else if (w > 0)
                    units.push_back(-7);
                units.push_back(code[e] == '.' ? 1 : 3);
            }
        }
    }
    return units;
}

TEST(CwId, CodeTableAndSendableText) {
    EXPECT_EQ(morseCode('a'), ".-");
    EXPECT_EQ(morseCode('N'), "-.");
    EXPECT_EQ(morseCode('0'), "-----");
    EXPECT_EQ(morseCode('9'), "----.");
    EXPECT_EQ(morseCode('/'), "-..-.");
    EXPECT_EQ(morseCode('?'), "..--..");
    EXPECT_EQ(morseCode('#'), "");
    EXPECT_EQ(morseCode(' '), "");
    EXPECT_EQ(morseCode('\xC4'), "");
    // Every letter and digit has a code, and no two characters share one.
    std::vector<std::string> seen;
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/?.,=+-@:()'\";")) {
        SCOPED_TRACE(c);
        const std::string code = morseCode(c);
        ASSERT_FALSE(code.empty());
        EXPECT_EQ(std::count(seen.begin(), seen.end(), code), 0);
        seen.push_back(code);
    }

    EXPECT_EQ(cwSendableText("  w1aw/p\t de #K1ABC*  "), "W1AW/P DE K1ABC");
    EXPECT_EQ(cwSendableText("*ECHO#TEST*"), "ECHOTEST");
    EXPECT_EQ(cwSendableText("# \xC4 *"), "");
}

// N0CALL/P DE: a dash-heavy digit, dots, the '/' and a word space. At 20 wpm a dot is 60 ms.
TEST(CwId, TimingOfAKnownCallMeasuredFromTheSamples) {
    struct Case {
        int wpm;
        int rate;
        long dot;
    };
    for (const Case& c : {Case{20, 22050, 1323}, Case{5, 8000, 1920}, Case{60, 48000, 960},
                          Case{13, 22050, 2035}}) {
        SCOPED_TRACE(c.wpm);
        CwIdConf conf;
        conf.wpm = c.wpm;
        ASSERT_EQ(cwDotSamples(c.wpm, c.rate), c.dot);
        std::vector<int16_t> s;
        std::string error;
        ASSERT_TRUE(renderCw("N0CALL/P de", conf, c.rate, &s, &error)) << error;

        const std::vector<long> want = expectedUnits({"N0CALL/P", "DE"});
        long totalUnits = 0;
        for (long u : want)
            totalUnits += std::labs(u);
        EXPECT_EQ(static_cast<long>(s.size()), totalUnits * c.dot);

        const std::vector<long> runs = keyingRuns(s, c.rate);
        // The rise and the fall each hide at most a millisecond of near-silence at the edges.
        const long edge = c.rate / 1000;
        ASSERT_GE(runs.size(), want.size());
        std::size_t r = runs[0] < 0 ? 1 : 0;  // the first tone begins with a zero sample
        EXPECT_LE(r == 1 ? -runs[0] : 0, edge);
        for (std::size_t i = 0; i < want.size(); ++i, ++r) {
            SCOPED_TRACE(i);
            ASSERT_LT(r, runs.size());
            // A tone is at most its nominal length, a gap (negative) at least its own.
            const long nominal = want[i] * c.dot;
            EXPECT_LE(runs[r], nominal);
            EXPECT_GE(runs[r], nominal - 2 * edge);
        }
        EXPECT_LE(runs.size() - r, 1u);  // at most the last tone's falling edge is left
    }
}

// PARIS is the standard word of 50 dots with its word space: speeds are defined by it.
TEST(CwId, ParisTakesFiftyDotsPerWord) {
    std::vector<int16_t> one, two;
    ASSERT_TRUE(renderCw("PARIS", CwIdConf{}, 22050, &one));
    ASSERT_TRUE(renderCw("paris  PARIS", CwIdConf{}, 22050, &two));
    EXPECT_EQ(one.size(), 43u * 1323u);  // no trailing word space
    EXPECT_EQ(two.size(), 93u * 1323u);
    EXPECT_NEAR(two.size() / 22050.0 + 7 * 0.06, 2 * 60.0 / 20, 1e-9);  // 20 words a minute
}

// Every element rises and falls over about 5 ms: no element starts or stops at full level.
TEST(CwId, ElementsRiseAndFallWithoutClicks) {
    CwIdConf conf;
    conf.amplitude = 0.8;
    conf.toneHz = 1000;
    std::vector<int16_t> s;
    ASSERT_TRUE(renderCw("TEST", conf, 22050, &s));
    const double full = 32767 * conf.amplitude;
    const long dot = cwDotSamples(conf.wpm, 22050);
    long at = 0;
    int elements = 0;
    for (long u : expectedUnits({"TEST"})) {
        const long n = std::labs(u) * dot;
        if (u > 0) {
            SCOPED_TRACE(elements);
            ++elements;
            int peak = 0;
            for (long k = 0; k < n; ++k)
                peak = std::max(peak, std::abs(int(s[at + k])));
            EXPECT_GE(peak, 0.97 * full);
            // The first and last 5 samples are under 1%, the first millisecond under a fifth.
            for (long k = 0; k < 5; ++k) {
                EXPECT_LT(std::abs(s[at + k]), 0.01 * full);
                EXPECT_LT(std::abs(s[at + n - 1 - k]), 0.01 * full);
            }
            for (long k = 0; k < 22; ++k)
                EXPECT_LT(std::abs(s[at + k]), 0.2 * full);
        } else {
            for (long k = 0; k < n; ++k)
                ASSERT_EQ(s[at + k], 0);
        }
        at += n;
    }
    EXPECT_EQ(elements, 6);  // T, E, S S S, T
}

TEST(CwId, ToneFrequencyAndLevelFollowTheSettings) {
    CwIdConf conf;
    conf.toneHz = 600;
    conf.amplitude = 0.25;
    conf.wpm = 10;  // a dash of 0.36 s: 216 cycles
    std::vector<int16_t> s;
    ASSERT_TRUE(renderCw("T", conf, 22050, &s));
    int crossings = 0, peak = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        crossings += (s[i - 1] < 0) != (s[i] < 0);
        peak = std::max(peak, std::abs(int(s[i])));
    }
    EXPECT_NEAR(crossings / 2.0 / (s.size() / 22050.0), 600, 5);
    EXPECT_NEAR(peak, 32767 * 0.25, 40);
}

TEST(CwId, WhatCannotBeSentIsRefused) {
    std::vector<int16_t> s;
    std::string error;
    EXPECT_FALSE(renderCw("#*#", CwIdConf{}, 22050, &s, &error));
    EXPECT_EQ(error, "nothing in '#*#' can be sent in Morse");
    EXPECT_FALSE(renderCw("K", CwIdConf{}, 0, &s, &error));
    EXPECT_EQ(error, "unusable sample rate 0");
    // Ten minutes at most, without laying out a pasted book first.
    CwIdConf slow;
    slow.wpm = 5;
    EXPECT_FALSE(renderCw(std::string(2000, '0'), slow, 8000, &s, &error));
    EXPECT_EQ(error, "'" + std::string(40, '0') + "...' would last longer than 600 s at 5 wpm");
    EXPECT_FALSE(renderCw(std::string(5'000'000, 'E'), slow, 8000, &s, &error));
    EXPECT_TRUE(s.empty());
    // Settings from code outside their limits are brought inside them.
    CwIdConf wild;
    wild.wpm = 0;
    wild.toneHz = 100000;
    wild.amplitude = std::nan("");
    ASSERT_TRUE(renderCw("E", wild, 22050, &s, &error)) << error;
    EXPECT_EQ(s.size(), static_cast<std::size_t>(cwDotSamples(kCwWpmMin, 22050)));
}

TEST(CwId, TheCallWithOrWithoutItsSuffix) {
    CwIdConf conf;
    EXPECT_EQ(cwIdText("N0CALL-L", conf), "N0CALL");
    EXPECT_EQ(cwIdText("W1AW", conf), "W1AW");
    conf.suffix = true;
    EXPECT_EQ(cwIdText("N0CALL-L", conf), "N0CALL-L");
}

class CwIdFile : public ::testing::Test {
protected:
    TempFolder temp;
    const std::filesystem::path root{temp.path};
};

TEST_F(CwIdFile, AMissingIdentificationIsGeneratedForTheCall) {
    struct Case {
        bool suffix;
        int wpm;
        const char* line;
        const char* sent;
    };
    for (const Case& c : {Case{false, 20, "CW ID generated for N0CALL at 20 wpm", "N0CALL"},
                          Case{true, 25, "CW ID generated for N0CALL-L at 25 wpm", "N0CALL-L"}}) {
        SCOPED_TRACE(c.line);
        fs::remove_all(root / "wav");
        CwIdConf conf;
        conf.suffix = c.suffix;
        conf.wpm = c.wpm;
        std::string line, error;
        ASSERT_TRUE(ensureCwIdFile(ProgramFolder(root.string()), "n0call-L", conf, &line, &error))
            << error;
        EXPECT_EQ(line, c.line);
        std::vector<int16_t> want;
        ASSERT_TRUE(renderCw(c.sent, conf, kToneSampleRate, &want));
        EXPECT_NEAR(wavDurationSeconds((root / "wav/id.wav").string()).value_or(-1),
                    want.size() / double(kToneSampleRate), 1e-6);
        const std::string bytes = readFile(root / "wav/id.wav");
        ASSERT_EQ(bytes.size(), 44 + 2 * want.size());
        EXPECT_EQ(bytes.substr(20, 4), std::string("\x01\x00\x01\x00", 4));  // PCM, mono
        EXPECT_EQ(bytes.substr(34, 2), std::string("\x10\x00", 2));          // 16 bits
        EXPECT_FALSE(fs::exists(root / "wav/id.wav.tmp"));
    }
}

// The owner's recording, in whatever letter case and whatever it is, is never replaced.
TEST_F(CwIdFile, TheOwnersIdentificationIsNeverOverwritten) {
    for (const char* name : {"wav/id.wav", "WAV/ID.WAV", "Wav/Id.Wav", "wav/iD.wAv"}) {
        SCOPED_TRACE(name);
        fs::remove_all(root);
        fs::create_directories((root / name).parent_path());
        std::ofstream(root / name) << "owner's recording";
        std::string line = "stale", error;
        EXPECT_TRUE(
            ensureCwIdFile(ProgramFolder(root.string()), "N0CALL-L", CwIdConf{}, &line, &error));
        EXPECT_EQ(line, "");
        EXPECT_EQ(readFile(root / name), "owner's recording");
        // No second file beside it and no second folder.
        const auto count = [](const fs::path& dir) {
            return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
        };
        EXPECT_EQ(count((root / name).parent_path()), 1);
        EXPECT_EQ(count(root), 1);
    }
    // A link to a recording not yet in place is the owner's too.
    fs::remove_all(root);
    fs::create_directories(root / "wav");
    fs::create_symlink(root / "elsewhere.wav", root / "wav/id.wav");
    std::string line, error;
    EXPECT_TRUE(ensureCwIdFile(ProgramFolder(root.string()), "N0CALL", CwIdConf{}, &line, &error));
    EXPECT_FALSE(fs::exists(root / "elsewhere.wav"));
}

TEST_F(CwIdFile, NoCallOrNoFolderIsReported) {
    std::string line, error;
    EXPECT_FALSE(ensureCwIdFile(ProgramFolder(root.string()), "", CwIdConf{}, &line, &error));
    EXPECT_EQ(error, "no call sign to send as a CW ID ('')");
    EXPECT_FALSE(ensureCwIdFile(ProgramFolder(root.string()), "-L", CwIdConf{}, &line, &error));
    EXPECT_FALSE(fs::exists(root / "wav"));

    std::ofstream(root / "wav") << "a file where the folder should be";
    error.clear();
    EXPECT_FALSE(ensureCwIdFile(ProgramFolder(root.string()), "N0CALL", CwIdConf{}, &line, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(line, "");
}

}  // namespace
}  // namespace vox
