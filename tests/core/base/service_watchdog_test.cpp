#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/base/runtime.h"
#include "core/base/service_watchdog.h"
#include "core/base/virtual_time.h"

namespace vox {
namespace {

// What the manager heard, with the virtual time since the start.
class HeardNotices : public ServiceNotifier {
public:
    HeardNotices(Runtime& rt, double watchdogSeconds) : rt_(rt), watchdog_(watchdogSeconds) {}
    void notify(const std::string& state) override { heard.emplace_back(rt_.now() - t0, state); }
    double watchdogSeconds() const override { return watchdog_; }
    std::vector<std::pair<double, std::string>> heard;
    double t0 = 0;

private:
    Runtime& rt_;
    double watchdog_;
};

struct Rig {
    explicit Rig(double watchdogSeconds)
        : clock(LocalTime{2026, 12, 10, 12, 0, 0, 0}),
          loop(clock),
          rt(clock, loop),
          notices(rt, watchdogSeconds) {
        notices.t0 = rt.now();
    }
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    HeardNotices notices;
};

TEST(ServiceWatchdog, PingsAtHalfTheWatchdogTimeFromStartUpOn) {
    struct Case {
        double watchdogSeconds;
        int intervalMs;
    };
    // 0: no watchdog wanted; 0.001: the shortest interval is 1 ms; a year pings hourly.
    for (const Case c : {Case{0, 0}, Case{-1, 0}, Case{30, 15000}, Case{3, 1500}, Case{0.001, 1},
                         Case{365.0 * 24 * 3600, 3600 * 1000}}) {
        Rig r(c.watchdogSeconds);
        ServiceWatchdog watchdog(r.rt, r.notices);
        EXPECT_EQ(watchdog.pingIntervalMs(), c.intervalMs) << c.watchdogSeconds;
        if (c.intervalMs == 0 || c.intervalMs > 15000)
            continue;
        // Start-up waits of 7 s, then ready; the pings run through both.
        r.rt.waitUntil(r.rt.now() + 7.0);
        watchdog.ready();
        r.rt.waitUntil(r.notices.t0 + 4 * 15.0);
        const double step = c.intervalMs / 1000.0;
        int pings = 0;
        bool readySeen = false;
        for (const auto& [at, state] : r.notices.heard) {
            if (state == "READY=1") {
                EXPECT_DOUBLE_EQ(at, 7.0);
                readySeen = true;
                continue;
            }
            ASSERT_EQ(state, "WATCHDOG=1");
            ++pings;
            EXPECT_NEAR(at, pings * step, 1e-6) << c.watchdogSeconds;
        }
        EXPECT_TRUE(readySeen);
        EXPECT_EQ(pings, static_cast<int>(60.0 / step + 1e-9)) << c.watchdogSeconds;
    }
}

TEST(ServiceWatchdog, StoppingEndsThePingsAndIsToldOnce) {
    Rig r(2);
    ServiceWatchdog watchdog(r.rt, r.notices);
    watchdog.ready();
    r.rt.waitUntil(r.rt.now() + 2.5);
    watchdog.stopping();
    watchdog.stopping();
    // Ready after the stop began would tell the manager a lie.
    watchdog.ready();
    r.rt.waitUntil(r.rt.now() + 60);
    const std::vector<std::pair<double, std::string>> expected{
        {0, "READY=1"}, {1, "WATCHDOG=1"}, {2, "WATCHDOG=1"}, {2.5, "STOPPING=1"}};
    EXPECT_EQ(r.notices.heard, expected);
}

TEST(ServiceWatchdog, WithoutAWatchdogTheRuntimeGetsNoTimer) {
    Rig r(0);
    ServiceWatchdog watchdog(r.rt, r.notices);
    EXPECT_EQ(r.rt.findTimer("tServiceWatchdog"), nullptr);
    watchdog.ready();
    watchdog.stopping();
    const std::vector<std::pair<double, std::string>> expected{{0, "READY=1"}, {0, "STOPPING=1"}};
    EXPECT_EQ(r.notices.heard, expected);
}

}  // namespace
}  // namespace vox
