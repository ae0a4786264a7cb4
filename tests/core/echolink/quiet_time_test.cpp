// Quiet hours on a rig of their own: going to sleep, staying silent, waking up.
#include <gtest/gtest.h>

#include "core/echolink/quiet_time.h"
#include "tests/core/parts/part_rig.h"

namespace vox {
namespace {

constexpr const char* kNodeCall = "Kilo One Victor X-ray Charlie";

struct QuietRig : PartRig, QuietTimePeers {
    explicit QuietRig(LocalTime start = {2026, 12, 10, 12, 1, 30})
        : PartRig(start), quiet(context(), timers[TimerName::tQuietTime], *this) {
        settings.WxNodeCall = kNodeCall;
        log.onLine = [this](const std::string& text) {
            logged.push_back(formatHhMmSs(rt.localNow()) + " " + text);
        };
    }
    // "hh:mm:ss text" of what the voice was handed.
    std::vector<std::string> spoken() const {
        std::vector<std::string> out;
        for (const auto& l : linesWith(R"("ev":"speak")")) {
            const auto text = l.find(R"("text":")") + 8;
            out.push_back(l.substr(l.find('T') + 1, 8) + " " + l.substr(text, l.size() - text - 2));
        }
        return out;
    }
    // Runs until this many seconds after the rig's start, however long a tick inside holds on.
    void runTo(double secondsFromStart) { rt.waitUntil(t0 + secondsFromStart); }
    void speakAt(double secondsFromNow, const std::string& text) {
        rt.callAfter(secondsFromNow, [this, text] { speech.SpeakText(text); });
    }

    double t0 = rt.now();
    void reloadNodeButtons() override { buttonLoads.push_back(formatHhMmSs(rt.localNow())); }

    QuietTime quiet;
    std::vector<std::string> buttonLoads;
    std::vector<std::string> logged;
};

const std::string kWarning =
    std::string("<xml>Voxclock will go into sleep mode in 1 minute! This is ") + kNodeCall +
    "</xml>";
const std::string kAwake =
    std::string("<xml>Voxclock is now Awake! This is ") + kNodeCall + "</xml>";

// Entered at 12:03:00: the minute's wait starts once the warning has been spoken (about 4 s).
TEST(QuietTime, WarnsSleepsSilentlyAndWakesWithTheNodeSwitchedPerNodeOffIfQuiet) {
    const struct {
        std::int16_t nodeOff;
        const char* startLine;
        const char* stopLine;
        std::vector<std::string> nodeSwitches;
    } cases[] = {
        {1,
         "12:04:04 Quiet Time START - EchoLink disabled.",
         "12:11:03 Quiet Time STOP  - EchoLink enabled.",
         {R"("ev":"node","on":false})", R"("ev":"node","on":true})"}},
        {0, "12:04:04 Quiet Time START.", "12:11:03 Quiet Time STOP.", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nodeOff);
        QuietRig rig;
        rig.settings.QuietStart = "12:03";
        rig.settings.QuietStop = "12:10";
        rig.settings.NodeOffIfQuiet = c.nodeOff;
        rig.timers[TimerName::tQuietTime].setEnabled(true);
        rig.speakAt(120, "inside the warning minute");  // 12:03:30
        rig.speakAt(420, "inside quiet time");          // 12:08:30

        rig.runTo(6 * 60 + 45);  // 12:08:15
        EXPECT_TRUE(rig.state.TTSSleeping);
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "TTS is Sleeping!");
        EXPECT_EQ(rig.nodes.state().nodeEnabled, c.nodeOff == 0);
        EXPECT_EQ(rig.buttonLoads, std::vector<std::string>{"12:04:04"});

        rig.runTo(10 * 60 + 45);  // 12:12:15: 12:10 still belongs to the window
        EXPECT_FALSE(rig.state.TTSSleeping);
        EXPECT_EQ(rig.panel.panel(StatusPanel::Speech), "TTS is Awake!");
        EXPECT_TRUE(rig.nodes.state().nodeEnabled);
        EXPECT_EQ(rig.spoken(),
                  (std::vector<std::string>{"12:03:00 " + kWarning, "12:11:00 " + kAwake}));
        EXPECT_EQ(rig.logged, (std::vector<std::string>{c.startLine, c.stopLine}));
        std::vector<std::string> switches;
        for (const auto& l : rig.linesWith(R"("ev":"node")"))
            switches.push_back(l.substr(l.find(R"("ev")")));
        EXPECT_EQ(switches, c.nodeSwitches);
        EXPECT_EQ(rig.buttonLoads.size(), 1u);
    }
}

TEST(QuietTime, TheWarningWaitsForATalkingStation) {
    QuietRig rig;
    rig.settings.QuietStart = "12:03";
    rig.settings.QuietStop = "12:10";
    rig.timers[TimerName::tQuietTime].setEnabled(true);
    rig.rt.callAfter(80, [&] { rig.command("remote on"); });    // 12:02:50
    rig.rt.callAfter(120, [&] { rig.command("remote off"); });  // 12:03:30
    rig.runTo(190);
    // Entered at 12:03:00, spoken once the station stopped.
    EXPECT_EQ(rig.spoken(), std::vector<std::string>{"12:03:30 " + kWarning});
    EXPECT_EQ(rig.logged, std::vector<std::string>{"12:04:34 Quiet Time START."});
}

TEST(QuietTime, StartingInsideAWindowAcrossMidnightSleepsAtTheFirstTick) {
    QuietRig rig(LocalTime{2026, 12, 10, 23, 59, 40});
    rig.settings.QuietStart = "23:00";
    rig.settings.QuietStop = "06:30";
    rig.timers[TimerName::tQuietTime].setEnabled(true);
    rig.runTo(40);
    EXPECT_EQ(rig.spoken(), std::vector<std::string>{"00:00:10 " + kWarning});
    rig.runTo(6 * 3600 + 30 * 60 + 40);  // 06:30:20: still quiet
    EXPECT_TRUE(rig.state.TTSSleeping);
    EXPECT_EQ(rig.spoken().size(), 1u);
    rig.runTo(6 * 3600 + 31 * 60 + 40);
    EXPECT_EQ(rig.spoken().back(), "06:31:10 " + kAwake);
}

TEST(QuietTime, NoWindowMeansAwake) {
    const struct {
        const char* start;
        const char* stop;
    } cases[] = {{"12:00", "12:00"}, {"", "13:00"}, {"11:00", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + "-" + c.stop);
        QuietRig rig;
        rig.settings.QuietStart = c.start;
        rig.settings.QuietStop = c.stop;
        rig.timers[TimerName::tQuietTime].setEnabled(true);
        rig.run(24 * 3600);
        EXPECT_FALSE(rig.state.TTSSleeping);
        EXPECT_TRUE(rig.spoken().empty());
        EXPECT_TRUE(rig.logged.empty());
        EXPECT_TRUE(rig.nodes.state().nodeEnabled);
    }
}

TEST(QuietTime, AFailingNodeEndsTheTickAndTheNextOneGoesOn) {
    QuietRig rig;
    rig.settings.QuietStart = "12:03";
    rig.settings.QuietStop = "12:10";
    rig.settings.NodeOffIfQuiet = 1;
    rig.timers[TimerName::tQuietTime].setEnabled(true);
    rig.command("fail SetNodeEnabled 1");
    rig.runTo(3 * 60);
    // Asleep, but without the log line; nothing keyed is left behind.
    EXPECT_TRUE(rig.state.TTSSleeping);
    EXPECT_TRUE(rig.logged.empty());
    EXPECT_FALSE(rig.nodes.state().ptt);
    rig.runTo(12 * 60);
    EXPECT_EQ(rig.logged,
              std::vector<std::string>{"12:11:03 Quiet Time STOP  - EchoLink enabled."});
}

}  // namespace
}  // namespace vox
