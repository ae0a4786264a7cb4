// Two whole stations whose nodes share a chat: the connect notices one sends are announced by the
// other, and never by the node they are about.
#include <gtest/gtest.h>

#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

ProgramConf nodeCalled(const std::string& call) {
    ProgramConf conf = StationRig::quickConf();
    conf.callsign = call;
    return conf;
}

std::string spell(const std::string& call) {
    std::string out;
    for (char c : call)
        out += std::string("<spell>") + c + "</spell> ";
    return out;
}

// The announcements a station made, in order.
std::vector<std::string> announcements(const StationRig& rig) {
    std::vector<std::string> out;
    for (const auto& line : rig.airLines) {
        if (line.find(R"("ev":"speak")") == std::string::npos ||
            line.find("connected") == std::string::npos)
            continue;
        const auto at = line.find(R"("text":")") + 8;
        out.push_back(line.substr(at, line.size() - at - 2));
    }
    return out;
}

// Both stations run side by side, each on its own clock, in half-second slices.
void runBoth(StationRig& a, StationRig& b, double seconds) {
    for (double t = 0; t < seconds; t += 0.5) {
        a.rt.waitUntil(a.rt.now() + 0.5);
        b.rt.waitUntil(b.rt.now() + 0.5);
    }
}

TEST(ConnectionNotices, ANoticeIsAnnouncedByTheOtherNodeAndAnEchoNever) {
    const LocalTime start{2026, 12, 10, 12, 1, 30, 0};
    StationRig a(start, nodeCalled("K1AAA-L")), b(start, nodeCalled("W2BBB-R"));
    joinChat(a.nodes, b.nodes);
    for (StationRig* rig : {&a, &b}) {
        ASSERT_EQ(rig->station->start(), Station::StartOutcome::Running);
        rig->station->settings().TtsRemoteConnDisc = 1;
    }

    // A station connects to A: A announces it, and B announces A's notice about it.
    a.command("connect N0CALL");
    runBoth(a, b, 30);
    EXPECT_EQ(announcements(a),
              std::vector<std::string>{"<xml>" + spell("N0CALL") + ", connected.</xml>"});
    EXPECT_EQ(announcements(b),
              std::vector<std::string>{"<xml>" + spell("N0CALL") + " connected to " +
                                       spell("K1AAA") + "</xml>"});

    // A and B link up. Each tells the other, and each notice names its receiver: an echo.
    a.command("connect W2BBB-R");
    b.command("connect K1AAA-L");
    runBoth(a, b, 30);
    EXPECT_EQ(announcements(a), (std::vector<std::string>{
                                    "<xml>" + spell("N0CALL") + ", connected.</xml>",
                                    "<xml>" + spell("W2BBB") + ",Repeater, connected.</xml>",
                                }));
    EXPECT_EQ(announcements(b),
              (std::vector<std::string>{
                  "<xml>" + spell("N0CALL") + " connected to " + spell("K1AAA") + "</xml>",
                  "<xml>" + spell("K1AAA") + ",Link, connected.</xml>",
              }));

    // N0CALL leaves A; B hears of it too.
    a.command("disconnect N0CALL");
    runBoth(a, b, 30);
    const auto heardByB = announcements(b);
    ASSERT_EQ(heardByB.size(), 3u);
    EXPECT_EQ(heardByB[2],
              "<xml>" + spell("N0CALL") + " dis connected from " + spell("K1AAA") + "</xml>");

    for (StationRig* rig : {&a, &b})
        rig->station->shutdown();
}

}  // namespace
}  // namespace vox
