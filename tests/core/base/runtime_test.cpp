#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/base/runtime.h"
#include "core/base/virtual_time.h"

namespace vox {
namespace {

struct VirtualRuntime {
    explicit VirtualRuntime(LocalTime start = LocalTime{2026, 12, 10, 12, 0, 0, 0})
        : clock(start), loop(clock), rt(clock, loop) {}
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
};

TEST(Runtime, TicksFallOnTheGridFromEnabling) {
    VirtualRuntime v;
    std::vector<double> at;
    const double t0 = v.rt.now();
    Timer& t = v.rt.addTimer("t", 500, [&] { at.push_back(v.rt.now() - t0); });
    t.setEnabled(true);
    v.rt.waitUntil(t0 + 2.0);
    EXPECT_EQ(at, (std::vector<double>{0.5, 1.0, 1.5, 2.0}));
}

// 1000.6 + 0.2 lies between two microsecond readings of the clock.
TEST(Runtime, ADeadlineBetweenTwoClockReadingsStillEnds) {
    VirtualRuntime v;
    v.rt.addTimer("t", 500).setEnabled(true);
    for (const double step : {0.6, 0.2, 0.1, 0.7, 1e-7})
        v.rt.waitUntil(v.rt.now() + step);
    EXPECT_NEAR(v.rt.now() - 1000.0, 1.6, 1e-6);
}

TEST(Runtime, ATickNeverOverlapsItselfAndMissedTicksAreSkipped) {
    VirtualRuntime v;
    int depth = 0, maxDepth = 0, otherTicks = 0;
    const double t0 = v.rt.now();
    Timer& slow = v.rt.addTimer("slow", 100, [&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        v.rt.killTime(0.35);  // the wait processes events, this timer's own ticks included
        --depth;
    });
    Timer& other = v.rt.addTimer("other", 100, [&] { ++otherTicks; });
    slow.setEnabled(true);
    other.setEnabled(true);
    v.rt.waitUntil(t0 + 1.0);
    EXPECT_EQ(maxDepth, 1);
    // Ticks start at 0.1, 0.5 and 0.9 (the last runs on to 1.25); the nine that fell due while a
    // tick was running are skipped, not queued.
    EXPECT_EQ(slow.tickCount(), 3u);
    EXPECT_EQ(slow.skippedCount(), 9u);
    EXPECT_EQ(otherTicks, 12);  // other timers keep running inside the wait
}

// A timer that needs the air free does not tick while work holds the transmitter: its tick is
// kept and runs the moment the air is released, then its grid goes on. Other timers tick as
// before.
TEST(Runtime, ATickNeedingTheAirWaitsForTheTransmitterToBeReleased) {
    const struct {
        double keyedFor;  // seconds the air is held, from 0.05
        std::vector<double> ticks;
    } cases[] = {
        {0.0, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6}},
        {0.2, {0.25, 0.3, 0.4, 0.5, 0.6}},  // 0.1 and 0.2 as one kept tick, at 0.25
        {0.375, {0.425, 0.5, 0.6}},         // released between two grid points
        {1.0, {}},                          // still held when the test ends
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyedFor);
        VirtualRuntime v;
        const double t0 = v.rt.now();
        bool held = false;
        v.rt.setAirHeld([&] { return held; });
        std::vector<double> ticks;
        int plainTicks = 0;
        Timer& speaker = v.rt.addTimer("speaker", 100, [&] {
            EXPECT_FALSE(held);
            ticks.push_back(std::round((v.rt.now() - t0) * 1000) / 1000);
        });
        speaker.setNeedsFreeAir(true);
        Timer& plain = v.rt.addTimer("plain", 100, [&] { ++plainTicks; });
        speaker.setEnabled(true);
        plain.setEnabled(true);
        v.rt.callAfter(0.05, [&] { held = true; });
        v.rt.callAfter(0.05 + c.keyedFor, [&] { held = false; });
        v.rt.waitUntil(t0 + 0.65);
        EXPECT_EQ(ticks, c.ticks);
        EXPECT_EQ(plainTicks, 6);
        EXPECT_EQ(speaker.deferred(), c.keyedFor >= 1.0);
    }
}

TEST(Runtime, KillTimeAcrossMidnightEndsOnTime) {
    VirtualRuntime v(LocalTime{2026, 12, 31, 23, 59, 59, 500});
    const double t0 = v.rt.now();
    v.rt.killTime(0.8);
    EXPECT_NEAR(v.rt.now() - t0, 0.8, 1e-6);
    const LocalTime after = v.clock.localNow();
    EXPECT_EQ(after, (LocalTime{2027, 1, 1, 0, 0, 0, 300}));
}

TEST(Runtime, WaitSecondsAndWaitWhileProcessEvents) {
    VirtualRuntime v;
    bool busy = true;
    int ticks = 0;
    v.rt.callAfter(2.25, [&] { busy = false; });
    v.rt.addTimer("t", 1000, [&] { ++ticks; }).setEnabled(true);
    const double t0 = v.rt.now();
    v.rt.waitWhile([&] { return busy; });
    EXPECT_NEAR(v.rt.now() - t0, 2.25, 1e-6);
    v.rt.waitSeconds(3);
    EXPECT_NEAR(v.rt.now() - t0, 5.25, 1e-6);
    EXPECT_EQ(ticks, 5);
}

TEST(Runtime, AFailingTickEndsThatTickOnly) {
    VirtualRuntime v;
    int ticks = 0;
    std::string failure;
    v.rt.onFailure = [&](const std::string& what) { failure = what; };
    v.rt.addTimer("bad", 100,
                  [&] {
                      ++ticks;
                      throw std::runtime_error("boom");
                  })
        .setEnabled(true);
    v.rt.killTime(0.3);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(failure, "bad: boom");
}

TEST(Runtime, QuitEndsEveryWait) {
    VirtualRuntime v;
    v.rt.callAfter(1.0, [&] { v.rt.requestQuit(); });
    const double t0 = v.rt.now();
    v.rt.killTime(3600);
    EXPECT_NEAR(v.rt.now() - t0, 1.0, 1e-6);
}

// A transmit time-out ends the waits of the work that keyed, including a wait nested inside a tick
// that runs during another wait; a wait begun after the abort is not touched.
TEST(Runtime, AbortEndsTheRunningWaitsOnly) {
    VirtualRuntime v;
    const double t0 = v.rt.now();
    std::vector<std::string> outcome;
    Timer& inner = v.rt.addTimer("inner", 1000, [&] {
        try {
            v.rt.waitWhile([] { return true; });
            outcome.push_back("inner ended");
        } catch (const WaitAborted& e) {
            outcome.push_back(std::string("inner aborted: ") + e.what());
            v.rt.killTime(1.0);  // the failure path may wait again
            outcome.push_back("inner failure path waited");
        }
    });
    inner.setEnabled(true);
    v.rt.callAt(t0 + 3.0, [&] {
        inner.setEnabled(false);
        v.rt.abortRunningWaits("time-out");
    });
    try {
        v.rt.waitUntil(t0 + 100.0);
        outcome.push_back("outer ended");
    } catch (const WaitAborted&) {
        outcome.push_back("outer aborted");
    }
    EXPECT_EQ(outcome, (std::vector<std::string>{"inner aborted: time-out",
                                                 "inner failure path waited", "outer aborted"}));
    EXPECT_NEAR(v.rt.now() - t0, 4.0, 1e-6);
    v.rt.waitUntil(v.rt.now() + 1.0);  // a new wait runs to its end
    EXPECT_NEAR(v.rt.now() - t0, 5.0, 1e-6);
}

// The virtual loop, counting how often the runtime waited on it.
class CountingLoop : public EventLoop {
public:
    explicit CountingLoop(VirtualClock& clock) : inner_(clock) {}
    void processPending() override { inner_.processPending(); }
    void waitForEvents(double deadline) override {
        ++waits;
        inner_.waitForEvents(deadline);
    }
    void post(std::function<void()> task) override { inner_.post(std::move(task)); }
    int waits = 0;

private:
    VirtualEventLoop inner_;
};

// A timer with nothing queued is not waited for, yet its ticks stay on the grid it had: work
// queued between two grid points is taken at the next one, work queued at a grid point (by a call
// or by an earlier timer's tick) in that same round.
TEST(Runtime, AnIdleTimerIsNotWaitedForAndKeepsItsGrid) {
    VirtualClock clock(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    CountingLoop loop(clock);
    Runtime rt(clock, loop);
    const double t0 = rt.now();
    std::vector<std::string> queue;
    std::vector<std::pair<double, std::string>> taken;
    Timer& producer = rt.addTimer("producer", 1500, [&] { queue.push_back("tick"); });
    Timer& consumer = rt.addTimer("consumer", 100, [&] {
        taken.emplace_back(std::round((rt.now() - t0) * 1000) / 1000, queue.front());
        queue.erase(queue.begin());
    });
    consumer.setIdleWhen([&] { return queue.empty(); });
    producer.setEnabled(true);
    consumer.setEnabled(true);
    rt.callAt(t0 + 0.35, [&] { queue.push_back("between"); });
    rt.callAt(t0 + 0.7, [&] {
        queue.push_back("at");
        queue.push_back("next");
    });
    rt.waitUntil(t0 + 10.0);
    EXPECT_EQ(taken, (std::vector<std::pair<double, std::string>>{{0.4, "between"},
                                                                  {0.7, "at"},
                                                                  {0.8, "next"},
                                                                  {1.5, "tick"},
                                                                  {3.0, "tick"},
                                                                  {4.5, "tick"},
                                                                  {6.0, "tick"},
                                                                  {7.5, "tick"},
                                                                  {9.0, "tick"}}));
    EXPECT_EQ(consumer.tickCount(), taken.size());
    // Woken for the calls, the producer and the consumer's three ticks with work; not a hundred
    // times.
    EXPECT_LE(loop.waits, 15);
}

TEST(LocalTime, CalendarRoundTripAndWeekday) {
    const LocalTime t{2030, 1, 1, 0, 0, 0, 0};
    EXPECT_EQ(fromCalendarMs(toCalendarMs(t)), t);
    EXPECT_EQ(t.weekday(), 2);  // a Tuesday
    EXPECT_EQ((LocalTime{2026, 12, 6, 9, 44, 30, 0}).weekday(), 0);
    EXPECT_TRUE(parseDateTime("2026-02-28 23:59:59"));
    for (const char* bad : {"2026-02-29 00:00:00", "2026-13-01 00:00:00", "2026-01-01 24:00:00",
                            "2026-01-01T00:00:00", "2026-01-01 00:00", ""})
        EXPECT_FALSE(parseDateTime(bad)) << bad;
}

}  // namespace
}  // namespace vox
