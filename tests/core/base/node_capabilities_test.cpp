#include "core/base/node_capabilities.h"

#include <functional>

#include <gtest/gtest.h>

namespace vox {
namespace {

// A node with none of the capabilities beyond what every node does.
class PlainLink : public NodeLink {
public:
    std::string name() const override { return "SvxLink"; }
    void connectTo(const std::string&) override {}
    void disconnectFrom(const std::string&) override {}
    void setPtt(bool) override {}
    bool isRemoteAudio() override { return false; }
    bool isTransmitting() override { return false; }
    bool isReceiving() override { return false; }
    long connectedCount() override { return 0; }
    bool isConnected(const std::string&) override { return false; }
};

TEST(NodeCapabilities, ANodeWithoutOneFailsWithWhatItCannotDo) {
    PlainLink link;
    const struct {
        std::function<void()> use;
        const char* description;
    } cases[] = {
        {[&] { sendChat(link, "hi"); }, "SvxLink cannot send chat"},
        {[&] { nodeBusy(link); }, "SvxLink cannot report a busy state"},
        {[&] { setNodeBusy(link, true); }, "SvxLink cannot set a busy state"},
        {[&] { setNodeEnabled(link, false); },
         "SvxLink cannot switch the node on or off from outside"},
        {[&] { startRecording(link); }, "SvxLink cannot record from outside"},
        {[&] { stopRecording(link); }, "SvxLink cannot record from outside"},
        {[&] { playAudio(link, "/x.wav"); }, "SvxLink cannot play a file over the link"},
        {[&] { stationListXml(link); }, "SvxLink cannot list the stations' details"},
        {[&] { setRts(link, true); }, "SvxLink cannot drive RTS (set [fan] serial_port)"},
        {[&] { setDtr(link, true); }, "SvxLink cannot drive DTR (set [fan] serial_port)"},
        {[] { cannotRecord("SvxLink"); }, "SvxLink cannot record from outside"},
    };
    for (const auto& c : cases) {
        try {
            c.use();
            ADD_FAILURE() << c.description << ": no failure";
        } catch (const NodeError& e) {
            EXPECT_EQ(e.source(), "SvxLink");
            EXPECT_EQ(e.description(), c.description);
        }
    }
    // Nothing to hold, and neither line keys the transmitter.
    EXPECT_NO_THROW(holdStationList(link));
    EXPECT_EQ(sysopPttControl(link), 0);
}

TEST(NodeCapabilities, ASetHoldsWhatItIsGiven) {
    const NodeCapabilities some{NodeCapability::Chat, NodeCapability::Recording};
    for (NodeCapability c : kNodeCapabilities) {
        EXPECT_EQ(some.has(c), c == NodeCapability::Chat || c == NodeCapability::Recording);
        EXPECT_TRUE(NodeCapabilities::every().has(c));
        EXPECT_FALSE(NodeCapabilities().has(c));
        EXPECT_EQ(lackingReason("SvxLink", c).rfind("SvxLink cannot ", 0), 0u);
    }
}

}  // namespace
}  // namespace vox
