// voxclock lookup: what it prints and its exit status, with prepared replies as the server.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "src/lookup_command.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {
namespace fs = std::filesystem;

const std::string kData = VOXCLOCK_TEST_DATA "/lookup/";

class LookupCommand : public ::testing::Test {
protected:
    void conf(const std::string& text) { std::ofstream(home / "voxclock.conf") << text; }

    int run(std::vector<std::string> args) {
        args.insert(args.begin(), "lookup");
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        const int rc = runLookupCommand(static_cast<int>(argv.size()), argv.data());
        std::fflush(stderr);
        std::fflush(stdout);
        err = ::testing::internal::GetCapturedStderr();
        out = ::testing::internal::GetCapturedStdout();
        return rc;
    }

    TempFolder temp;
    const fs::path home{temp.path};
    std::string out, err;
};

const std::string kError = "Lookup Error.\nPlease notify QZ9Z of the call you were looking for.\n";

TEST_F(LookupCommand, ExitStatusSaysFoundNoneOrError) {
    const struct {
        const char* what;
        std::string conf;  // voxclock.conf; empty: none
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
        std::string logged;  // the event-log line that says why, if any
    } cases[] = {
        {"user then link",
         "[web]\nlookup_url = file://" + kData + "found.txt\n",
         {"W1AW"},
         0,
         "\nEchoLink Call: W1AW\nEchoLink Node Number: 123\nEchoLink Location: Newington, "
         "CT\nNode Last Heard: 2026-12-10 12:00\n"
         "\nEchoLink Call: W1AW-L\nEchoLink Node Number: 4000\nEchoLink Location: Newington, "
         "CT\nNode Last Heard: 2026-12-10 11:58\n",
         "",
         ""},
        {"no section",
         "[web]\nlookup_url = file://" + kData + "none.txt\n",
         {"K1ABC"},
         1,
         "\nEchoLink Info Not Found.\n",
         "",
         ""},
        {"an empty reply has no section either",
         "[web]\nlookup_url = file://" + kData + "empty.txt\n",
         {"K1ABC"},
         1,
         "\nEchoLink Info Not Found.\n",
         "",
         ""},
        {"section never closed",
         "[web]\nlookup_url = file://" + kData + "unclosed.txt\n",
         {"W1AW"},
         2,
         kError,
         "voxclock lookup: [USER] without [/USER]\n",
         "Lookup Error: [USER] without [/USER]"},
        {"no lookup address",
         "",
         {"W1AW"},
         2,
         kError,
         "voxclock lookup: no lookup address: set lookup_url in the [web] section of "
         "voxclock.conf\n",
         "Lookup Error: no lookup address: set lookup_url in the [web] section of "
         "voxclock.conf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(home / "voxclock.conf");
        fs::remove(home / "VoxclockLog.txt");
        if (!c.conf.empty())
            conf(c.conf);
        std::vector<std::string> args = {"--home", home.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(run(args), c.status);
        EXPECT_EQ(out, c.out);
        EXPECT_EQ(err, c.err);
        const std::string logText = readFile(home / "VoxclockLog.txt");
        if (c.logged.empty())
            EXPECT_EQ(logText, "");
        else  // "mm/dd/yy hh:mm:ss " before the text
            EXPECT_EQ(logText.substr(std::min<std::size_t>(18, logText.size())), c.logged + "\r\n");
    }
}

TEST_F(LookupCommand, AMissingReplyFileIsAnErrorAndABadCommandLineIsAUsageError) {
    conf("[web]\nlookup_url = file://" + kData + "missing.txt\n");
    EXPECT_EQ(run({"--home", home.string(), "W1AW"}), 2);
    EXPECT_EQ(out, kError);
    EXPECT_EQ(err.rfind("voxclock lookup: ", 0), 0u) << err;
    EXPECT_GT(err.size(), std::string("voxclock lookup: \n").size());

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"--home"}, {"W1AW", "K1ABC"}, {"--wpm", "5", "W1AW"}}) {
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(err, "usage: voxclock lookup [--home DIR] CALL\n");
        EXPECT_EQ(out, "");
    }
}

}  // namespace
}  // namespace vox
