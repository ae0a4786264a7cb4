#include "core/base/atomic_file.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/temp_folder.h"

namespace vox {
namespace {
namespace fs = std::filesystem;

std::string goldenSettings() {
    return readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini");
}

// A disk that takes `room` bytes and then answers like a full one.
ChunkWriter fillsUpAfter(std::size_t room, int err, long whenFull = -1) {
    return [room, err, whenFull](int fd, const char* data, std::size_t size) mutable -> long {
        const std::size_t n = std::min(size, room);
        room -= n;
        if (n == 0) {
            errno = err;
            return whenFull;
        }
        return static_cast<long>(::write(fd, data, n));
    };
}

TEST(AtomicFile, AWriteThatFailsPartWayLeavesTheOldFileWholeAndSaysWhy) {
    const std::string old = goldenSettings();
    ASSERT_GT(old.size(), 100u);
    const std::string changed = std::string(old.size() * 2, 'N');
    const struct {
        const char* what;
        std::size_t room;
        int err;
        long whenFull;
        const char* reason;
    } cases[] = {
        {"nothing written", 0, ENOSPC, -1, "No space left on device"},
        {"one byte", 1, ENOSPC, -1, "No space left on device"},
        {"as long as the old file", old.size(), ENOSPC, -1, "No space left on device"},
        {"all but the last byte", changed.size() - 1, ENOSPC, -1, "No space left on device"},
        {"an I/O error halfway", changed.size() / 2, EIO, -1, "Input/output error"},
        {"a write that makes no progress", 10, 0, 0, "No space left on device"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        const std::string path = dir.file("voxclock.ini");
        writeFile(path, old);
        std::string error;
        EXPECT_FALSE(
            writeFileAtomically(path, changed, &error, fillsUpAfter(c.room, c.err, c.whenFull)))
            << c.what;
        EXPECT_EQ(error, "Cannot write " + atomicTempPath(path) + ": " + c.reason) << c.what;
        EXPECT_EQ(readFile(path), old) << c.what;
        EXPECT_FALSE(fs::exists(atomicTempPath(path))) << c.what;

        // With no file before, none after.
        const std::string fresh = dir.file("new.ini");
        EXPECT_FALSE(
            writeFileAtomically(fresh, changed, nullptr, fillsUpAfter(c.room, c.err, c.whenFull)))
            << c.what;
        EXPECT_FALSE(fs::exists(fresh)) << c.what;
        EXPECT_FALSE(fs::exists(atomicTempPath(fresh))) << c.what;
    }
}

TEST(AtomicFile, InterruptedAndShortWritesStillWriteItAll) {
    TempFolder dir;
    const std::string path = dir.file("voxclock.ini");
    writeFile(path, "old");
    int calls = 0;
    const ChunkWriter bytewise = [&](int fd, const char* data, std::size_t) -> long {
        if (++calls % 3 == 0) {
            errno = EINTR;
            return -1;
        }
        return static_cast<long>(::write(fd, data, 1));
    };
    const std::string golden = goldenSettings();
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, golden, &error, bytewise)) << error;
    EXPECT_EQ(readFile(path), golden);
    EXPECT_FALSE(fs::exists(atomicTempPath(path)));
}

// The kernel's own refusal, not a played one: a file-size limit makes the write fail part-way
// with EFBIG, as a full disk makes it fail with ENOSPC. The limit is set in a child process so
// this process and its other tests keep theirs.
TEST(AtomicFile, TheSystemRefusingMoreBytesLeavesTheOldSettingsFile) {
    TempFolder dir;
    const std::string path = dir.file("voxclock.ini");
    const std::string old = goldenSettings();
    writeFile(path, old);
    const std::string changed(64 * 1024, 'N');

    const auto saveUnderALimit = [&] {
        std::signal(SIGXFSZ, SIG_IGN);  // a failed write instead of a killed process
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = std::min<rlim_t>(4096, limit.rlim_max);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            std::_Exit(2);
        std::string error;
        const bool saved = writeFileAtomically(path, changed, &error);
        std::fprintf(stderr, "%s\n", error.c_str());
        std::_Exit(saved ? 0 : 3);
    };
    EXPECT_EXIT(saveUnderALimit(), ::testing::ExitedWithCode(3),
                "Cannot write .*voxclock\\.ini\\.tmp: File too large");
    EXPECT_EQ(readFile(path), old);
    EXPECT_FALSE(fs::exists(atomicTempPath(path)));
}

}  // namespace
}  // namespace vox
