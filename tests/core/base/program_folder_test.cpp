#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/base/program_folder.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, BackslashPathsMapToSubFoldersAndNamesMatchAnyCase) {
    TempFolder temp;
    const fs::path root = temp.path;
    fs::create_directories(root / "WAV");
    std::ofstream(root / "WAV" / "Id.Wav") << "x";
    std::ofstream(root / "voxclocklog.txt") << "x";
    const ProgramFolder folder(root.string() + "/");

    EXPECT_EQ(folder.path("\\wav\\id.wav"), (root / "wav" / "id.wav").string());
    EXPECT_EQ(folder.findCaseInsensitive("\\wav\\id.wav"), (root / "WAV" / "Id.Wav").string());
    EXPECT_EQ(folder.findCaseInsensitive("\\VoxclockLog.txt"), (root / "voxclocklog.txt").string());
    // Names that are not there keep the spelling asked for, under the folder found.
    EXPECT_EQ(folder.findCaseInsensitive("wav/beep.wav"), (root / "WAV" / "beep.wav").string());
}

TEST(ProgramFolder, ChosenFromTheOptionThenTheEnvironmentThenHome) {
    ::setenv("VOXCLOCK_HOME", "/srv/node", 1);
    EXPECT_EQ(ProgramFolder::choose("/tmp/x"), "/tmp/x");
    EXPECT_EQ(ProgramFolder::choose(""), "/srv/node");
    ::unsetenv("VOXCLOCK_HOME");
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", "/home/op", 1);
    EXPECT_EQ(ProgramFolder::choose(""), "/home/op/.local/share/voxclock");
    ::setenv("HOME", home.c_str(), 1);
}

TEST(ProgramFolder, IsCreatedOnFirstUse) {
    TempFolder temp;
    const fs::path root = fs::path(temp.path) / "new" / "deeper";
    std::string error;
    EXPECT_TRUE(ProgramFolder(root.string()).ensureExists(&error)) << error;
    EXPECT_TRUE(fs::is_directory(root));
}

}  // namespace
}  // namespace vox
