#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "core/base/clock.h"
#include "core/base/event_loop.h"

namespace vox {

// A clock that only moves when the virtual event loop advances it.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(const LocalTime& start);
    LocalTime localNow() const override;
    double monotonicSeconds() const override;
    void advanceTo(double monotonic);
    void advanceBy(double seconds) { advanceTo(monotonicSeconds() + seconds); }

private:
    std::int64_t startCalendarMs_;
    std::int64_t elapsedUs_ = 0;
};

// An event loop that never blocks: waiting jumps the virtual clock to the deadline, unless work
// is queued. A day of timers runs in a fraction of a second.
class VirtualEventLoop : public EventLoop {
public:
    explicit VirtualEventLoop(VirtualClock& clock) : clock_(clock) {}
    void processPending() override;
    void waitForEvents(double deadline) override;
    void post(std::function<void()> task) override;
    void externalWorkStarted() override;
    void externalWorkFinished() override;

private:
    VirtualClock& clock_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    int externalWork_ = 0;
};

}  // namespace vox
