#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/sim/dry_run.h"
#include "core/sim/events_file.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

const std::string kData = VOXCLOCK_TEST_DATA;

TEST(DryRun, AnHourFromAnEventsFileMatchesTheExpectedAirLog) {
    std::ostringstream out, err;
    const int status = runDryRun({kData + "/simulate/home", "2026-12-10 11:59:00",
                                  "2026-12-10 12:59:00", kData + "/simulate/one_hour.events"},
                                 out, err);
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_EQ(out.str(), readFile(kData + "/simulate/one_hour.expected.jsonl"));
    // The owner's folder is only read: nothing was added to it.
    EXPECT_FALSE(std::ifstream(kData + "/simulate/home/VoxclockLog.txt").good());
    EXPECT_FALSE(std::ifstream(kData + "/simulate/home/voxclock.lock").good());
}

TEST(DryRun, AReceiverBusyFromJustAfterTheHourDoesNotHoldOurTransmitter) {
    // The hour is announced with the identification after it; a user keys up two seconds in and
    // stays for the rest of the hour.
    const std::string events = "/tmp/voxclock-dry-run-rx.events";
    std::ofstream(events) << "10:00:02 rx on\n";
    std::ostringstream out, err;
    ASSERT_EQ(
        runDryRun({kData + "/simulate/home", "2026-12-10 09:59:30", "2026-12-10 11:00:00", events},
                  out, err),
        0)
        << err.str();
    std::remove(events.c_str());
    std::vector<std::string> ptt;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);)
        if (line.find("\"ev\":\"ptt\"") != std::string::npos)
            ptt.push_back(line.substr(17, 8) +
                          (line.find("true") != std::string::npos ? " on" : " off"));
    // Keyed for the time and the identification only: off again within ten seconds, and not
    // keyed again while the receiver stays busy.
    ASSERT_FALSE(ptt.empty());
    EXPECT_EQ(ptt.front(), "10:00:00 on");
    bool keyed = false;
    for (const auto& p : ptt) {
        if (p >= "10:00:10")
            EXPECT_EQ(p.substr(9), "off") << p;
        else
            keyed = p.substr(9) == "on";
    }
    EXPECT_FALSE(keyed) << "still keyed at 10:00:10";
}

TEST(DryRun, ABadEventLineStopsTheRunBeforeItStarts) {
    const std::string events = "/tmp/voxclock-dry-run-bad.events";
    std::ofstream(events) << "# fine\n12:00:00 rx on\n\n12:01:00 rx sideways\n";
    std::ostringstream out, err;
    EXPECT_EQ(
        runDryRun({"/nonexistent", "2026-12-10 11:59:00", "2026-12-10 12:59:00", events}, out, err),
        2);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("events file line 4"), std::string::npos) << err.str();
    std::remove(events.c_str());
}

TEST(EventsFile, TimesAndDatesOfLines) {
    const LocalTime from{2026, 12, 10, 22, 0, 0, 0};
    std::vector<TimedCommand> out;
    std::string error;
    ASSERT_TRUE(
        parseEventsFile("23:00:00 rx on\r\n  # comment\n01:00:00 rx off\n"
                        "2026-12-12 08:00:00 connect W1AW\n",
                        from, &out, &error))
        << error;
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].when, (LocalTime{2026, 12, 10, 23, 0, 0, 0}));
    EXPECT_EQ(out[1].when, (LocalTime{2026, 12, 11, 1, 0, 0, 0}));  // the next day
    EXPECT_EQ(out[2].when, (LocalTime{2026, 12, 12, 8, 0, 0, 0}));
    EXPECT_EQ(out[2].line, 4);

    const struct {
        const char* text;
        const char* error;
    } bad[] = {
        {"rx on\n", "events file line 1: expected"},
        {"12:00 rx on\n", "events file line 1: expected"},
        {"23:00:00\n", "events file line 1: missing command"},
        {"23:00:00 frobnicate\n", "events file line 1: error: unknown command"},
        {"\n23:00:00 rx on\n2026-12-10 22:30:00 rx off\n",
         "events file line 3: time goes backwards"},
        {"2026-02-30 10:00:00 rx on\n", "events file line 1: bad date"},
    };
    for (const auto& b : bad) {
        std::string why;
        EXPECT_FALSE(parseEventsFile(b.text, from, &out, &why)) << b.text;
        EXPECT_EQ(why.rfind(b.error, 0), 0u) << why;
    }
}

}  // namespace
}  // namespace vox

namespace vox {
namespace {

TEST(DryRun, AWorkFolderIsFilledAndKeptAndAnExistingOneIsRefused) {
    TempFolder temp;
    const std::string workdir = temp.file("work");
    std::ostringstream out, err;
    DryRunOptions options{VOXCLOCK_TEST_DATA "/simulate/home", "2026-12-10 11:59:00",
                          "2026-12-10 12:01:00", "", workdir};
    ASSERT_EQ(runDryRun(options, out, err), 0) << err.str();
    // The run's own files are there to read afterwards; the owner's folder is untouched.
    EXPECT_TRUE(std::filesystem::is_directory(workdir + "/wav"));
    EXPECT_TRUE(std::filesystem::is_regular_file(workdir + "/voxclock.ini"));
    EXPECT_FALSE(std::filesystem::exists(VOXCLOCK_TEST_DATA "/simulate/home/VoxclockLog.txt"));

    // A folder that is already there may be the owner's: refused, and left as it is.
    std::ostringstream out2, err2;
    EXPECT_EQ(runDryRun(options, out2, err2), 2);
    EXPECT_NE(err2.str().find("already exists"), std::string::npos) << err2.str();
    EXPECT_TRUE(out2.str().empty());
}

}  // namespace
}  // namespace vox
