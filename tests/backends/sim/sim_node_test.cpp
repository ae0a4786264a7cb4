#include <gtest/gtest.h>
#include "core/base/node_capabilities.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backends/sim/sim_node_system.h"
#include "core/base/air_log.h"
#include "core/base/runtime.h"
#include "core/base/virtual_time.h"

namespace vox {
namespace {

// Every event as one line, in arrival order.
struct Recorder : NodeEvents {
    std::vector<std::string> got;
    void onConnected(const std::string& call, const std::string& a, const std::string& b) override {
        got.push_back("connected " + call + "|" + a + "|" + b);
    }
    void onDisconnected(const std::string& call) override { got.push_back("disconnected " + call); }
    void onChatTextReceived(const std::string& text) override { got.push_back("chat " + text); }
    void onStationListReceived() override { got.push_back("stationlist"); }
    void onDtmfString(const std::string& digits) override { got.push_back("dtmf " + digits); }
    void onClosing() override { got.push_back("closing"); }
};

ProgramConf testConf() {
    ProgramConf c;
    c.callsign = "K1ABC-L";
    c.pttControl = 2;
    c.connectDelayMs = 1500;
    c.dtmfCommands = "Connect=#1,Disconnect=##";
    c.dtmfShortcuts = "Random=00";
    c.soundFilesDir = "/sounds";
    return c;
}

struct SimFixture : ::testing::Test {
    SimFixture()
        : clock(LocalTime{2026, 12, 10, 12, 0, 0, 0}), loop(clock), rt(clock, loop), air(clock) {
        air.setSink([this](const std::string& line) {
            // Drop the time stamp: {"t":"...","ev":"ptt","on":true} -> "ptt","on":true}
            const auto at = line.find("\"ev\":\"");
            airLines.push_back(line.substr(at + 6));
        });
        link = sim.createNode(events);
    }
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    AirLog air;
    std::vector<std::string> airLines;
    SimNodeSystem sim{rt, testConf(), &air};
    Recorder events;
    std::unique_ptr<NodeLink> link;
};

TEST_F(SimFixture, ConnectToRaisesConnectedAfterTheDelayAndNotBefore) {
    const double t0 = rt.now();
    link->connectTo("w1aw");
    rt.waitUntil(t0 + 1.499);
    EXPECT_TRUE(events.got.empty());
    EXPECT_FALSE(link->isConnected("W1AW"));
    rt.waitUntil(t0 + 1.5);
    EXPECT_EQ(events.got, (std::vector<std::string>{"connected W1AW||"}));
    EXPECT_TRUE(link->isConnected("w1aw"));
    EXPECT_EQ(link->connectedCount(), 1);
    EXPECT_EQ(stationListXml(*link), "<stations><station call=\"W1AW\"/></stations>");

    // Connecting again to a connected station changes nothing.
    link->connectTo("W1AW");
    rt.waitUntil(t0 + 5);
    EXPECT_EQ(events.got.size(), 1u);
    EXPECT_EQ(link->connectedCount(), 1);
}

TEST_F(SimFixture, DisconnectIsReportedFromAPostedCallOnlyForConnectedStations) {
    sim.handleLine("connect W1AW");
    events.got.clear();
    link->disconnectFrom("W1AW");
    EXPECT_TRUE(events.got.empty());  // never from inside the request
    EXPECT_FALSE(link->isConnected("W1AW"));
    rt.processPending();
    EXPECT_EQ(events.got, (std::vector<std::string>{"disconnected W1AW"}));

    // Not connected, or still being connected: nothing is raised, and the pending one never is.
    events.got.clear();
    link->disconnectFrom("K9XYZ");
    link->connectTo("VE3ABC");
    link->disconnectFrom("VE3ABC");
    rt.waitUntil(rt.now() + 5);
    EXPECT_TRUE(events.got.empty());
    EXPECT_EQ(link->connectedCount(), 0);
}

TEST_F(SimFixture, ImplausibleCallsFailLikeTheNode) {
    for (const char* good : {"W1AW", "ve3abc-l", "2E0XYZ-R", "*ECHOTEST*", "9999", "1234567"})
        EXPECT_NO_THROW(link->connectTo(good)) << good;
    for (const char* bad : {"", "W1AW-X", "HELLO", "12345AB", "W1 AW", "*", "**", "0123",
                            "12345678", "W1AW;rm", "ABCDEFGH1"}) {
        SCOPED_TRACE(bad);
        try {
            link->connectTo(bad);
            ADD_FAILURE() << "accepted";
        } catch (const NodeError& e) {
            EXPECT_EQ(e.source(), "EchoLink");
            EXPECT_FALSE(e.description().empty());
        }
    }
    rt.waitUntil(rt.now() + 2);
    EXPECT_EQ(link->connectedCount(), 6);  // only the good ones connected
}

// The PTT records are the speech output's, for every backend: the simulator adds none of its own.
TEST_F(SimFixture, TransmittingFollowsPtt) {
    bool shownPtt = false;
    sim.setOnChange([&] { shownPtt = sim.state().ptt; });
    EXPECT_FALSE(link->isTransmitting());
    link->setPtt(true);
    EXPECT_TRUE(link->isTransmitting());
    EXPECT_TRUE(shownPtt);
    link->setPtt(false);
    link->setPtt(false);
    EXPECT_FALSE(link->isTransmitting());
    EXPECT_FALSE(shownPtt);
    EXPECT_TRUE(airLines.empty());
}

TEST_F(SimFixture, SerialLinesAreLoggedOnlyWhenTheyChange) {
    setRts(*link, false);  // already off
    setRts(*link, true);
    setRts(*link, true);
    setDtr(*link, true);
    setDtr(*link, false);
    setDtr(*link, false);
    EXPECT_EQ(airLines, (std::vector<std::string>{R"(rts","on":true})", R"(dtr","on":true})",
                                                  R"(dtr","on":false})"}));
    EXPECT_TRUE(sim.state().rts);
    EXPECT_FALSE(sim.state().dtr);
}

// Each member fails under its own name, counts down, and then works again.
TEST_F(SimFixture, InjectedFailuresCountDownPerMember) {
    auto setup = sim.createSetupConfig();
    const std::vector<std::pair<std::string, std::function<void()>>> members = {
        {"ConnectTo", [&] { link->connectTo("W1AW"); }},
        {"DisconnectFrom", [&] { link->disconnectFrom("W1AW"); }},
        {"SetPtt", [&] { link->setPtt(false); }},
        {"IsRemoteAudio", [&] { link->isRemoteAudio(); }},
        {"IsTransmitting", [&] { link->isTransmitting(); }},
        {"IsReceiving", [&] { link->isReceiving(); }},
        {"ConnectedCount", [&] { link->connectedCount(); }},
        {"IsConnected", [&] { link->isConnected("W1AW"); }},
        {"StationList", [&] { holdStationList(*link); }},
        {"StationListXml", [&] { stationListXml(*link); }},
        {"SetNodeEnabled", [&] { setNodeEnabled(*link, true); }},
        {"StartRecording", [&] { startRecording(*link); }},
        {"StopRecording", [&] { stopRecording(*link); }},
        {"PlayAudio", [&] { playAudio(*link, "/sounds/x.wav"); }},
        {"SysopSettings", [&] { sysopPttControl(*link); }},
        {"Busy", [&] { nodeBusy(*link); }},
        {"Busy", [&] { setNodeBusy(*link, false); }},
        {"SetRts", [&] { setRts(*link, false); }},
        {"SetDtr", [&] { setDtr(*link, false); }},
        {"SendChat", [&] { sendChat(*link, "hi"); }},
        {"CreateNode",
         [&] {
             Recorder other;
             sim.createNode(other);
         }},
        {"CreateSetupConfig", [&] { sim.createSetupConfig(); }},
        {"CreateSysopConfig", [&] { sim.createSysopConfig(); }},
        {"SysopMode", [&] { setup->sysopMode(); }},
        {"Callsign", [&] { setup->callsign(); }},
        {"RecordingMode", [&] { setup->setRecordingMode(2); }},
    };
    for (const auto& [member, call] : members) {
        SCOPED_TRACE(member);
        ASSERT_EQ(sim.handleLine("fail " + member + " 2"), "ok");
        for (int i = 0; i < 2; ++i) {
            try {
                call();
                ADD_FAILURE() << "no failure on call " << i + 1;
            } catch (const NodeError& e) {
                EXPECT_EQ(e.source(), member);
                EXPECT_EQ(e.description(), "Injected failure");
            }
        }
        EXPECT_NO_THROW(call());
    }
}

TEST_F(SimFixture, AFailedCallChangesNothing) {
    sim.handleLine("fail setptt");
    EXPECT_THROW(link->setPtt(true), NodeError);
    EXPECT_FALSE(link->isTransmitting());
    EXPECT_TRUE(airLines.empty());
    // A count of 0 disarms.
    sim.handleLine("fail SetPtt 5");
    sim.handleLine("fail SetPtt 0");
    EXPECT_NO_THROW(link->setPtt(true));
}

TEST_F(SimFixture, CommandsRaiseEventsAndSetTheNodesState) {
    for (const char* line : {"connect W1AW", "chat W1AW>hello", "dtmf 12#", "stationlist", "rx on",
                             "remote on", "busy on", "disconnect W1AW", "close"})
        EXPECT_EQ(sim.handleLine(line), "ok") << line;
    EXPECT_EQ(events.got,
              (std::vector<std::string>{"connected W1AW||", "chat W1AW>hello", "dtmf 12#",
                                        "stationlist", "disconnected W1AW", "closing"}));
    EXPECT_TRUE(link->isReceiving());
    EXPECT_TRUE(link->isRemoteAudio());
    EXPECT_TRUE(nodeBusy(*link));
    EXPECT_TRUE(airLines.empty());  // none of it came from us

    // A bad line changes nothing.
    EXPECT_EQ(sim.handleLine("rx maybe"), "error: 'rx' takes on or off");
    EXPECT_TRUE(link->isReceiving());
    EXPECT_EQ(sim.handleLine("  "), "");
    std::string error;
    ControlCommand noCall;
    noCall.kind = ControlCommand::Kind::Connect;
    EXPECT_FALSE(sim.execute(noCall, &error));
    EXPECT_EQ(error, "error: command without its argument");
    EXPECT_EQ(link->connectedCount(), 0);
}

TEST_F(SimFixture, EventsGoToTheNewestLiveLinkOrNowhere) {
    {
        Recorder second;
        auto other = sim.createNode(second);
        sim.handleLine("dtmf 1");
        EXPECT_EQ(second.got, (std::vector<std::string>{"dtmf 1"}));
    }
    sim.handleLine("dtmf 2");
    EXPECT_EQ(events.got, (std::vector<std::string>{"dtmf 2"}));

    // A connect still pending when the link goes is dropped without harm.
    link->connectTo("W1AW");
    link.reset();
    EXPECT_EQ(sim.handleLine("dtmf 3"), "ok");
    rt.waitUntil(rt.now() + 2);
    EXPECT_EQ(events.got.size(), 1u);
    EXPECT_EQ(sim.state().connected, (std::vector<std::string>{"W1AW"}));
}

TEST_F(SimFixture, ConfigurationAndRegistryComeFromTheConf) {
    auto setup = sim.createSetupConfig();
    EXPECT_EQ(setup->callsign(), "K1ABC-L");
    EXPECT_TRUE(setup->sysopMode());
    setup->setRecordingMode(2);
    EXPECT_EQ(sim.state().recordingMode, 2);
    EXPECT_EQ(sysopPttControl(*link), 2);
    EXPECT_EQ(sim.registryValue("Options", "SoundFilesDir"), "/sounds");
    EXPECT_EQ(sim.registryValue("SOFTWARE\\QR7QR\\EchoLink\\Sysop", "DTMFCommands"),
              "Connect=#1,Disconnect=##");
    EXPECT_EQ(sim.registryValue("sysop", "dtmfshortcuts"), "Random=00");
    EXPECT_EQ(sim.registryValue("Options", "DTMFCommands"), "");
    EXPECT_EQ(sim.registryValue("NotSysop", "DTMFCommands"), "");
}

TEST_F(SimFixture, ASwitchedOffNodeRefusesEveryConnectUntilSwitchedOnAgain) {
    link->connectTo("W1AW");  // still being set up when the node goes off
    setNodeEnabled(*link, false);
    EXPECT_THROW(link->connectTo("K9XYZ"), NodeError);
    EXPECT_EQ(sim.handleLine("connect VE3ABC"), "error: the node is disabled");
    rt.waitUntil(rt.now() + 5);
    EXPECT_TRUE(events.got.empty());
    EXPECT_EQ(link->connectedCount(), 0);

    setNodeEnabled(*link, true);
    EXPECT_EQ(sim.handleLine("connect VE3ABC"), "ok");
    EXPECT_TRUE(link->isConnected("ve3abc"));
    EXPECT_EQ(events.got, (std::vector<std::string>{"connected VE3ABC||"}));
}

TEST_F(SimFixture, OnlyRealChangesOfTheStationsRaiseEvents) {
    for (const char* line :
         {"connect W1AW", "connect w1aw", "disconnect K9XYZ", "disconnect W1AW", "disconnect W1AW"})
        EXPECT_EQ(sim.handleLine(line), "ok") << line;
    EXPECT_EQ(events.got, (std::vector<std::string>{"connected W1AW||", "disconnected W1AW"}));
}

TEST(SimNode, JoinedNodesHearEachOthersChatUnderTheSendersCall) {
    VirtualClock clock(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    ProgramConf confA, confB;
    confA.callsign = "K1AAA-L";
    confB.callsign = "W2BBB";
    AirLog air(clock);
    std::vector<std::string> airLines;
    air.setSink([&](const std::string& line) { airLines.push_back(line); });
    SimNodeSystem a(rt, confA, &air), b(rt, confB);
    Recorder eventsA, eventsB;
    auto linkA = a.createNode(eventsA);
    auto linkB = b.createNode(eventsB);
    joinChat(a, b);
    sendChat(*linkA, "|ET|CO|N0CALL|");
    sendChat(*linkB, "hello > there");
    EXPECT_EQ(eventsB.got, (std::vector<std::string>{"chat K1AAA-L>|ET|CO|N0CALL|"}));
    EXPECT_EQ(eventsA.got, (std::vector<std::string>{"chat W2BBB>hello > there"}));
    // The sender's air log still has what it sent.
    ASSERT_EQ(airLines.size(), 1u);
    EXPECT_NE(airLines[0].find(R"("ev":"chat","text":"|ET|CO|N0CALL|")"), std::string::npos);
}

TEST(SimNode, APendingConnectOutlivesItsSystemHarmlessly) {
    VirtualClock clock(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    Recorder events;
    {
        SimNodeSystem sim(rt, ProgramConf{});
        sim.createNode(events)->connectTo("W1AW");
    }
    rt.waitUntil(rt.now() + 2);
    EXPECT_TRUE(events.got.empty());
}

}  // namespace
}  // namespace vox
