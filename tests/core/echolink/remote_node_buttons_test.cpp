// The remote-node buttons on their own, over the simulated node, in virtual time.
#include <gtest/gtest.h>

#include "core/base/air_log.h"
#include "core/echolink/remote_node_buttons.h"
#include "tests/core/parts/part_rig.h"

namespace vox {
namespace {

struct ButtonsRig : PartRig {
    ButtonsRig() : buttons(context(), controls) {
        panel.subscribe([this](const FrontPanel::Change& c) {
            if (c.kind == FrontPanel::Change::Kind::Panel && c.panel == 4)
                panel4.push_back(panel.panel(4));
        });
    }
    std::string caption(int i) const { return panel.caption(Control::cmdRemoteNode(i)); }
    // The air-log lines of the node's connect or disconnect requests.
    std::vector<std::string> requests(const std::string& kind, const std::string& call) const {
        return linesWith("\"ev\":\"" + kind + "\",\"call\":\"" + call + "\"");
    }

    RemoteNodeButtons buttons;
    std::vector<std::string> panel4;
};

// A text as it stands inside a JSON string of the air log.
std::string inJson(const std::string& text) {
    const std::string quoted = jsonQuote(text);
    return quoted.substr(1, quoted.size() - 2);
}

TEST(RemoteNodeButtons, CaptionsMarkTheConnectedNodesEvenWhenTheyConnectedBeforeUs) {
    ButtonsRig rig;
    rig.command("connect W1AW-L");
    rig.command("connect K1ABC");
    rig.run(1);
    rig.settings.RemoteNodes[0].Node = "W1AW-L";
    rig.settings.RemoteNodes[1].Node = "N2XYZ-R";
    rig.settings.RemoteNodes[5].Node = "K1ABC";

    rig.buttons.LoadNodeButtons();
    const std::vector<std::string> expected = {"*W1AW-L", "N2XYZ-R", "", "", "", "*K1ABC", "", ""};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(rig.caption(i), expected[static_cast<std::size_t>(i)]) << i;

    rig.command("disconnect K1ABC");
    rig.run(1);
    rig.buttons.LoadNodeButtons();
    EXPECT_EQ(rig.caption(5), "K1ABC");
}

TEST(RemoteNodeButtons, AFailingNodeLeavesTheCaptionsAsTheyWere) {
    ButtonsRig rig;
    rig.settings.RemoteNodes[0].Node = "W1AW-L";
    rig.settings.RemoteNodes[1].Node = "K1ABC";
    rig.buttons.LoadNodeButtons();
    rig.command("connect W1AW-L");
    rig.run(1);

    rig.command("fail IsConnected 1");
    EXPECT_NO_THROW(rig.buttons.LoadNodeButtons());
    EXPECT_EQ(rig.caption(0), "W1AW-L");
    EXPECT_EQ(rig.caption(1), "K1ABC");

    rig.node.release();
    EXPECT_NO_THROW(rig.buttons.LoadNodeButtons());
    EXPECT_EQ(rig.caption(0), "W1AW-L");
}

TEST(RemoteNodeButtons, PressingConnectsAnIdleNodeAndDropsAConnectedOne) {
    ButtonsRig rig;
    rig.settings.RemoteNodes[3].Node = "W1AW-L";
    rig.buttons.LoadNodeButtons();
    rig.panel.setPanel(4, "Auto Connect Done");

    ASSERT_TRUE(rig.controls.press(Control::cmdRemoteNode(3)));
    EXPECT_EQ(rig.requests("connect", "W1AW-L").size(), 1u);
    EXPECT_EQ(rig.panel.panel(4), "") << "panel 4 is emptied";
    rig.run(3);
    EXPECT_EQ(rig.events.seen, std::vector<std::string>{"connected W1AW-L"});
    // The press leaves the caption to the node's events.
    EXPECT_EQ(rig.caption(3), "W1AW-L");

    // A press by another part (a DTMF command) is the same press.
    ASSERT_TRUE(rig.controls.press(Control::cmdRemoteNode(3)));
    EXPECT_EQ(rig.requests("disconnect", "W1AW-L").size(), 1u);
    EXPECT_EQ(rig.requests("connect", "W1AW-L").size(), 1u) << "no second connect";
    rig.run(1);
    EXPECT_EQ(rig.events.seen.back(), "disconnected W1AW-L");
    EXPECT_TRUE(rig.linesWith("\"ev\":\"speak\"").empty()) << "nothing to say when it worked";
}

TEST(RemoteNodeButtons, TheNodesRefusalIsShownAndSpokenWithTheCallSpelled) {
    const struct {
        std::string node;
        int voiceTypeAtt;
        std::string shown;
        std::string spoken;
    } cases[] = {
        // An empty entry passes the empty call on; the node's answer is the message.
        {"", 0, "EchoLink: No station given to connect to",
         "<xml>,No station given to connect to</xml>"},
        // Only the part before the first "-" is spelled.
        {"N0CALL-X-Y", 1, "EchoLink: Station N0CALL-X-Y is not in the station list",
         "<xml>n 0 c a l l ,Station N0CALL-X-Y is not in the station list</xml>"},
        {"AB-1", 0, "EchoLink: Station AB-1 is not in the station list",
         "<xml><spell>A</spell> <spell>B</spell> ,Station AB-1 is not in the station "
         "list</xml>"},
        // Nothing of a bad call reaches the voice as markup.
        {"<silence msec=\"9999\"/>", 1,
         "EchoLink: Station <silence msec=\"9999\"/> is not in the station list",
         "<xml>s i l e n c e   m s e c = \" 9 9 9 9 \" / ,Station &lt;silence "
         "msec=&quot;9999&quot;/&gt; is not in the station list</xml>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        ButtonsRig rig;
        rig.settings.RemoteNodes[6].Node = c.node;
        rig.settings.VoiceTypeAtt = static_cast<std::int16_t>(c.voiceTypeAtt);
        rig.panel.setPanel(4, "Auto Connect Done");
        rig.panel4.clear();
        ASSERT_TRUE(rig.controls.press(Control::cmdRemoteNode(6)));
        ASSERT_GE(rig.panel4.size(), 2u);
        EXPECT_EQ(rig.panel4[0], "");
        EXPECT_EQ(rig.panel4[1], c.shown);
        const auto spoken = rig.linesWith("\"ev\":\"speak\"");
        ASSERT_EQ(spoken.size(), 1u);
        EXPECT_NE(spoken[0].find("\"text\":\"" + inJson(c.spoken) + "\""), std::string::npos)
            << spoken[0];
        EXPECT_FALSE(rig.speech.pttHeld());
    }
}

TEST(RemoteNodeButtons, AFailingDisconnectIsReportedLikeAConnect) {
    ButtonsRig rig;
    rig.settings.RemoteNodes[0].Node = "W1AW-L";
    rig.command("connect W1AW-L");
    rig.run(1);
    rig.command("fail DisconnectFrom 1");
    ASSERT_TRUE(rig.controls.press(Control::cmdRemoteNode(0)));
    ASSERT_GE(rig.panel4.size(), 1u);
    EXPECT_EQ(rig.panel4[0], "DisconnectFrom: Injected failure");
    EXPECT_EQ(rig.linesWith("Injected failure").size(), 1u);
}

}  // namespace
}  // namespace vox
