// DTMF through a whole station: the wires from the dispatcher to the parts it sets going.
#include <gtest/gtest.h>

#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

using Events = std::vector<std::string>;

bool has(const StationRig& rig, std::size_t from, const std::string& text) {
    for (std::size_t i = from; i < rig.airLines.size(); ++i)
        if (rig.airLines[i].find(text) != std::string::npos)
            return true;
    return false;
}

TEST(DtmfStation, ThePadsElevenStarStartsARecordingAndTheNodesTonesStopIt) {
    StationRig rig;
    rig.startAndRunUntil({2026, 12, 10, 11, 59, 30, 0});
    std::size_t from = rig.airLines.size();
    rig.station->dtmf().injectFromPad("11*");
    rig.runUntil({2026, 12, 10, 11, 59, 40, 0});
    EXPECT_TRUE(rig.nodes.state().recording);
    EXPECT_EQ(rig.nodes.state().recordingMode, 2);
    EXPECT_TRUE(has(rig, from, "Recording is on."));
    EXPECT_EQ(rig.station->recording().RecordFileName.substr(0, 18), "QSO_2026_12_10_115");

    from = rig.airLines.size();
    rig.command("dtmf 22*");
    rig.runUntil({2026, 12, 10, 11, 59, 50, 0});
    EXPECT_FALSE(rig.nodes.state().recording);
    EXPECT_EQ(rig.nodes.state().recordingMode, 0);
    EXPECT_TRUE(has(rig, from, "Recording is off."));
    EXPECT_FALSE(rig.station->pttHeld());
}

// A node that cannot record (SvxLink) refuses the start: the caller hears that, not "on".
TEST(DtmfStation, ARecordingTheNodeRefusesIsSaidToBeNotAvailable) {
    StationRig rig;
    rig.startAndRunUntil({2026, 12, 10, 11, 59, 30, 0});
    const std::size_t from = rig.airLines.size();
    rig.command("fail StartRecording");
    rig.command("dtmf 11*");
    rig.runUntil({2026, 12, 10, 11, 59, 40, 0});
    EXPECT_FALSE(rig.nodes.state().recording);
    EXPECT_TRUE(has(rig, from, "Recording is not available on this node."));
    EXPECT_FALSE(has(rig, from, "Recording is on."));
    EXPECT_TRUE(has(rig, from, R"("panel":4,"text":"Recording is not available")"));
}

TEST(DtmfStation, RemoteNodeCodesConnectAndTheNodesCodesAreRead) {
    ProgramConf conf = StationRig::quickConf();
    conf.dtmfCommands = "Status=08,Disconnect=##";
    StationRig rig({2026, 12, 10, 11, 59, 0, 0}, conf);
    rig.startAndRunUntil({2026, 12, 10, 11, 59, 30, 0});
    rig.station->settings().RemoteNodes[4].Node = "W1AW-R";
    rig.station->settings().RemoteNodes[4].Dtmf = "123";
    rig.command("dtmf 123");
    rig.command("dtmf ##");  // the newer string wins: the node's own code
    rig.runUntil({2026, 12, 10, 11, 59, 32, 0});
    EXPECT_EQ(rig.station->panel().panel(StatusPanel::Speech), "DTMF used by EchoLink");

    rig.command("dtmf 123");
    rig.runUntil({2026, 12, 10, 11, 59, 40, 0});
    EXPECT_TRUE(has(rig, 0, R"("ev":"connect","call":"W1AW-R")"));
}

}  // namespace
}  // namespace vox
