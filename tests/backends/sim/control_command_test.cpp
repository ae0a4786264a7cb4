#include <gtest/gtest.h>

#include "backends/sim/control_command.h"

namespace vox {
namespace {

using Kind = ControlCommand::Kind;

ControlCommand make(Kind kind, std::string text = {}, bool on = false, int count = 1,
                    std::string action = {}) {
    ControlCommand c;
    c.kind = kind;
    c.text = std::move(text);
    c.on = on;
    c.count = count;
    c.action = std::move(action);
    return c;
}

TEST(ControlCommand, GoodLines) {
    const struct {
        const char* line;
        ControlCommand want;
    } cases[] = {
        {"connect W1AW", make(Kind::Connect, "W1AW")},
        {"  CONNECT\tK1ABC-L \r\n", make(Kind::Connect, "K1ABC-L")},
        {"disconnect *ECHOTEST*", make(Kind::Disconnect, "*ECHOTEST*")},
        // The chat text is the rest of the line, inner and trailing blanks included.
        {"chat W1AW>hello  there ", make(Kind::Chat, "W1AW>hello  there ")},
        {"chat |ET|CO|K1ABC\r", make(Kind::Chat, "|ET|CO|K1ABC")},
        {"dtmf 0123456789abcd*#", make(Kind::Dtmf, "0123456789ABCD*#")},
        {"rx on", make(Kind::Receiving, "", true)},
        {"remote OFF", make(Kind::RemoteAudio, "", false)},
        {"busy on", make(Kind::Busy, "", true)},
        {"stationlist", make(Kind::StationList)},
        {"close", make(Kind::Close)},
        {"fail setptt", make(Kind::Fail, "SetPtt")},
        {"fail CONNECTTO 3", make(Kind::Fail, "ConnectTo", false, 3)},
        {"fail Callsign 0", make(Kind::Fail, "Callsign", false, 0)},
        {"voice fail", make(Kind::Voice, "", false, 1, "fail")},
        {"voice FAIL 3", make(Kind::Voice, "", false, 3, "fail")},
        {"voice stall 400", make(Kind::Voice, "", false, 400, "stall")},
        {"voice hang", make(Kind::Voice, "", false, 1, "hang")},
        {"file remove wx.txt", make(Kind::File, "wx.txt", false, 1, "remove")},
        {"file garble wx\\wxfc.txt", make(Kind::File, "wx\\wxfc.txt", false, 1, "garble")},
        {"file remove a..b/c", make(Kind::File, "a..b/c", false, 1, "remove")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string error = "stale";
        const auto got = parseControlCommand(c.line, &error);
        ASSERT_TRUE(got) << error;
        EXPECT_EQ(*got, c.want);
        EXPECT_EQ(error, "");
    }
}

TEST(ControlCommand, BadLinesGiveOneErrorLine) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"frobnicate", "error: unknown command 'frobnicate'"},
        {"frob\x01nicate now", "error: unknown command 'frob?nicate'"},
        {"connect", "error: 'connect' needs one call sign"},
        {"connect W1AW K1ABC", "error: 'connect' needs one call sign"},
        {"disconnect ", "error: 'disconnect' needs one call sign"},
        {"chat", "error: 'chat' needs a text"},
        {"dtmf", "error: 'dtmf' needs digits 0-9 A-D * #"},
        {"dtmf 12E4", "error: 'dtmf' needs digits 0-9 A-D * #"},
        {"dtmf 12 34", "error: 'dtmf' needs digits 0-9 A-D * #"},
        {"rx", "error: 'rx' takes on or off"},
        {"busy yes", "error: 'busy' takes on or off"},
        {"close now", "error: 'close' takes no argument"},
        {"fail", "error: 'fail' needs a node member"},
        {"fail Explode", "error: unknown node member 'Explode'"},
        {"fail SetPtt -1", "error: bad count '-1'"},
        {"fail SetPtt 2x", "error: bad count '2x'"},
        {"fail SetPtt 99999999999", "error: bad count '99999999999'"},
        {"voice", "error: 'voice' takes fail [N], stall SECONDS or hang"},
        {"voice stall", "error: 'voice stall' needs seconds"},
        {"voice fail 0", "error: bad number '0'"},
        {"voice hang 2", "error: 'voice hang' takes no number"},
        // A dry run's file faults stay inside its own copy of the program folder.
        {"file remove", "error: 'file' needs a path inside the program folder: ''"},
        {"file remove ../voxclock.ini",
         "error: 'file' needs a path inside the program folder: '../voxclock.ini'"},
        {"file garble /etc/passwd",
         "error: 'file' needs a path inside the program folder: '/etc/passwd'"},
        {"file garble wx\\..\\..\\x",
         "error: 'file' needs a path inside the program folder: 'wx\\..\\..\\x'"},
        {"file garble C:x", "error: 'file' needs a path inside the program folder: 'C:x'"},
        {"file shred wx.txt", "error: 'file' takes remove PATH or garble PATH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string error;
        EXPECT_FALSE(parseControlCommand(c.line, &error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(ControlCommand, BlankAndCommentLinesAreNothingToDo) {
    for (const char* line : {"", "   \t", "\r\n", "# a note in an events file"}) {
        std::string error = "stale";
        EXPECT_FALSE(parseControlCommand(line, &error)) << line;
        EXPECT_EQ(error, "") << line;
    }
}

// The limit counts what comes before the '\n', a '\r' included: the readers cut there.
TEST(ControlCommand, ALineOverTheLimitIsAnsweredTooLong) {
    const std::string chat = "chat W1AW>";
    const std::string atLimit = chat + std::string(kMaxControlLineBytes - chat.size(), 'x');
    const struct {
        std::string line;
        bool ok;
    } cases[] = {
        {atLimit, true},
        {atLimit + "\n", true},
        {atLimit + "x", false},
        {atLimit + "\r\n", false},
        {atLimit + "x\n", false},
        {std::string(1 << 20, '#'), false},  // even what would be a comment
        {std::string(kMaxControlLineBytes + 1, ' '), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.size());
        std::string error = "stale";
        const auto got = parseControlCommand(c.line, &error);
        EXPECT_EQ(got.has_value(), c.ok);
        EXPECT_EQ(error, c.ok ? "" : "error: line too long");
    }
}

}  // namespace
}  // namespace vox
