#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/base/wav_file.h"
#include "core/parts/prepared_files.h"

namespace vox {
namespace {
namespace fs = std::filesystem;

class PreparedFiles : public ::testing::Test {
protected:
    TempFolder temp;
    const std::filesystem::path root{temp.path};
};

TEST_F(PreparedFiles, ANewFolderGetsBurstAndBeepButNoIdentification) {
    std::string error;
    ASSERT_TRUE(writeDefaultPreparedFiles(ProgramFolder(root.string()), &error)) << error;
    EXPECT_NEAR(wavDurationSeconds((root / "wav/burst.wav").string()).value_or(-1), 0.5, 1e-4);
    EXPECT_NEAR(wavDurationSeconds((root / "wav/beep.wav").string()).value_or(-1), 0.12, 1e-4);
    EXPECT_FALSE(fs::exists(root / "wav/id.wav"));
}

TEST_F(PreparedFiles, TheOwnersFilesAreKeptWhateverTheirCase) {
    fs::create_directories(root / "WAV");
    std::ofstream(root / "WAV/Burst.WAV") << "owner's burst";
    ASSERT_TRUE(writeDefaultPreparedFiles(ProgramFolder(root.string())));
    EXPECT_EQ(readFile(root / "WAV/Burst.WAV"), "owner's burst");
    // The missing beep goes into the owner's folder; no second folder appears.
    EXPECT_TRUE(wavDurationSeconds((root / "WAV/beep.wav").string()));
    EXPECT_FALSE(fs::exists(root / "wav"));
}

TEST_F(PreparedFiles, AFolderThatCannotBeWrittenIsReported) {
    std::ofstream(root / "wav") << "a file where the folder should be";
    std::string error;
    EXPECT_FALSE(writeDefaultPreparedFiles(ProgramFolder(root.string()), &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vox
