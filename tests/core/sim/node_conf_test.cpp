#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "sim/node_conf.h"

namespace vox {
namespace {

std::string fixture(const std::string& name) {
    return std::string(VOXCLOCK_TEST_DATA) + "/conf/" + name;
}

TEST(NodeConf, MissingFileGivesDefaultsQuietly) {
    const ConfResult r = loadNodeConf(fixture("no-such.conf"));
    EXPECT_EQ(r.conf, NodeConf{});
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(r.conf.callsign, "N0CALL-L");
    EXPECT_EQ(r.conf.connectDelayMs, 1500);
}

// CR LF, a byte-order mark, comments, odd letter case and DTMF codes full of '#', '*' and ';',
// which must survive as the rest of the line.
TEST(NodeConf, GoldenFileReadsEveryKey) {
    NodeConf want;
    want.callsign = "W1AW-R";
    want.sysopMode = 0;
    want.pttControl = 3;
    want.connectDelayMs = 250;
    want.dtmfCommands = "Connect=#1, Disconnect=##, Status=*;9 ,Info=08";
    want.dtmfShortcuts = "Random=00,Query=0*";
    want.soundFilesDir = "C:\\Program Files\\EchoLink\\Sounds";
    const ConfResult r = loadNodeConf(fixture("golden.conf"));
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    EXPECT_EQ(r.conf, want);
}

// What is bad keeps its default, the rest is used, and only the first problem is reported.
TEST(NodeConf, BrokenFilesKeepDefaultsForWhatIsBad) {
    struct Case {
        const char* file;
        const char* warning;
        std::function<void(NodeConf&)> good;  // what the file sets successfully
    };
    const Case cases[] = {
        {"unknown_key.conf", "unknown_key.conf line 3: unknown key 'volume' in [sim]",
         [](NodeConf& c) {
             c.callsign = "K1ABC";
             c.connectDelayMs = 900;
         }},
        {"unknown_section.conf", "unknown_section.conf line 2: unknown section [radio]",
         [](NodeConf& c) { c.pttControl = 2; }},
        {"malformed.conf", "malformed.conf line 2: not a key = value line",
         [](NodeConf& c) { c.connectDelayMs = 10; }},
        {"bad_numbers.conf",
         "bad_numbers.conf line 2: 'connect_delay_ms' is not a valid number: '-5'",
         [](NodeConf& c) { c.pttControl = 2; }},
        {"outside_section.conf", "outside_section.conf line 1: key 'callsign' outside a section",
         [](NodeConf&) {}},
        {"binary.conf", "binary.conf line 3: not a key = value line",
         [](NodeConf& c) {
             c.callsign = "K1ABC";
             c.pttControl = 3;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        NodeConf want;
        c.good(want);
        const ConfResult r = loadNodeConf(fixture(c.file));
        EXPECT_EQ(r.conf, want);
        ASSERT_EQ(r.warnings.size(), 1u);
        EXPECT_EQ(r.warnings[0], c.warning);
    }
}

TEST(NodeConf, AFolderInPlaceOfTheFileIsReported) {
    const ConfResult r = loadNodeConf(std::string(VOXCLOCK_TEST_DATA) + "/conf");
    EXPECT_EQ(r.conf, NodeConf{});
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0], "conf: not a file, defaults used");
}

}  // namespace
}  // namespace vox
