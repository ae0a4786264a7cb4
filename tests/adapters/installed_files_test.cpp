#include <gtest/gtest.h>

#include <filesystem>

#include "adapters/installed_files.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

// The test runs from build/tests/, as an installed program runs from /usr/bin/: its shared files
// are in the share/voxclock folder beside its own, whatever the current folder.
TEST(InstalledFiles, TheManualIsFoundBesideTheProgramsFolderNotTheCurrentOne) {
    const fs::path before = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(fs::path(sharedFilesFolder()),
              exe.parent_path().parent_path() / "share" / "voxclock");
    EXPECT_EQ(fs::path(installedManual()), fs::path(sharedFilesFolder()) / "manual.html");
    EXPECT_TRUE(fs::is_regular_file(installedManual()));
    fs::current_path(before);
}

}  // namespace
}  // namespace vox
