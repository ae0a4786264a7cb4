#include "ui/log_menu.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/base/virtual_time.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

// The log on disk under the spellings it may have; empty = no log.
class LogMenuTest : public ::testing::TestWithParam<std::string> {
protected:
    LogMenuTest() : clock({2026, 12, 6, 9, 44, 30}), folder(dir.path), log(folder, clock) {
        if (!GetParam().empty())
            std::ofstream(path()) << "12/06/26 09:00:00 old\r\n";
    }
    std::string path() const { return (fs::path(folder.root()) / GetParam()).string(); }
    int filesInFolder() const {
        return static_cast<int>(std::distance(fs::directory_iterator(folder.root()), {}));
    }

    TempFolder dir;
    VirtualClock clock;
    ProgramFolder folder;
    EventLog log;
    std::vector<QUrl> opened;
    UrlOpener opener = [this](const QUrl& u) {
        opened.push_back(u);
        return true;
    };
};

TEST_P(LogMenuTest, ViewOpensTheLogThereIsAndNothingElse) {
    viewEventLog(log, opener);
    if (GetParam().empty()) {
        EXPECT_TRUE(opened.empty());
    } else {
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(path())));
    }
    // No handler for text files: still silent.
    viewEventLog(log, [](const QUrl&) { return false; });
    viewEventLog(log, nullptr);
}

TEST_P(LogMenuTest, DeleteRemovesTheLogAndTheNextEventStartsAFreshOne) {
    deleteEventLog(log);
    EXPECT_EQ(filesInFolder(), 0);
    deleteEventLog(log);  // nothing left to delete: silent

    log.LogEvent("Voxclock Connect try: N0CALL-L");
    EXPECT_EQ(filesInFolder(), 1);
    viewEventLog(log, opener);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(readFile(opened[0].toLocalFile().toStdString()),
              "12/06/26 09:44:30 Voxclock Connect try: N0CALL-L\r\n");
}

INSTANTIATE_TEST_SUITE_P(Spellings, LogMenuTest,
                         ::testing::Values("", "VoxclockLog.txt", "voxclocklog.txt",
                                           "VOXCLOCKLOG.TXT"));

}  // namespace
}  // namespace vox
