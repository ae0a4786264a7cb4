#include "ui/sim/simulator_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include "backends/sim/sim_node_system.h"
#include "core/base/virtual_time.h"

namespace vox {
namespace {

class SimulatorWindowTest : public ::testing::Test {
protected:
    SimulatorWindowTest()
        : clock({2026, 1, 1, 12, 0, 0}),
          loop(clock),
          rt(clock, loop),
          sim(rt, ProgramConf{}),
          window(SimulatorDesk{[this](const std::string& l) { return sim.handleLine(l); },
                               [this] { return simulatorViewOf(sim.state()); }}) {
        sim.setOnChange([this] { window.refresh(); });
    }
    template <class W>
    W* get(const char* name) {
        auto* w = window.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QStringList shownStations() {
        QStringList calls;
        auto* list = get<QListWidget>("simConnected");
        for (int i = 0; i < list->count(); ++i)
            calls << list->item(i)->text();
        return calls;
    }

    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    SimNodeSystem sim;
    SimulatorWindow window;
};

TEST_F(SimulatorWindowTest, ButtonsDriveTheNodeAndTheWindowFollowsIt) {
    get<QLineEdit>("simCall")->setText("K1ABC");
    get<QAbstractButton>("simConnect")->click();
    get<QLineEdit>("simCall")->setText("W2XYZ-L");
    get<QAbstractButton>("simConnect")->click();
    EXPECT_EQ(shownStations(), (QStringList{"K1ABC", "W2XYZ-L"}));
    get<QAbstractButton>("simDisconnect")->click();
    EXPECT_EQ(shownStations(), QStringList{"K1ABC"});

    const std::pair<const char*, bool SimNodeState::*> toggles[] = {
        {"simReceiving", &SimNodeState::receiving},
        {"simRemote", &SimNodeState::remoteAudio},
        {"simBusy", &SimNodeState::busy}};
    for (const auto& [box, field] : toggles) {
        get<QCheckBox>(box)->click();
        EXPECT_TRUE(sim.state().*field) << box;
        get<QCheckBox>(box)->click();
        EXPECT_FALSE(sim.state().*field) << box;
    }

    // The node keys up (as the station would through its link): shown at once.
    sim.handleLine("rx on");
    EXPECT_TRUE(get<QCheckBox>("simReceiving")->isChecked());
}

TEST_F(SimulatorWindowTest, RefusedInputIsShownNotSent) {
    get<QLineEdit>("simDtmf")->setText("12X");
    get<QAbstractButton>("simSendDtmf")->click();
    EXPECT_TRUE(get<QLabel>("simReply")->text().startsWith("error:"));
    get<QLineEdit>("simDtmf")->setText("*73#");
    get<QAbstractButton>("simSendDtmf")->click();
    EXPECT_TRUE(get<QLabel>("simReply")->text().isEmpty());

    get<QLineEdit>("simCall")->setText("two words");
    get<QAbstractButton>("simConnect")->click();
    EXPECT_TRUE(get<QLabel>("simReply")->text().startsWith("error:"));
    EXPECT_TRUE(sim.state().connected.empty());

    EXPECT_EQ(window.send("chat K1ABC>hello there"), "ok");
    EXPECT_EQ(window.send("stationlist"), "ok");
}

// What the station's side of the link hears.
struct HeardEvents : NodeEvents {
    std::vector<std::string> heard;
    void onConnected(const std::string& c, const std::string&, const std::string&) override {
        heard.push_back("connected " + c);
    }
    void onDisconnected(const std::string& c) override { heard.push_back("disconnected " + c); }
    void onChatTextReceived(const std::string& t) override { heard.push_back("chat " + t); }
    void onStationListReceived() override { heard.push_back("stationlist"); }
    void onDtmfString(const std::string& d) override { heard.push_back("dtmf " + d); }
    void onClosing() override { heard.push_back("closing"); }
};

TEST_F(SimulatorWindowTest, EventsReachTheStationAndItsPttIsShownLive) {
    HeardEvents events;
    const auto link = sim.createNode(events);
    get<QLineEdit>("simCall")->setText("K1ABC");
    get<QAbstractButton>("simConnect")->click();
    get<QLineEdit>("simChatText")->setText("hello there");
    get<QAbstractButton>("simSendChat")->click();
    get<QLineEdit>("simDtmf")->setText("00");
    get<QAbstractButton>("simSendDtmf")->click();
    get<QAbstractButton>("simStationList")->click();
    get<QAbstractButton>("simDisconnect")->click();
    EXPECT_EQ(events.heard,
              (std::vector<std::string>{"connected K1ABC", "chat K1ABC>hello there", "dtmf 00",
                                        "stationlist", "disconnected K1ABC"}));

    auto* ptt = get<QLabel>("simPtt");
    for (const bool on : {true, false}) {
        link->setPtt(on);
        EXPECT_EQ(ptt->text().contains("ON"), on);
        EXPECT_EQ(ptt->font().bold(), on);
    }
}

}  // namespace
}  // namespace vox
