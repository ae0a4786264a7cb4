#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "backends/svxlink/svxlink_codes.h"
#include "backends/svxlink/svxlink_state.h"
#include "core/dtmf/dtmf_codes.h"
#include "core/settings/program_conf.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

std::string fixture(const std::string& name) {
    return std::string(VOXCLOCK_TEST_DATA) + "/svxlink/" + name;
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

struct Recorder : NodeEvents {
    std::vector<std::string> seen;
    void onConnected(const std::string& call, const std::string&, const std::string&) override {
        seen.push_back("connected " + call);
    }
    void onDisconnected(const std::string& call) override {
        seen.push_back("disconnected " + call);
    }
    void onChatTextReceived(const std::string& text) override {
        std::string shown;
        for (char c : text)
            shown += c == '\n' ? std::string("<LF>") : std::string(1, c);
        seen.push_back("chat " + shown);
    }
    void onStationListReceived() override { seen.push_back("list"); }
    void onDtmfString(const std::string& digits) override { seen.push_back("dtmf " + digits); }
    void onClosing() override { seen.push_back("closing"); }
};

// Each state line against what it must do: the events raised, the state it changes, or why it
// is ignored. Garbage must never raise an event or change what we believe is keyed.
TEST(SvxlinkState, GoldenLinesGiveTheirEvents) {
    const auto input = readLines(fixture("state_lines.txt"));
    const auto expected = readLines(fixture("state_expected.txt"));
    ASSERT_EQ(input.size(), expected.size());
    Recorder events;
    SvxlinkStateTracker tracker(events);
    for (std::size_t i = 0; i < input.size(); ++i) {
        SCOPED_TRACE(input[i]);
        const bool rx = tracker.receiving(), tx = tracker.transmitting();
        const bool remote = tracker.remoteAudio();
        events.seen.clear();
        std::string got = tracker.feed(input[i]);
        if (got.empty()) {
            if (rx != tracker.receiving() || tx != tracker.transmitting())
                events.seen.push_back("receiving=" + std::to_string(tracker.receiving()) +
                                      " transmitting=" + std::to_string(tracker.transmitting()));
            if (remote != tracker.remoteAudio())
                events.seen.push_back("remote audio=" + std::to_string(tracker.remoteAudio()));
            for (const auto& e : events.seen)
                got += (got.empty() ? "" : "|") + e;
            if (got.empty())
                got = "-";
        } else {
            EXPECT_TRUE(events.seen.empty());
        }
        EXPECT_EQ(got, expected[i]);
    }
}

TEST(SvxlinkState, NodeGoneDisconnectsEveryoneAndUnkeys) {
    Recorder events;
    SvxlinkStateTracker tracker(events);
    for (const char* line : {"1.000 EchoLink:connected W1AW", "1.000 EchoLink:connected K1ABC",
                             "1.000 Logic:transmit 1", "1.000 Logic:squelch_open M 1",
                             "1.000 EchoLink:is_receiving 1 K1ABC"})
        ASSERT_EQ(tracker.feed(line), "");
    EXPECT_EQ(tracker.connectedCount(), 2);
    EXPECT_TRUE(tracker.isConnected("k1abc"));
    events.seen.clear();
    tracker.nodeGone();
    EXPECT_EQ(events.seen, (std::vector<std::string>{"disconnected W1AW", "disconnected K1ABC"}));
    EXPECT_FALSE(tracker.transmitting() || tracker.receiving() || tracker.remoteAudio());
    EXPECT_EQ(tracker.connectedCount(), 0);
}

TEST(SvxlinkConf, GoldenFileReadsEveryKey) {
    ProgramConf want;
    want.backend = "svxlink";
    want.svxlink = {"/run/svx/state",
                    "/run/svx/dtmf_ctrl",
                    "/run/svx/ann_sql",
                    "",
                    "127.0.0.2",
                    4711,
                    48000,
                    2,
                    "/run/svx/voxclock_codes",
                    "Help=0,EchoLink=3",
                    "3",
                    "W1AW-L"};
    want.fan.serialPort = "/dev/ttyUSB1";
    const ConfResult r = loadProgramConf(fixture("voxclock.conf"));
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    EXPECT_EQ(r.conf, want);
}

TEST(SvxlinkConf, BadValuesKeepTheirDefaults) {
    const std::pair<const char*, const char*> cases[] = {
        {"audio_port = 0", "'audio_port' is not a number from 1 to 65535: '0'"},
        {"audio_port = 70000", "'audio_port' is not a number from 1 to 65535: '70000'"},
        {"sample_rate = 22050", "'sample_rate' is not 8000, 16000 or 48000: '22050'"},
        {"channels = 3", "'channels' is not a number from 1 to 2: '3'"},
        {"state_pty =", "'state_pty' is empty"},
        {"echolink_module_id = 2#", "'echolink_module_id' is not a module number: '2#'"},
        {"volume = 3", "unknown key 'volume' in [svxlink]"},
    };
    TempFolder temp;
    const std::string path = temp.file("voxclock-svx.conf");
    for (const auto& [line, warning] : cases) {
        SCOPED_TRACE(line);
        std::ofstream(path) << "[svxlink]\n" << line << "\n";
        const ConfResult r = loadProgramConf(path);
        EXPECT_EQ(r.conf, ProgramConf{});
        ASSERT_EQ(r.warnings.size(), 1u);
        EXPECT_EQ(r.warnings[0], std::string("voxclock-svx.conf line 2: ") + warning);
    }
    std::remove(path.c_str());
}

// The Tcl hook swallows these: every code we answer, and nothing with '#' (it never arrives).
TEST(SvxlinkCodes, OwnCodesListWhatTheDispatcherAnswers) {
    Settings s;
    for (const auto& field : dtmfCodeFields())
        s.*field.code = "";
    s.DtmfPlayTime = " 00 ";
    s.DtmfLock = "a1";
    s.DtmfPlayHelp = "0#";
    s.RemoteNodes[0] = {};
    s.RemoteNodes[0].Node = "W1AW-L";
    s.RemoteNodes[0].Dtmf = "55";
    s.RemoteNodes[1] = {};
    s.RemoteNodes[1].Dtmf = "66";  // no node: not answered
    s.AllowRsgb = 1;
    s.AllowInfo = 0;
    const auto codes = svxlinkOwnCodes(s);
    std::vector<std::string> want = {
        "*",    "*60*", "*61*", "*62*", "*63*", "*64*", "*65*",
        "*66*", "*67*", "*68*", "*69*", "00",   "55",   "A1"};  // "*": voice stop
    EXPECT_EQ(codes, want);
    EXPECT_EQ(svxlinkOwnCodesText({"00", "A1"}),
              "# DTMF commands Voxclock answers; rewritten by Voxclock\n00\nA1\n");
}

// What SvxLink 19.09 delivers of a keyed code, as found against the real program: a code that
// cannot arrive whole is refused with the reason.
TEST(SvxlinkCodes, ACodeThatCannotArriveWholeIsRefusedWithTheReason) {
    const struct {
        const char* code;
        const char* why;  // the start of the reason; "" = arrives whole
    } cases[] = {
        {"00*", ""},
        {"411", ""},
        {"*1*", ""},
        {"*", ""},
        {"D", ""},
        {"d12", ""},
        {"1**2", ""},
        {"00#", "SvxLink ends a command at '#'"},
        {"BADC", "SvxLink drops the keys A, B and C"},
        {"A", "SvxLink drops the keys A, B and C"},
        {"1D", "SvxLink starts a new command at D"},
        {"**", "SvxLink delivers a run of stars as one '*'"},
        {"12X", "not a DTMF key"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const std::string why = svxlinkCodeRefusal(c.code);
        EXPECT_EQ(why.substr(0, std::string(c.why).size()), c.why);
        EXPECT_EQ(why.empty(), *c.why == 0);
    }
}

// The Windows program's defaults that cannot arrive get SvxLink ones that can, and then no code
// is refused; the owner's own choice is left alone and reported.
TEST(SvxlinkCodes, DefaultsThatCannotArriveAreReplacedAndTheOwnersAreReported) {
    Settings s;
    EXPECT_EQ(svxlinkCodeProblems(s).size(), 2u);
    EXPECT_TRUE(applySvxlinkCodeDefaults(s));
    EXPECT_EQ(s.DtmfPlayFile, "01*");
    EXPECT_EQ(s.DtmfLock, "*8*");
    EXPECT_TRUE(svxlinkCodeProblems(s).empty());
    EXPECT_FALSE(applySvxlinkCodeDefaults(s));
    s.DtmfWx = "9#9";
    EXPECT_FALSE(applySvxlinkCodeDefaults(s));
    EXPECT_EQ(svxlinkCodeProblems(s),
              std::vector<std::string>{"Xmit WX Current code '9#9': SvxLink ends a command at "
                                       "'#', so a code cannot hold one (the caller keys '#' after "
                                       "the code)"});
}

// "A" never arrives on SvxLink: its voice-stop command "*" reaches the dispatcher as "A".
TEST(SvxlinkState, TheVoiceStopCommandArrivesAsA) {
    Recorder events;
    SvxlinkStateTracker tracker(events);
    tracker.feed("1796880494.408 Logic:dtmf_cmd_received *");
    tracker.feed("1796880494.408 Logic:dtmf_cmd_received *1*");
    EXPECT_EQ(events.seen, (std::vector<std::string>{"dtmf A", "dtmf *1*"}));
}

TEST(SvxlinkCodes, EveryModuleCodeCountsAsTheNodes) {
    SvxlinkConf conf;
    conf.dtmfCommands = "Help=0,EchoLink=2";
    const auto codes = parseNodeDtmfCodes(svxlinkRegistryValue(conf, "Sysop", "DTMFCommands"));
    EXPECT_TRUE(isNodeDtmfCode("0", codes));
    EXPECT_TRUE(isNodeDtmfCode("2", codes));
    EXPECT_FALSE(isNodeDtmfCode("1", codes));
    EXPECT_EQ(svxlinkRegistryValue(conf, "Options", "SoundFilesDir"), "");
}

}  // namespace
}  // namespace vox
