// Connect and disconnect announcements, chat read aloud and notices from other nodes, each on a
// rig of its own in virtual time.
#include <gtest/gtest.h>

#include "core/base/speech_markup.h"
#include "core/echolink/connection_announcer.h"
#include "tests/core/parts/part_rig.h"

namespace vox {
namespace {

constexpr const char* kN0CALL =
    "<spell>N</spell> <spell>0</spell> <spell>C</spell> "
    "<spell>A</spell> <spell>L</spell> <spell>L</spell> ";
constexpr const char* kK1XYZ =
    "<spell>K</spell> <spell>1</spell> <spell>X</spell> "
    "<spell>Y</spell> <spell>Z</spell> ";

// The node's events go to the announcer, as the station forwards them.
struct Forward : NodeEvents {
    ConnectionAnnouncer* to = nullptr;
    void onConnected(const std::string& call, const std::string&, const std::string&) override {
        to->onConnected(call);
    }
    void onDisconnected(const std::string& call) override { to->onDisconnected(call); }
    void onChatTextReceived(const std::string& text) override { to->onChatTextReceived(text); }
    void onStationListReceived() override {}
    void onDtmfString(const std::string&) override {}
    void onClosing() override {}
};

// The text of an air-log line's "text" field, its JSON escapes undone.
std::string jsonText(const std::string& line) {
    const auto at = line.find(R"("text":")");
    std::string out;
    for (std::size_t i = at + 8; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size())
            ++i;
        out += line[i];
    }
    return out;
}

struct AnnouncerRig : PartRig {
    explicit AnnouncerRig(LocalTime start = {2026, 12, 10, 15, 5, 10})
        : PartRig(start),
          announcer(context(), timers[TimerName::tConnections], timers[TimerName::tChatText]) {
        forward.to = &announcer;
        node.attach(nodes.createNode(forward));
        timers[TimerName::tConnections].setEnabled(true);
        timers[TimerName::tChatText].setEnabled(true);
        state.OwnCall = "K1ABC";
        log.onLine = [this](const std::string& text) { logged.push_back(text); };
    }
    // What the voice was handed, in order.
    std::vector<std::string> spoken() const {
        std::vector<std::string> out;
        for (const auto& l : linesWith(R"("ev":"speak")"))
            out.push_back(jsonText(l));
        return out;
    }
    std::vector<std::string> chatsSent() const {
        std::vector<std::string> out;
        for (const auto& l : linesWith(R"("ev":"chat")"))
            out.push_back(jsonText(l));
        return out;
    }

    ConnectionAnnouncer announcer;
    Forward forward;
    std::vector<std::string> logged;
};

TEST(ConnectionAnnouncer, SentencesForEveryKindOfCallBothVoicesAndBothClocks) {
    const struct {
        const char* call;
        bool connect;
        int voiceAtt, timeAfter, time24;
        LocalTime at;
        std::string expected;
    } cases[] = {
        {"N0CALL", true, 0, 0, 0, {2026, 12, 10, 15, 5, 10}, std::string(kN0CALL) + ", connected."},
        {"N0CALL-L",
         true,
         0,
         0,
         0,
         {2026, 12, 10, 15, 5, 10},
         std::string(kN0CALL) + ",Link, connected."},
        {"N0CALL-R",
         false,
         0,
         0,
         0,
         {2026, 12, 10, 15, 5, 10},
         std::string(kN0CALL) + ",Repeater, dis connected."},
        // Another suffix stays and gives no kind word.
        {"N0CALL-X",
         true,
         0,
         0,
         0,
         {2026, 12, 10, 15, 5, 10},
         std::string(kN0CALL) + "<spell>-</spell> <spell>X</spell> ,, connected."},
        {"N0CALL", true, 1, 0, 0, {2026, 12, 10, 15, 5, 10}, "n 0 c a l l , connected."},
        {"N0CALL-L",
         false,
         1,
         0,
         0,
         {2026, 12, 10, 15, 5, 10},
         "n 0 c a l l  Link, dis connected."},
        {"N0CALL-X", true, 1, 0, 0, {2026, 12, 10, 15, 5, 10}, "n 0 c a l l - x  , connected."},
        // The time: 12 hours.
        {"N0CALL", true, 1, 1, 0, {2026, 12, 10, 15, 5, 10}, "n 0 c a l l , connected at 3:05 PM."},
        {"N0CALL",
         true,
         1,
         1,
         0,
         {2026, 12, 10, 15, 0, 10},
         "n 0 c a l l , connected at 3 o'clock p m."},
        {"N0CALL",
         true,
         1,
         1,
         0,
         {2026, 12, 10, 0, 0, 10},
         "n 0 c a l l , connected at 12 o'clock eh m."},
        {"N0CALL",
         false,
         1,
         1,
         0,
         {2026, 12, 10, 9, 30, 10},
         "n 0 c a l l , dis connected at 9:30 AM."},
        // 24 hours.
        {"N0CALL", true, 1, 1, 1, {2026, 12, 10, 14, 5, 10}, "n 0 c a l l , connected at 14:05."},
        {"N0CALL",
         true,
         1,
         1,
         1,
         {2026, 12, 10, 0, 5, 10},
         "n 0 c a l l , connected at 05 minutes."},
        {"N0CALL",
         true,
         1,
         1,
         1,
         {2026, 12, 10, 14, 0, 10},
         "n 0 c a l l , connected at 14 hundred hours."},
        {"N0CALL-L",
         true,
         0,
         1,
         1,
         {2026, 12, 10, 0, 0, 10},
         std::string(kN0CALL) + ",Link, connected at zero hundred hours."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.call) + " " + formatHhMm(c.at) + " att " +
                     std::to_string(c.voiceAtt) + " 24h " + std::to_string(c.time24));
        AnnouncerRig rig(c.at);
        rig.settings.VoiceTypeAtt = static_cast<std::int16_t>(c.voiceAtt);
        rig.settings.TimeAfterConnDisc = static_cast<std::int16_t>(c.timeAfter);
        rig.settings.TtsTime24 = static_cast<std::int16_t>(c.time24);
        if (c.connect) {
            rig.command(std::string("connect ") + c.call);
        } else {
            rig.announcer.onDisconnected(c.call);
        }
        rig.run(20);
        EXPECT_EQ(rig.spoken(), std::vector<std::string>{"<xml>" + c.expected + "</xml>"});
        EXPECT_EQ(rig.logged, std::vector<std::string>{(c.connect ? "<EchoLink> connected: "
                                                                  : "<EchoLink> disconnected: ") +
                                                       std::string(c.call)});
    }
}

TEST(ConnectionAnnouncer, ButtonsAreMarkedWhileTheirNodeIsConnected) {
    AnnouncerRig rig;
    rig.settings.RemoteNodes[2].Node = "W1AW-L";
    rig.settings.RemoteNodes[5].Node = "K9XYZ";
    rig.command("connect *W1AW-L*");  // conferences come with stars
    rig.run(10);
    EXPECT_EQ(rig.panel.caption(Control::cmdRemoteNode(2)), "*W1AW-L");
    EXPECT_EQ(rig.panel.caption(Control::cmdRemoteNode(5)), "");
    rig.command("disconnect *W1AW-L*");
    rig.run(10);
    EXPECT_EQ(rig.panel.caption(Control::cmdRemoteNode(2)), "W1AW-L");
}

TEST(ConnectionAnnouncer, WithSkipIfBusyATalkingStationGetsTheLogAndTheMarkButNoAnnouncement) {
    AnnouncerRig rig;
    rig.settings.SkipIfBusy = 1;
    rig.settings.RemoteNodes[0].Node = "W1AW";
    rig.command("connect W1AW");
    // The station starts talking within the two seconds it is given.
    rig.rt.callAfter(1.5, [&] { rig.command("remote on"); });
    rig.run(30);
    EXPECT_EQ(rig.logged, std::vector<std::string>{"<EchoLink> connected: W1AW"});
    EXPECT_EQ(rig.panel.caption(Control::cmdRemoteNode(0)), "*W1AW");
    EXPECT_TRUE(rig.spoken().empty());
    EXPECT_TRUE(rig.linesWith(R"("ev":"ptt")").empty());

    // A receiver busy at the disconnect likewise: no wait, no word.
    rig.command("remote off");
    rig.command("rx on");
    rig.command("disconnect W1AW");
    rig.run(30);
    EXPECT_EQ(rig.panel.caption(Control::cmdRemoteNode(0)), "W1AW");
    EXPECT_TRUE(rig.spoken().empty());
}

TEST(ConnectionAnnouncer, SleepingOrSwitchedOffOnlyLogsAndMarks) {
    for (const bool sleeping : {true, false}) {
        AnnouncerRig rig;
        rig.state.TTSSleeping = sleeping;
        rig.settings.TtsLocalConnDisc = sleeping ? 1 : 0;
        rig.command("connect W1AW");
        rig.run(10);
        EXPECT_EQ(rig.logged.size(), 1u);
        EXPECT_TRUE(rig.spoken().empty());
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), sleeping ? "TTS is Sleeping!" : "");
    }
}

TEST(ConnectionAnnouncer, EventsDuringAnAnnouncementAreAllAnnouncedInOrder) {
    AnnouncerRig rig;
    rig.settings.VoiceTypeAtt = 1;
    rig.command("connect W1AW");
    // While W1AW is being announced (the receiver holds it), three more events arrive.
    rig.command("rx on");
    rig.rt.callAfter(1, [&] {
        rig.command("connect K9XYZ");
        rig.command("disconnect W1AW");
        rig.command("connect VE3ABC");
        EXPECT_EQ(rig.announcer.pendingConnect(), "VE3ABC");
        EXPECT_EQ(rig.announcer.pendingDisconnect(), "W1AW");
        EXPECT_EQ(rig.announcer.waiting(), 3u);  // W1AW itself is being announced
        rig.command("rx off");
    });
    rig.run(60);
    EXPECT_EQ(rig.spoken(), (std::vector<std::string>{
                                "<xml>w 1 a w , connected.</xml>",
                                "<xml>k 9 x y z , connected.</xml>",
                                "<xml>w 1 a w , dis connected.</xml>",
                                "<xml>v e 3 a b c , connected.</xml>",
                            }));
    EXPECT_EQ(rig.announcer.waiting(), 0u);
    EXPECT_EQ(rig.announcer.pendingConnect(), "");
    EXPECT_EQ(rig.announcer.pendingDisconnect(), "");
}

TEST(ConnectionAnnouncer, AFloodKeepsTheNewestWithOneLogLine) {
    AnnouncerRig rig;
    rig.settings.VoiceTypeAtt = 1;
    const std::size_t total = ConnectionAnnouncer::kMaxWaiting + 36;
    for (std::size_t i = 0; i < total; ++i)
        rig.announcer.onConnected("W" + std::to_string(i) + "AW");
    EXPECT_EQ(rig.announcer.waiting(), ConnectionAnnouncer::kMaxWaiting);
    EXPECT_EQ(rig.announcer.pendingConnect(), "W" + std::to_string(total - 1) + "AW");
    ASSERT_EQ(rig.logged.size(), 1u);
    EXPECT_NE(rig.logged[0].find("too many"), std::string::npos);

    rig.run(600);
    const auto spoken = rig.spoken();
    ASSERT_EQ(spoken.size(), ConnectionAnnouncer::kMaxWaiting);
    EXPECT_EQ(spoken.front(), "<xml>w 3 6 a w , connected.</xml>");
    EXPECT_EQ(spoken.back(), "<xml>w 9 9 a w , connected.</xml>");
    EXPECT_EQ(rig.logged.size(), 1 + ConnectionAnnouncer::kMaxWaiting);
}

TEST(ConnectionAnnouncer, ConnectAndDisconnectNoticesGoToTheChatOnlyWhenAsked) {
    for (const int remote : {0, 1}) {
        AnnouncerRig rig;
        rig.settings.TtsRemoteConnDisc = static_cast<std::int16_t>(remote);
        rig.command("connect W1AW-R");
        rig.command("disconnect W1AW-R");
        rig.run(20);
        const std::vector<std::string> expected =
            remote ? std::vector<std::string>{"|ET|CO|W1AW-R|", "|ET|DI|W1AW-R|"}
                   : std::vector<std::string>{};
        EXPECT_EQ(rig.chatsSent(), expected);
    }
    // A chat the node refuses costs the announcement nothing.
    AnnouncerRig rig;
    rig.settings.TtsRemoteConnDisc = 1;
    rig.command("fail SendChat");
    rig.command("connect W1AW");
    rig.run(10);
    EXPECT_EQ(rig.spoken().size(), 1u);
}

TEST(ChatText, ReadPlainOrFullOrNotAtAll) {
    const struct {
        int chatMsg, full;
        bool noText;
        std::vector<std::string> expected;
    } cases[] = {
        {1, 0, false, {std::string("<xml>Text Message from ") + kK1XYZ + " .</xml>"}},
        {1,
         1,
         false,
         {std::string("<xml>Text Message from ") + kK1XYZ + ". Net starts at 8 pm .</xml>"}},
        {0, 1, false, {}},
        {1, 1, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.chatMsg) + std::to_string(c.full) + std::to_string(c.noText));
        AnnouncerRig rig;
        rig.settings.TtsChatMsg = static_cast<std::int16_t>(c.chatMsg);
        rig.settings.TtsFullChatText = static_cast<std::int16_t>(c.full);
        rig.panel.setChecked(Control::cbNoText, c.noText);
        rig.command("chat K1XYZ-L>Net starts at 8 pm");
        rig.run(10);
        EXPECT_EQ(rig.spoken(), c.expected);
        EXPECT_EQ(rig.announcer.pendingChatText(), "");
    }
}

TEST(ChatText, AStrangersMarkupIsSpokenAsTextAndNeverHoldsTheTransmitter) {
    const char* lines[] = {
        R"(W1AW><silence msec="99999"/>)",
        "W1AW>hi</xml><spell>ABC</spell><xml> there",
        R"(</spell><silence msec="9000"/>>x)",  // the sender is the stranger's too
        "W1AW>&lt;silence msec=\"9000\"/&gt; &amp;",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        AnnouncerRig rig;
        rig.settings.TtsChatMsg = 1;
        rig.settings.TtsFullChatText = 1;
        rig.announcer.onChatTextReceived(line);
        rig.run(30);
        const auto spoken = rig.spoken();
        ASSERT_EQ(spoken.size(), 1u);
        const std::string text(line);
        const std::string message = text.substr(text.find('>') + 1);
        std::string words;
        for (const SpeechRun& run : parseSpeechMarkup(spoken[0])) {
            EXPECT_NE(run.kind, SpeechRun::Kind::Silence);
            if (run.kind == SpeechRun::Kind::Speech)
                words += run.text;
        }
        // The message is heard exactly as written, after our own words.
        EXPECT_NE(words.find(". " + message + " ."), std::string::npos) << words;
        EXPECT_EQ(spoken[0].rfind("<xml>Text Message from ", 0), 0u);
        EXPECT_FALSE(rig.node.link().isTransmitting());
    }
}

TEST(ChatText, BadLinesAreDroppedSilently) {
    const char* lines[] = {
        "no bracket at all",
        ">an empty sender",
        "-L>a sender of only a suffix",
        "K1XYZ>|ET|XX|W1AW|",  // unknown kind
        "K1XYZ>|ET|co|W1AW|",  // the kind in small letters
        "K1XYZ>|ET|CO|W1AW",   // no closing bar
        "K1XYZ>|ET|CO|",       // no station
        "K1XYZ>|ET|CO||",      // an empty station
        "K1XYZ>|ET|CO|-L|",    // a station of only "-L"
        "|ET|CO|W1AW|",        // no sender
        "K1XYZ>|ET|",          // nothing after the mark
        // A second notice in one line.
        "K1XYZ>|ET|CO|W1AW||ET|DI|N0CALL|",
        "K1XYZ>|ET|CO|W1AW|K2ABC>|ET|DI|N0CALL|",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        AnnouncerRig rig;
        rig.settings.TtsChatMsg = 1;
        rig.settings.TtsFullChatText = 1;
        rig.settings.TtsRemoteConnDisc = 1;
        rig.announcer.onChatTextReceived(line);
        rig.run(10);
        EXPECT_TRUE(rig.spoken().empty());
        EXPECT_TRUE(rig.linesWith(R"("ev":"ptt")").empty());
        EXPECT_EQ(rig.announcer.pendingChatText(), "");
    }
    // Events without a usable call are no better.
    AnnouncerRig rig;
    rig.announcer.onConnected("");
    rig.announcer.onConnected("-L");
    rig.announcer.onDisconnected("***");
    rig.run(10);
    EXPECT_TRUE(rig.spoken().empty());
}

TEST(RemoteNotice, SentencesForBothKindsAndBothVoices) {
    const struct {
        const char* line;
        int voiceAtt;
        std::string expected;
    } cases[] = {
        {"K1XYZ-L>|ET|CO|N0CALL|", 0, std::string(kN0CALL) + " connected to " + kK1XYZ},
        {"K1XYZ-L>|ET|CO|N0CALL-L|", 0, std::string(kN0CALL) + ", Link,  connected to " + kK1XYZ},
        {"K1XYZ>|ET|DI|N0CALL-R|", 0,
         std::string(kN0CALL) + ", Repeater,  dis connected from " + kK1XYZ},
        {"K1XYZ-R>|et|CO|N0CALL|", 1, "N0CALL connected to K1XYZ"},
        {"K1XYZ>|ET|DI|N0CALL|", 1, "n 0 c a l l  dis connected from K1XYZ"},
        {"K1XYZ>|ET|CO|<silence msec=\"5000\"/>|", 1,
         "&lt;silence msec=&quot;5000&quot;/&gt; connected to K1XYZ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        AnnouncerRig rig;
        rig.settings.TtsRemoteConnDisc = 1;
        rig.settings.VoiceTypeAtt = static_cast<std::int16_t>(c.voiceAtt);
        rig.announcer.onChatTextReceived(c.line);
        rig.run(20);
        EXPECT_EQ(rig.spoken(), std::vector<std::string>{"<xml>" + c.expected + "</xml>"});
    }
}

TEST(RemoteNotice, OurOwnEchoAndSwitchedOffNoticesAreNeverSpoken) {
    const struct {
        const char* line;
        int remote;
        std::string ownCall;
    } cases[] = {
        {"K1XYZ>|ET|CO|K1ABC-L|", 1, "K1ABC"},  // about ourselves
        {"K1XYZ>|ET|CO|k1abc|", 1, "K1ABC"},    // in any letter case
        {"K1XYZ>|ET|CO|W1AW|", 0, "K1ABC"},     // notices not wanted
        {"K1XYZ>|ET|CO|W1AW|", 1, ""},          // our call unknown: we cannot tell
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        AnnouncerRig rig;
        rig.settings.TtsRemoteConnDisc = static_cast<std::int16_t>(c.remote);
        rig.settings.TtsChatMsg = 1;  // a notice is never read as chat either
        rig.state.OwnCall = c.ownCall;
        rig.announcer.onChatTextReceived(c.line);
        rig.run(20);
        EXPECT_TRUE(rig.spoken().empty());
    }
}

}  // namespace
}  // namespace vox
