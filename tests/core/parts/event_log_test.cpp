#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/base/virtual_time.h"
#include "core/parts/event_log.h"

#include "tests/support/temp_folder.h"

namespace vox {
namespace {
namespace fs = std::filesystem;

struct LogFixture {
    TempFolder dir;
    VirtualClock clock{LocalTime{2030, 1, 1, 0, 0, 5, 0}};
    EventLog log{ProgramFolder(dir.path), clock};
};

TEST(EventLog, LinesAreStampedAndTextsKeptAsTheyAre) {
    LogFixture f;
    std::vector<std::string> seen;
    f.log.onLine = [&](const std::string& text) { seen.push_back(text); };
    f.log.LogEvent("<EchoLink> connected: W1AW");
    f.clock.advanceBy(9 * 3600 + 44 * 60 + 25.9);
    f.log.LogEvent("Quiet Time STOP  - EchoLink enabled.");
    EXPECT_EQ(readFile(fs::path(f.dir.path) / "VoxclockLog.txt"),
              "01/01/30 00:00:05 <EchoLink> connected: W1AW\r\n"
              "01/01/30 09:44:30 Quiet Time STOP  - EchoLink enabled.\r\n");
    EXPECT_EQ(seen, (std::vector<std::string>{"<EchoLink> connected: W1AW",
                                              "Quiet Time STOP  - EchoLink enabled."}));
    EXPECT_EQ(
        formatEventLine(LocalTime{2026, 12, 6, 9, 44, 30, 0}, "Voxclock Connect try: N0CALL-L"),
        "12/06/26 09:44:30 Voxclock Connect try: N0CALL-L\r\n");
}

TEST(EventLog, ViewAndDeleteReachTheFileWhateverItsLetterCase) {
    LogFixture f;
    std::string target;
    EXPECT_FALSE(f.log.ViewTarget(&target));
    f.log.DeleteLog();  // nothing there: silently nothing

    const fs::path lower = fs::path(f.dir.path) / "voxclocklog.txt";
    std::ofstream(lower, std::ios::binary) << "old line\r\n";
    f.log.LogEvent("appended");
    EXPECT_EQ(readFile(lower), "old line\r\n01/01/30 00:00:05 appended\r\n");
    EXPECT_FALSE(fs::exists(fs::path(f.dir.path) / "VoxclockLog.txt"));
    ASSERT_TRUE(f.log.ViewTarget(&target));
    EXPECT_EQ(fs::path(target), lower);

    f.log.DeleteLog();
    EXPECT_FALSE(fs::exists(lower));
    f.log.LogEvent("fresh");
    EXPECT_EQ(readFile(fs::path(f.dir.path) / "VoxclockLog.txt"), "01/01/30 00:00:05 fresh\r\n");
}

TEST(EventLog, AnUnwritableFolderLosesOnlyTheLines) {
    TempFolder dir;
    const std::string notAFolder = (fs::path(dir.path) / "plain-file").string();
    std::ofstream(notAFolder) << "x";
    VirtualClock clock{LocalTime{2030, 1, 1}};
    EventLog log{ProgramFolder(notAFolder), clock};
    int seen = 0;
    log.onLine = [&](const std::string&) { ++seen; };
    EXPECT_NO_THROW(log.LogEvent("lost"));
    EXPECT_EQ(seen, 1);
    std::string target;
    EXPECT_FALSE(log.ViewTarget(&target));
    EXPECT_NO_THROW(log.DeleteLog());
    EXPECT_EQ(readFile(notAFolder), "x");
}

// Each line below is 28 bytes: "01/01/30 00:00:05 event NN\r\n".
std::string eventLine(int n) {
    return "01/01/30 00:00:05 event " + std::to_string(n) + "\r\n";
}

TEST(EventLog, AFullLogBecomesTheOldCopyAndTheLineStartsANewOne) {
    TempFolder dir;
    VirtualClock clock{LocalTime{2030, 1, 1, 0, 0, 5, 0}};
    EventLog log{ProgramFolder(dir.path), clock, 56};  // two lines exactly
    const fs::path current = fs::path(dir.path) / "VoxclockLog.txt";
    const fs::path old = fs::path(dir.path) / "VoxclockLog.old.txt";
    log.LogEvent("event 10");
    log.LogEvent("event 11");
    EXPECT_EQ(readFile(current), eventLine(10) + eventLine(11));
    EXPECT_FALSE(fs::exists(old));

    log.LogEvent("event 12");
    EXPECT_EQ(readFile(old), eventLine(10) + eventLine(11));
    EXPECT_EQ(readFile(current), eventLine(12));
    std::string target;
    ASSERT_TRUE(log.ViewTarget(&target));
    EXPECT_EQ(fs::path(target), current);

    // One older copy only: the next rotation replaces it.
    log.LogEvent("event 13");
    log.LogEvent("event 14");
    EXPECT_EQ(readFile(old), eventLine(12) + eventLine(13));
    EXPECT_EQ(readFile(current), eventLine(14));

    // Delete leaves nothing of the diary.
    log.DeleteLog();
    EXPECT_FALSE(fs::exists(current));
    EXPECT_FALSE(fs::exists(old));
    EXPECT_FALSE(log.ViewTarget(&target));
}

TEST(EventLog, TheOldCopyIsFoundInAnyLetterCaseAndABlockedOneCostsNoLine) {
    TempFolder dir;
    VirtualClock clock{LocalTime{2030, 1, 1, 0, 0, 5, 0}};
    EventLog log{ProgramFolder(dir.path), clock, 56};
    const fs::path lowerOld = fs::path(dir.path) / "voxclocklog.old.txt";
    std::ofstream(lowerOld, std::ios::binary) << "from last year\r\n";
    log.LogEvent("event 10");
    log.LogEvent("event 11");
    log.LogEvent("event 12");
    EXPECT_EQ(readFile(lowerOld), eventLine(10) + eventLine(11));
    EXPECT_FALSE(fs::exists(fs::path(dir.path) / "VoxclockLog.old.txt"));

    // The old copy cannot be replaced: the log grows past its size rather than lose events.
    fs::remove(lowerOld);
    fs::create_directories(fs::path(dir.path) / "VoxclockLog.old.txt" / "in-the-way");
    log.LogEvent("event 13");
    log.LogEvent("event 14");
    EXPECT_EQ(readFile(fs::path(dir.path) / "VoxclockLog.txt"),
              eventLine(12) + eventLine(13) + eventLine(14));
}

}  // namespace
}  // namespace vox
