#include "core/base/rotating_log_file.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/temp_folder.h"

namespace vox {
namespace {
namespace fs = std::filesystem;

// Nine bytes on disk per line: "record-N\n".
std::string record(int n) {
    return "record-" + std::to_string(n);
}

TEST(RotatingLogFile, MovesAFullFileAsideAndStartsANewOneWithTheLineThatDidNotFit) {
    TempFolder dir;
    RotatingLogFile log(dir.file("air.log"), 27);  // three records exactly
    EXPECT_EQ(log.rotatedPath(), dir.file("air.log.1"));
    for (int n = 1; n <= 3; ++n)
        ASSERT_TRUE(log.append(record(n)));
    EXPECT_EQ(readFile(log.path()), "record-1\nrecord-2\nrecord-3\n");
    EXPECT_FALSE(fs::exists(log.rotatedPath()));

    ASSERT_TRUE(log.append(record(4)));
    EXPECT_EQ(readFile(log.rotatedPath()), "record-1\nrecord-2\nrecord-3\n");
    EXPECT_EQ(readFile(log.path()), "record-4\n");

    // The next rotation replaces the older copy: never more than two files.
    for (int n = 5; n <= 7; ++n)
        ASSERT_TRUE(log.append(record(n)));
    EXPECT_EQ(readFile(log.rotatedPath()), "record-4\nrecord-5\nrecord-6\n");
    EXPECT_EQ(readFile(log.path()), "record-7\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2);
}

TEST(RotatingLogFile, ALineLongerThanTheLimitIsKeptInAFileOfItsOwn) {
    TempFolder dir;
    RotatingLogFile log(dir.file("air.log"), 10);
    const std::string longLine(25, 'x');
    ASSERT_TRUE(log.append(longLine));  // empty file: written, not lost
    EXPECT_EQ(readFile(log.path()), longLine + "\n");
    ASSERT_TRUE(log.append(record(1)));
    EXPECT_EQ(readFile(log.rotatedPath()), longLine + "\n");
    EXPECT_EQ(readFile(log.path()), "record-1\n");
}

TEST(RotatingLogFile, AFileLeftOverTheLimitByAnEarlierRunIsRotatedAtItsFirstLine) {
    TempFolder dir;
    std::ofstream(dir.file("air.log"), std::ios::binary) << std::string(500, 'o') << "\n";
    RotatingLogFile log(dir.file("air.log"), 100);
    ASSERT_TRUE(log.append(record(1)));
    EXPECT_EQ(readFile(log.rotatedPath()).size(), 501u);
    EXPECT_EQ(readFile(log.path()), "record-1\n");
}

TEST(RotatingLogFile, NoLimitNeverRotates) {
    TempFolder dir;
    RotatingLogFile log(dir.file("air.log"), 0);
    for (int n = 0; n < 1000; ++n)
        ASSERT_TRUE(log.append(record(n)));
    EXPECT_GT(readFile(log.path()).size(), 9000u);
    EXPECT_FALSE(fs::exists(log.rotatedPath()));
}

// A disk that fills up after a number of bytes, and is freed again.
struct FillingDisk {
    long write(int fd, const char* data, std::size_t size) {
        if (full) {
            const std::size_t room = std::min(size, roomLeft);
            roomLeft -= room;
            if (room == 0) {
                errno = ENOSPC;
                return -1;
            }
            return static_cast<long>(::write(fd, data, room));
        }
        return static_cast<long>(::write(fd, data, size));
    }
    bool full = false;
    std::size_t roomLeft = 0;
};

TEST(RotatingLogFile, AFullDiskLosesTheLineWholeAndTheNextLineTriesAgain) {
    // Room for none of the line, part of it, all but its line feed.
    for (const std::size_t room : {0u, 4u, 8u}) {
        TempFolder dir;
        FillingDisk disk;
        RotatingLogFile log(dir.file("air.log"), 1000, [&](int fd, const char* d, std::size_t n) {
            return disk.write(fd, d, n);
        });
        ASSERT_TRUE(log.append(record(1)));
        disk.full = true;
        disk.roomLeft = room;
        std::string error;
        EXPECT_FALSE(log.append(record(2), &error)) << room;
        EXPECT_EQ(error, "Cannot write " + log.path() + ": No space left on device") << room;
        EXPECT_EQ(readFile(log.path()), "record-1\n") << room;  // no half line

        disk.full = false;
        ASSERT_TRUE(log.append(record(3))) << room;
        EXPECT_EQ(readFile(log.path()), "record-1\nrecord-3\n") << room;
    }
}

TEST(RotatingLogFile, InterruptedAndShortWritesStillWriteTheWholeLine) {
    TempFolder dir;
    int calls = 0;
    RotatingLogFile log(dir.file("air.log"), 0, [&](int fd, const char* d, std::size_t) -> long {
        if (++calls % 2 == 0) {
            errno = EINTR;
            return -1;
        }
        return static_cast<long>(::write(fd, d, 1));
    });
    ASSERT_TRUE(log.append("abc"));
    EXPECT_EQ(readFile(log.path()), "abc\n");
}

TEST(RotatingLogFile, AFolderThatGoesAwayFailsEachLineUntilItIsBack) {
    TempFolder dir;
    const std::string folder = dir.file("home");
    fs::create_directory(folder);
    RotatingLogFile log(folder + "/air.log", 100);
    ASSERT_TRUE(log.append(record(1)));
    fs::remove_all(folder);

    std::string error;
    EXPECT_FALSE(log.append(record(2), &error));
    EXPECT_EQ(error, "Cannot open " + log.path() + ": No such file or directory");
    EXPECT_FALSE(log.append(record(3), &error));

    fs::create_directory(folder);
    ASSERT_TRUE(log.append(record(4)));
    EXPECT_EQ(readFile(log.path()), "record-4\n");
}

TEST(RotatingLogFile, AFileThatCannotBeMovedAsideStillTakesTheLine) {
    TempFolder dir;
    RotatingLogFile log(dir.file("air.log"), 18);
    ASSERT_TRUE(log.append(record(1)));
    ASSERT_TRUE(log.append(record(2)));
    // Something the rename cannot replace where the older copy goes.
    fs::create_directories(fs::path(log.rotatedPath()) / "in-the-way");

    std::string error;
    EXPECT_FALSE(log.append(record(3), &error));
    EXPECT_EQ(error.rfind("Cannot move " + log.path() + " to " + log.rotatedPath() + ": ", 0), 0u)
        << error;
    EXPECT_EQ(readFile(log.path()), "record-1\nrecord-2\nrecord-3\n");

    fs::remove_all(log.rotatedPath());
    ASSERT_TRUE(log.append(record(4)));
    EXPECT_EQ(readFile(log.rotatedPath()), "record-1\nrecord-2\nrecord-3\n");
    EXPECT_EQ(readFile(log.path()), "record-4\n");
}

}  // namespace
}  // namespace vox
