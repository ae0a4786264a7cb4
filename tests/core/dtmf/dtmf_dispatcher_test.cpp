// The DTMF dispatcher: which command answers which string, the lock and the sleep switch, and how
// strings from the node reach it.
#include <gtest/gtest.h>

#include <functional>

#include "core/parts/call_spelling.h"
#include "tests/core/dtmf/dtmf_rig.h"

namespace vox {
namespace {

const std::string kOn = R"(<silence msec="250"/>)";
const std::string kNoNodes = "say <xml>There are no nodes connected." + kOn +
                             " Auto Connects are on." + kOn + " Node status is not busy.</xml>";

void node(DtmfRig& rig, int slot, const std::string& call, const std::string& code = "") {
    rig.settings.RemoteNodes[static_cast<std::size_t>(slot)].Node = call;
    rig.settings.RemoteNodes[static_cast<std::size_t>(slot)].Dtmf = code;
}

std::vector<std::string> withoutPtt(std::vector<std::string> t) {
    std::erase_if(t, [](const std::string& s) { return s.rfind("ptt ", 0) == 0; });
    return t;
}

TEST(DtmfDispatch, EachCommandGetsItsAnswerInTheDispatchOrder) {
    using Setup = std::function<void(DtmfRig&)>;
    const Setup none = [](DtmfRig&) {};
    const struct {
        const char* name;
        std::string cmd;
        Setup setup;
        std::vector<std::string> expected;
    } cases[] = {
        // Warnings and playback share "33*" by default: warnings come first.
        {"shared code", "33*", none, {"alerts(dtmf)"}},
        {"time", "00*", none, {"press CMDTime"}},
        {"info file", "00#", none, {"press CMDFile"}},
        {"node status", "77*", none, {kNoNodes}},
        {"text toggle", "*2*", none, {"say <xml>Text messages have been turned off.</xml>"}},
        {"text toggle back",
         "*2*",
         [](DtmfRig& r) { r.panel.setChecked(Control::cbNoText, true); },
         {"say <xml>Text messages are ON.</xml>"}},
        {"auto toggle", "*0*", none, {"say <xml>Auto Connects have been turned off.</xml>"}},
        {"busy toggle", "*1*", none, {"say <xml>Node status has been set to busy.</xml>"}},
        {"speed dial", "411", none, {"speed dial"}},
        {"record start",
         "11*",
         none,
         {"record minutes 0", "press cbRecordStart", "say <xml>Recording is on.</xml>"}},
        {"record stop", "22*", none, {"press cbRecordStop", "say <xml>Recording is off.</xml>"}},
        {"playback once warnings move",
         "33*",
         [](DtmfRig& r) { r.settings.DtmfWxWarn = "34*"; },
         {"press cbRecordPlayback"}},
        {"local weather", "55*", none, {"local wx"}},
        {"local weather, FreeWx",
         "55*",
         [](DtmfRig& r) { r.settings.WxStationType = 1; },
         {"freewx short(now)"}},
        {"weather file",
         "99*",
         [](DtmfRig& r) { r.writeFile("wx.txt", "Fair."); },
         {"play wx.txt"}},
        {"weather, FreeWx",
         "99*",
         [](DtmfRig& r) { r.settings.WxStationType = 1; },
         {"freewx full(now)"}},
        {"forecast",
         "44*",
         [](DtmfRig& r) { r.writeFile("WXFC.TXT", "Rain."); },
         {"play WXFC.TXT"}},
        {"help", "88*", [](DtmfRig& r) { r.writeFile("help.txt", "Codes."); }, {"play help.txt"}},
        {"help missing: nothing keyed", "88*", none, {}},
        {"WWV allowed", "*99*", [](DtmfRig& r) { r.settings.AllowWwv = 1; }, {"wwv"}},
        {"WWV not allowed", "*99*", none, {}},
        {"bulletin", "*63*", [](DtmfRig& r) { r.settings.AllowRsgb = 1; }, {"bulletin 63"}},
        {"bulletin not allowed", "*63*", none, {}},
        {"info file by number",
         "*7A*",
         [](DtmfRig& r) {
             r.settings.AllowInfo = 1;
             r.writeFile("info/infoA.txt", "Net tonight.");
         },
         {"play info/infoA.txt"}},
        {"info file missing",
         "*73*",
         [](DtmfRig& r) { r.settings.AllowInfo = 1; },
         {"say <xml>Sorry, that file is not available.</xml>"}},
        // A remote node's code wins over the chain.
        {"remote node",
         "00*",
         [](DtmfRig& r) { node(r, 2, "W1AW", "00*"); },
         {"press cmdRemoteNode2"}},
        {"remote node without a call",
         "00*",
         [](DtmfRig& r) { r.settings.RemoteNodes[2].Dtmf = "00*"; },
         {"press CMDTime"}},
        {"short unknown",
         "12",
         [](DtmfRig& r) { r.writeFile("DTMFError.txt", "Say again."); },
         {"play DTMFError.txt"}},
        {"long unknown",
         "1234",
         [](DtmfRig& r) { r.writeFile("DTMFError.txt", "Say again."); },
         {}},
        {"short unknown, no error file", "12", none, {}},
        {"emptied code never matches", "", [](DtmfRig& r) { r.settings.DtmfPlayTime = ""; }, {}},
        {"letters outside the keys", "xyz!", none, {}},
        {"a thousand digits", std::string(1000, '5'), none, {}},
        {"case counts", "badc", none, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DtmfRig rig;
        c.setup(rig);
        const std::size_t from = rig.lines.size();
        rig.dtmf.DispatchDtmfCommand(c.cmd);
        EXPECT_EQ(withoutPtt(rig.transcript(from)), c.expected);
        EXPECT_FALSE(rig.speech.pttHeld());
        EXPECT_EQ(rig.panel.panel(StatusPanel::Dtmf), "DTMF: " + c.cmd);
    }
}

TEST(DtmfDispatch, AFileThatIsNotThereKeysNothingAndSaysSo) {
    DtmfRig rig;
    rig.dtmf.DispatchDtmfCommand("88*");
    EXPECT_TRUE(rig.linesWith(R"("ev":"ptt")").empty());
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "ERROR Playing File!");
}

TEST(DtmfDispatch, TheNodesOwnCodesAreLeftToTheNodeExceptItsFirst) {
    ProgramConf conf;
    conf.dtmfCommands = "Status=08,Disconnect=##, Info = 1 ,Bad";
    conf.dtmfShortcuts = "Query=0*";
    DtmfRig rig(conf);
    rig.writeFile("DTMFError.txt", "Say again.");

    rig.dtmf.DispatchDtmfCommand("##");
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "DTMF used by EchoLink");
    rig.dtmf.DispatchDtmfCommand("1");  // trimmed on both sides
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "DTMF used by EchoLink");
    rig.dtmf.DispatchDtmfCommand("0*");  // the shortcuts are the node's too
    EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "DTMF used by EchoLink");
    EXPECT_TRUE(rig.transcript().empty());

    rig.dtmf.DispatchDtmfCommand("08");  // the first entry is not the node's
    EXPECT_EQ(withoutPtt(rig.transcript()), std::vector<std::string>{"play DTMFError.txt"});
}

TEST(DtmfDispatch, TheLockLetsOnlyTheLockTheSleepSwitchAndTheNodesCodesThrough) {
    ProgramConf conf;
    conf.dtmfCommands = "Status=08,Disconnect=##";
    DtmfRig rig(conf);
    rig.writeFile("DTMFLocked.txt", "Locked.");

    rig.dtmf.DispatchDtmfCommand("BADC");
    EXPECT_TRUE(rig.state.DtmfLocked);
    std::size_t from = rig.lines.size();
    rig.dtmf.DispatchDtmfCommand("00*");
    rig.dtmf.DispatchDtmfCommand("##");
    rig.dtmf.DispatchDtmfCommand("D");
    rig.dtmf.DispatchDtmfCommand("D");
    rig.dtmf.DispatchDtmfCommand("BADC");
    EXPECT_EQ(withoutPtt(rig.transcript(from)),
              (std::vector<std::string>{"play DTMFLocked.txt", "quiet time off", "quiet time on",
                                        "press CMDTime"}));
    EXPECT_FALSE(rig.state.DtmfLocked);

    // While locked no greeting goes before a file.
    rig.settings.UsePreamble = 1;
    rig.dtmf.DispatchDtmfCommand("BADC");
    from = rig.lines.size();
    rig.dtmf.DispatchDtmfCommand("00*");
    EXPECT_EQ(withoutPtt(rig.transcript(from)), std::vector<std::string>{"play DTMFLocked.txt"});
}

TEST(DtmfDispatch, WhileAsleepOnlyTheSleepSwitchActs) {
    DtmfRig rig;
    rig.dtmf.DispatchDtmfCommand("D");
    EXPECT_TRUE(rig.state.TTSSleeping);
    EXPECT_FALSE(rig.timers[TimerName::tQuietTime].enabled());

    const std::size_t from = rig.lines.size();
    for (const char* cmd : {"BADC", "00*", "77*"}) {
        rig.dtmf.DispatchDtmfCommand(cmd);
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "TTS is Sleeping!");
    }
    EXPECT_FALSE(rig.state.DtmfLocked);
    EXPECT_TRUE(rig.transcript(from).empty());

    rig.dtmf.DispatchDtmfCommand("D");
    EXPECT_FALSE(rig.state.TTSSleeping);
    EXPECT_TRUE(rig.timers[TimerName::tQuietTime].enabled());
}

TEST(DtmfDispatch, NodeStatusNamesTheConnectedRemoteNodes) {
    DtmfRig rig;
    node(rig, 0, "W1AW-L");  // not connected
    node(rig, 3, "N0CALL-R");
    node(rig, 5, "K7ABC");
    rig.command("connect N0CALL-R");
    rig.command("connect K7ABC");
    rig.command("connect W9XYZ");
    rig.command("busy on");
    rig.panel.setChecked(Control::cbAutoOverride, true);

    rig.dtmf.DispatchDtmfCommand("77*");
    EXPECT_EQ(
        withoutPtt(rig.transcript()),
        std::vector<std::string>{"say <xml>There are 3 nodes connected. " + TTSSpell("N0CALL") +
                                 " Repeater,  " + TTSSpell("K7ABC") + kOn +
                                 " Auto Connects are off." + kOn + " Node status is busy.</xml>"});

    rig.command("disconnect K7ABC");
    rig.command("disconnect W9XYZ");
    rig.settings.VoiceTypeAtt = 1;
    const std::size_t from = rig.lines.size();
    rig.dtmf.DispatchDtmfCommand("77*");
    EXPECT_EQ(withoutPtt(rig.transcript(from))[0].substr(0, 38 + ATTCall("N0CALL").size()),
              "say <xml>There is 1 node connected. " + ATTCall("N0CALL") + " R");
}

TEST(DtmfReceive, OnlyTheNewestStringBeforeThePollIsDispatched) {
    DtmfRig rig;
    rig.run(0.6);  // just past a poll
    const std::size_t from = rig.lines.size();
    rig.command("dtmf 00*");
    rig.run(0.2);
    rig.command("dtmf 77*");
    rig.run(1.0);
    EXPECT_EQ(withoutPtt(rig.transcript(from)), std::vector<std::string>{kNoNodes});
    EXPECT_EQ(rig.dtmf.pending(), "");
}

TEST(DtmfReceive, StringsArrivingDuringACommandWaitForItAndOnlyTheNewestIsDispatched) {
    DtmfRig rig;
    rig.command("dtmf 77*");
    // While the node status is being spoken, two more strings arrive.
    rig.rt.callAfter(1.0, [&] {
        EXPECT_TRUE(rig.speech.pttHeld());
        rig.command("dtmf 00*");
        rig.command("dtmf *2*");
    });
    rig.run(30);
    EXPECT_EQ(
        withoutPtt(rig.transcript()),
        (std::vector<std::string>{kNoNodes, "say <xml>Text messages have been turned off.</xml>"}));
}

TEST(DtmfReceive, AStopsTheVoiceAndIsNeverDispatched) {
    DtmfRig rig;
    rig.dtmf.injectFromPad("00*");
    rig.dtmf.ELo_DTMFString("A");
    EXPECT_EQ(rig.state.DtmfAbortRequest, "A");
    EXPECT_EQ(rig.dtmf.pending(), "00*");

    // From the pad, "A" is a command like any other.
    rig.writeFile("DTMFError.txt", "Say again.");
    rig.dtmf.injectFromPad("A");
    rig.run(1);
    EXPECT_EQ(withoutPtt(rig.transcript()), std::vector<std::string>{"play DTMFError.txt"});
}

TEST(DtmfReceive, ThePanelShowsTheCommandForFifteenSeconds) {
    DtmfRig rig;
    rig.command("dtmf 411");
    rig.run(1);
    EXPECT_EQ(rig.panel.panel(StatusPanel::Dtmf), "DTMF: 411");
    rig.run(15);
    EXPECT_EQ(rig.panel.panel(StatusPanel::Dtmf), "DTMF: ");
    EXPECT_FALSE(rig.timers[TimerName::tDTMF].enabled());
}

TEST(DtmfReceive, AFailingNodeAbandonsTheCommandWithTheTransmitterOff) {
    DtmfRig rig;
    rig.command("fail isReceiving 1");
    rig.command("dtmf 00*");
    rig.run(1);
    EXPECT_TRUE(rig.transcript().empty());
    // The next command is answered.
    rig.command("fail busy 1");
    rig.command("dtmf *1*");
    rig.run(1);
    rig.command("dtmf 00*");
    rig.run(1);
    EXPECT_EQ(withoutPtt(rig.transcript()), std::vector<std::string>{"press CMDTime"});
    EXPECT_FALSE(rig.speech.pttHeld());
}

}  // namespace
}  // namespace vox
