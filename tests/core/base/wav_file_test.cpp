#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/base/wav_file.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {
namespace fs = std::filesystem;

std::string fixture(const std::string& name) {
    return std::string(VOXCLOCK_TEST_DATA) + "/wav/" + name;
}

TEST(WavFile, DurationOfGoodAndBrokenFiles) {
    struct Case {
        const char* file;
        std::optional<double> seconds;
    };
    const Case cases[] = {
        {"pcm16_mono_8000.wav", 0.125},
        {"pcm8_stereo_11025.wav", 0.04},
        {"float32_mono_8000.wav", 0.0375},
        {"extensible_pcm24_stereo_16000.wav", 0.025},
        {"list_chunk_before_data.wav", 0.0625},  // odd-sized chunk with a pad byte skipped
        {"empty_data.wav", 0.0},
        {"data_longer_than_file.wav", 0.05},  // only the bytes present count
        {"truncated_header.wav", std::nullopt},
        {"wrong_magic.wav", std::nullopt},
        {"not_wave.wav", std::nullopt},
        {"no_data_chunk.wav", std::nullopt},
        {"no_fmt_chunk.wav", std::nullopt},
        {"zero_channels.wav", std::nullopt},
        {"zero_rate.wav", std::nullopt},
        {"adpcm.wav", std::nullopt},
        {"fmt_cut_short.wav", std::nullopt},
        {"empty.wav", std::nullopt},
        {"does_not_exist.wav", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = wavDurationSeconds(fixture(c.file));
        ASSERT_EQ(got.has_value(), c.seconds.has_value()) << c.file;
        if (got) {
            EXPECT_NEAR(*got, *c.seconds, 1e-9) << c.file;
        }
    }
}

class WavWrite : public ::testing::Test {
protected:
    TempFolder temp;
    const fs::path dir{temp.path};
};

TEST_F(WavWrite, WritesLittleEndianPcmThatReadsBack) {
    const std::string path = (dir / "out.wav").string();
    const std::vector<int16_t> samples = {1, -2, 32767, -32768, 0x1234};
    std::string error;
    ASSERT_TRUE(writeWavPcm16Mono(path, 8000, samples, &error)) << error;

    const std::string file = readFile(path);
    const std::vector<unsigned char> bytes(file.begin(), file.end());
    ASSERT_EQ(bytes.size(), 44u + 10u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(
        std::vector<unsigned char>(bytes.begin() + 44, bytes.end()),
        (std::vector<unsigned char>{0x01, 0x00, 0xFE, 0xFF, 0xFF, 0x7F, 0x00, 0x80, 0x34, 0x12}));
    EXPECT_NEAR(*wavDurationSeconds(path), 5.0 / 8000, 1e-12);
}

TEST_F(WavWrite, FailuresComeBackWithAMessageAndLeaveNoFile) {
    const fs::path notADir = dir / "plain-file";
    std::ofstream(notADir) << "x";
    struct Case {
        std::string path;
        int rate;
    };
    const Case cases[] = {{(notADir / "out.wav").string(), 8000}, {(dir / "rate.wav").string(), 0}};
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(writeWavPcm16Mono(c.path, c.rate, {1, 2, 3}, &error)) << c.path;
        EXPECT_FALSE(error.empty()) << c.path;
        EXPECT_FALSE(fs::exists(c.path)) << c.path;
    }
}

// Frequency from rising zero crossings; edges must fade so the transmitter hears no click.
TEST(WavFile, TonesHaveTheirPitchLengthAndSoftEdges) {
    struct Case {
        const char* name;
        std::vector<int16_t> samples;
        double hz;
        double seconds;
    };
    const Case cases[] = {{"burst", toneBurst(), 1750, 0.5}, {"beep", courtesyBeep(), 1000, 0.12}};
    for (const Case& c : cases) {
        const auto& s = c.samples;
        ASSERT_EQ(s.size(), static_cast<std::size_t>(std::lround(c.seconds * kToneSampleRate)))
            << c.name;
        int rising = 0;
        for (std::size_t i = 1; i < s.size(); ++i)
            if (s[i - 1] < 0 && s[i] >= 0)
                ++rising;
        EXPECT_NEAR(rising / c.seconds, c.hz, c.hz * 0.02) << c.name;

        const int peak = std::abs(*std::max_element(s.begin(), s.end(), [](int16_t a, int16_t b) {
            return std::abs(int{a}) < std::abs(int{b});
        }));
        EXPECT_GT(peak, 8000) << c.name;   // clearly audible
        EXPECT_LT(peak, 32000) << c.name;  // never clipped
        // The first and last millisecond stay far below the peak.
        const std::size_t ms = kToneSampleRate / 1000;
        for (std::size_t i = 0; i < ms; ++i) {
            EXPECT_LT(std::abs(int{s[i]}), peak / 10) << c.name << " start " << i;
            EXPECT_LT(std::abs(int{s[s.size() - 1 - i]}), peak / 10) << c.name << " end " << i;
        }
    }
}

}  // namespace
}  // namespace vox
