#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "backends/svxlink/own_codes_keeper.h"
#include "core/base/runtime.h"
#include "core/base/virtual_time.h"

namespace vox {
namespace {

struct KeeperRig {
    VirtualClock clock{LocalTime{2026, 12, 10, 12, 0, 0, 0}};
    VirtualEventLoop loop{clock};
    Runtime rt{clock, loop};
    double t0 = rt.now();
    OwnCodesKeeper::Codes codes{"00", "A1"};
    std::string failWith;             // non-empty: the next writes fail with it
    std::vector<std::string> writes;  // "seconds: codes" of each write that succeeded
    std::vector<std::string> told;

    OwnCodesKeeper::Write write() {
        return [this](const OwnCodesKeeper::Codes& c, std::string* error) {
            if (!failWith.empty()) {
                *error = failWith;
                return false;
            }
            std::string line = std::to_string(std::lround((rt.now() - t0) * 10)) + ":";
            for (const std::string& code : c)
                line += " " + code;
            writes.push_back(line);
            return true;
        };
    }
    std::unique_ptr<OwnCodesKeeper> start() {
        return std::make_unique<OwnCodesKeeper>(
            rt, [this] { return codes; }, write(),
            [this](const std::string& line) { told.push_back(line); });
    }
    // Something else keeps the runtime busy, as the station's timers do.
    void addBusyTimer() {
        rt.addTimer("other", 500, [] {}).setEnabled(true);
    }
    std::uint64_t keeperTicks() { return rt.findTimer("svxlinkCodes")->tickCount(); }
};

// Times in tenths of a second from the start.
TEST(OwnCodesKeeper, WritesAtOnceAndAgainOnlyWhenTheCodesChange) {
    KeeperRig rig;
    rig.addBusyTimer();
    auto keeper = rig.start();
    EXPECT_EQ(rig.writes, (std::vector<std::string>{"0: 00 A1"}));
    rig.rt.waitUntil(rig.t0 + 60);
    EXPECT_EQ(rig.keeperTicks(), 0u);  // a minute unchanged: never ticked
    // Changed at 61.3 s: written at the next point of its two-second grid.
    rig.rt.callAt(rig.t0 + 61.3, [&] { rig.codes = {"00", "77"}; });
    rig.rt.waitUntil(rig.t0 + 120);
    EXPECT_EQ(rig.writes, (std::vector<std::string>{"0: 00 A1", "620: 00 77"}));
    EXPECT_EQ(rig.keeperTicks(), 1u);
    EXPECT_TRUE(rig.told.empty());
}

// The Tcl hook takes a file older than five minutes for one a dead run left: a running
// program rewrites it every two and a half minutes, changed or not.
TEST(OwnCodesKeeper, TheFileIsRefreshedWhileItRuns) {
    KeeperRig rig;
    rig.addBusyTimer();
    auto keeper = rig.start();
    rig.rt.waitUntil(rig.t0 + 400);
    EXPECT_EQ(rig.writes, (std::vector<std::string>{"0: 00 A1", "1500: 00 A1", "3000: 00 A1"}));
}

TEST(OwnCodesKeeper, AFailedWriteIsTriedEveryTwoSecondsAndEachReasonToldOnce) {
    KeeperRig rig;
    rig.addBusyTimer();
    rig.failWith = "no such folder";
    auto keeper = rig.start();
    rig.rt.callAt(rig.t0 + 5.0, [&] { rig.failWith = "disk full"; });
    rig.rt.callAt(rig.t0 + 9.0, [&] { rig.failWith.clear(); });
    rig.rt.waitUntil(rig.t0 + 30);
    EXPECT_EQ(rig.told,
              (std::vector<std::string>{"SvxLink: cannot write our DTMF codes: no such folder",
                                        "SvxLink: cannot write our DTMF codes: disk full"}));
    EXPECT_EQ(rig.writes, (std::vector<std::string>{"100: 00 A1"}));
    // Tried at 0 (at once), 2, 4, 6, 8 and written at 10; nothing after.
    EXPECT_EQ(rig.keeperTicks(), 5u);
}

TEST(OwnCodesKeeper, ItsTimerIsLeftQuietWhenItGoes) {
    KeeperRig rig;
    rig.addBusyTimer();
    rig.failWith = "no such folder";
    auto keeper = rig.start();
    keeper.reset();
    rig.rt.waitUntil(rig.t0 + 10);  // no tick reaches the keeper that has gone
    EXPECT_EQ(rig.told.size(), 1u);
    EXPECT_FALSE(rig.rt.findTimer("svxlinkCodes")->enabled());
}

}  // namespace
}  // namespace vox
