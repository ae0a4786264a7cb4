#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "adapters/wav_decode.h"
#include "adapters/wav_stream_output.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

std::vector<std::int16_t> ramp(std::size_t n, int from) {
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::int16_t>(from + static_cast<int>(i) * 7);
    return v;
}

// Written as it comes, a purge in between: the file holds what came after the purge, with its
// sizes in the header, and reads back sample for sample.
TEST(WavStreamOutput, AFileHoldsWhatCameAfterTheLastPurge) {
    TempFolder f;
    const fs::path path = fs::path(f.path) / "said.wav";
    WavStreamOutput out;
    std::string error;
    ASSERT_TRUE(out.open(path.string(), &error)) << error;
    const auto dropped = ramp(5000, -20000);
    out.play(dropped.data(), dropped.size());
    out.clear();
    const auto first = ramp(3000, -30000), second = ramp(10001, 100);
    out.play(first.data(), first.size());
    out.play(second.data(), second.size());
    ASSERT_TRUE(out.finish(&error)) << error;

    std::vector<std::int16_t> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    const std::string bytes = readFile(path);
    ASSERT_EQ(bytes.size(), 44u + 2 * expected.size());
    auto le32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
    };
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(le32(4), bytes.size() - 8);
    EXPECT_EQ(le32(24), 22050u);
    EXPECT_EQ(bytes.substr(36, 4), "data");
    EXPECT_EQ(le32(40), 2 * expected.size());
    std::vector<std::int16_t> data(expected.size());
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[44 + 2 * i]) |
                                            static_cast<unsigned char>(bytes[45 + 2 * i]) << 8);
    EXPECT_EQ(data, expected);
    // And any reader takes it for what it is.
    EXPECT_EQ(decodeAudioFile(path.string()).samples.size(), expected.size());
}

// Into a pipe (voxclock say --wav /dev/stdout | ...): the same bytes as into a file.
TEST(WavStreamOutput, APipeGetsTheSameBytesAsAFile) {
    TempFolder f;
    const auto samples = ramp(7000, -1000);
    WavStreamOutput toFile;
    std::string error;
    ASSERT_TRUE(toFile.open((fs::path(f.path) / "file.wav").string(), &error)) << error;
    toFile.play(samples.data(), samples.size());
    ASSERT_TRUE(toFile.finish(&error)) << error;

    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::string piped;
    std::thread reader([&] {
        char buffer[4096];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            piped.append(buffer, static_cast<std::size_t>(n));
    });
    {
        WavStreamOutput toPipe;
        const bool opened = toPipe.open("/proc/self/fd/" + std::to_string(fds[1]), &error);
        ::close(fds[1]);
        EXPECT_TRUE(opened) << error;
        toPipe.play(samples.data(), samples.size());
        EXPECT_TRUE(toPipe.finish(&error)) << error;
    }
    reader.join();
    ::close(fds[0]);
    EXPECT_EQ(piped, readFile(fs::path(f.path) / "file.wav"));
}

TEST(WavStreamOutput, NoFileIsLeftWhenItCannotBeMadeOrIsNeverFinished) {
    TempFolder f;
    std::string error;
    WavStreamOutput nowhere;
    EXPECT_FALSE(nowhere.open((fs::path(f.path) / "missing" / "said.wav").string(), &error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;

    {
        WavStreamOutput unfinished;
        ASSERT_TRUE(unfinished.open((fs::path(f.path) / "half.wav").string(), &error)) << error;
        const auto samples = ramp(100, 0);
        unfinished.play(samples.data(), samples.size());
    }
    EXPECT_FALSE(fs::exists(fs::path(f.path) / "half.wav"));
}

}  // namespace
}  // namespace vox
