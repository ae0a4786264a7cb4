#include "adapters/air_recorder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/base/virtual_time.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

std::vector<std::int16_t> readWav(const std::string& path, int* rate = nullptr) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return {};
    std::vector<std::int16_t> samples(static_cast<std::size_t>(info.frames));
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    if (rate)
        *rate = info.samplerate;
    return samples;
}

class AirRecorderTest : public ::testing::Test {
protected:
    void playSeconds(double seconds, std::int16_t value) {
        const std::vector<std::int16_t> samples(
            static_cast<std::size_t>(seconds * kVoiceSampleRate), value);
        recorder_.play(samples.data(), samples.size());
    }

    VirtualClock clock_{LocalTime{2026, 12, 10, 14, 5, 0, 0}};
    TempFolder temp_;
    const std::filesystem::path folder_{temp_.path};
    AirRecorder recorder_{clock_, folder_.string() + "/air"};
};

// One transmission: delay, speech, a burst queued behind it, the trailing delay; the file holds
// it all at the right places and is named by the time of keying.
TEST_F(AirRecorderTest, RecordsATransmissionOnTheClocksTimeLine) {
    recorder_.setKeyed(true);
    clock_.advanceBy(0.5);
    playSeconds(1.0, 1000);
    playSeconds(0.5, 2000);  // queued: plays after the first second
    EXPECT_TRUE(recorder_.busy());
    clock_.advanceBy(1.4);
    EXPECT_TRUE(recorder_.busy());
    clock_.advanceBy(0.1);
    EXPECT_FALSE(recorder_.busy());
    clock_.advanceBy(0.5);
    recorder_.setKeyed(false);

    EXPECT_EQ(recorder_.lastFile(), folder_.string() + "/air/2026-12-10_14-05-00.000.wav");
    int rate = 0;
    const auto samples = readWav(recorder_.lastFile(), &rate);
    EXPECT_EQ(rate, kVoiceSampleRate);
    ASSERT_EQ(samples.size(), static_cast<std::size_t>(2.5 * kVoiceSampleRate));
    const auto at = [&](double s) {
        return samples[static_cast<std::size_t>(s * kVoiceSampleRate)];
    };
    EXPECT_EQ(at(0.49), 0);
    EXPECT_EQ(at(0.51), 1000);
    EXPECT_EQ(at(1.49), 1000);
    EXPECT_EQ(at(1.51), 2000);
    EXPECT_EQ(at(1.99), 2000);
    EXPECT_EQ(at(2.01), 0);
}

// Unkeyed audio keeps the output busy as long as it lasts but is not on the air; a purge cuts
// what has not played yet; unkeying cuts what would play after the transmitter dropped.
TEST_F(AirRecorderTest, KeepsOnlyWhatWasOnTheAir) {
    playSeconds(2.0, 500);  // before keying: paced, not kept
    recorder_.setKeyed(true);
    EXPECT_TRUE(recorder_.busy());
    clock_.advanceBy(2.0);
    EXPECT_FALSE(recorder_.busy());

    playSeconds(3.0, 1000);
    clock_.advanceBy(1.0);
    recorder_.clear();
    EXPECT_FALSE(recorder_.busy());
    playSeconds(3.0, 2000);
    clock_.advanceBy(1.0);
    recorder_.setKeyed(false);

    const auto samples = readWav(recorder_.lastFile());
    ASSERT_EQ(samples.size(), static_cast<std::size_t>(4 * kVoiceSampleRate));
    const auto at = [&](double s) {
        return samples[static_cast<std::size_t>(s * kVoiceSampleRate)];
    };
    EXPECT_EQ(at(1.9), 0);
    EXPECT_EQ(at(2.5), 1000);
    EXPECT_EQ(at(3.5), 2000);
}

TEST_F(AirRecorderTest, TwoTransmissionsInOneMillisecondGetTwoFiles) {
    recorder_.setKeyed(true);
    recorder_.setKeyed(false);
    const std::string first = recorder_.lastFile();
    recorder_.setKeyed(true);
    recorder_.setKeyed(false);
    EXPECT_NE(recorder_.lastFile(), first);
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_TRUE(std::filesystem::exists(recorder_.lastFile()));
}

// After each file the oldest recordings go until the folder fits its limit; whatever else the
// owner keeps there stays and does not count.
TEST_F(AirRecorderTest, KeepsItsFolderWithinTheLimitOldestFirst) {
    namespace fs = std::filesystem;
    const fs::path air = folder_ / "air";
    fs::create_directories(air / "2026-01-01_00-00-00.000.wav");  // a folder, not a recording
    const auto put = [&](const std::string& name, std::size_t bytes) {
        std::ofstream(air / name, std::ios::binary) << std::string(bytes, 'x');
    };
    const std::vector<std::string> older = {
        "2026-12-09_10-00-00.000.wav", "2026-12-09_10-00-00.000_2.wav",
        "2026-12-09_23-59-59.999.wav", "2026-12-10_09-00-00.000.wav",
        "2026-12-10_14-04-59.999.wav"};
    for (const auto& name : older)
        put(name, 10000);
    put("my net.wav", 900000);
    put("notes.txt", 10);

    // One second of audio: 44 bytes of header and 44100 of samples.
    constexpr std::uint64_t kFile = 44144;
    recorder_.setMaxBytes(kFile + 2 * 10000 + 5000);
    recorder_.setKeyed(true);
    playSeconds(1.0, 1000);
    clock_.advanceBy(1.0);
    recorder_.setKeyed(false);

    ASSERT_EQ(fs::file_size(recorder_.lastFile()), kFile);
    for (std::size_t i = 0; i < older.size(); ++i)
        EXPECT_EQ(fs::exists(air / older[i]), i >= 3) << older[i];
    EXPECT_TRUE(fs::exists(air / "my net.wav"));
    EXPECT_TRUE(fs::exists(air / "notes.txt"));
    EXPECT_TRUE(fs::is_directory(air / "2026-01-01_00-00-00.000.wav"));

    // A limit smaller than the newest file alone: every other recording goes, that one stays.
    recorder_.setMaxBytes(1000);
    recorder_.setKeyed(true);
    playSeconds(1.0, 1000);
    clock_.advanceBy(1.0);
    recorder_.setKeyed(false);
    std::vector<std::string> recordings;
    for (const auto& entry : fs::directory_iterator(air)) {
        if (entry.path().extension() == ".wav" && entry.is_regular_file())
            recordings.push_back(entry.path().filename().string());
    }
    std::sort(recordings.begin(), recordings.end());
    EXPECT_EQ(recordings, (std::vector<std::string>{"2026-12-10_14-05-01.000.wav", "my net.wav"}));
}

}  // namespace
}  // namespace vox
