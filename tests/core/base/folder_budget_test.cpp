#include "core/base/folder_budget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vox {
namespace {

using Names = std::vector<std::string>;

TEST(AirRecordingNames, AreTheTimeOfKeyingAndOnlyThoseAreTheRecorders) {
    const LocalTime t{2026, 12, 10, 14, 5, 0, 7};
    EXPECT_EQ(airRecordingName(t), "2026-12-10_14-05-00.007.wav");
    EXPECT_EQ(airRecordingName(t, 2), "2026-12-10_14-05-00.007_2.wav");
    EXPECT_EQ(airRecordingName(t, 12), "2026-12-10_14-05-00.007_12.wav");

    for (const char* name : {"2026-12-10_14-05-00.007.wav", "2026-12-10_14-05-00.007_2.wav",
                             "1999-01-01_00-00-00.000_31.wav"}) {
        EXPECT_TRUE(isAirRecordingName(name)) << name;
    }
    for (const char* name : {
             "notes.txt",
             "my-net-2026.wav",
             "2026-12-10_14-05-00.007.WAV",      // renamed by hand
             "2026-12-10_14-05-00.007.wav.bak",  // a copy put aside
             "copy of 2026-12-10_14-05-00.007.wav",
             "2026-12-10 14-05-00.007.wav",
             "2026-12-10_14-05-00.07a.wav",
             "2026-12-10_14-05-00.007_.wav",
             "2026-12-10_14-05-00.007_1.wav",
             "2026-12-10_14-05-00.007_02.wav",
             "2026-12-10_14-05-00.007_2x.wav",
             "2026-12-10_14-05-00.007_99999999999.wav",
             "2026-12-10_14-05-00.007",
             ".wav",
             "",
         }) {
        EXPECT_FALSE(isAirRecordingName(name)) << name;
    }
}

TEST(AirRecordingBudget, DropsTheOldestByNameUntilTheRestFitNeverTheNewestNorForeignFiles) {
    const std::string a = "2026-01-01_08-00-00.000.wav";
    const std::string b = "2026-01-01_08-00-00.000_2.wav";
    const std::string c =
        "2026-01-01_08-00-00.000_10.wav";  // after _2, though it sorts before as text
    const std::string d = "2026-01-02_07-59-59.999.wav";
    const std::string e = "2026-02-01_00-00-00.000.wav";
    const std::vector<FolderFile> folder = {
        // Not in age order, as a folder listing comes.
        {e, 100}, {c, 100},         {"owner's net.wav", 100000}, {a, 100}, {d, 100},
        {b, 100}, {"notes.txt", 5},
    };
    const struct {
        const char* what;
        std::uint64_t maxBytes;
        std::string keep;
        Names dropped;
    } cases[] = {
        {"no limit", 0, e, {}},
        {"well under", 10000, e, {}},
        {"exactly at the limit", 500, e, {}},
        {"one byte over", 499, e, {a}},
        {"room for two", 250, e, {a, b, c}},
        {"the newest alone is over", 50, e, {a, b, c, d}},
        // A clock set back: the file just written is not the last by name and still stays.
        {"kept file in the middle", 250, b, {a, c, d}},
    };
    for (const auto& t : cases) {
        EXPECT_EQ(airRecordingsOverBudget(folder, t.maxBytes, t.keep), t.dropped) << t.what;
    }
}

}  // namespace
}  // namespace vox
