#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "core/base/clock.h"
#include "core/base/event_loop.h"

namespace vox {

// The behaviour thread's loop without Qt, for the commands that only wait for the voice (say):
// work posted from other threads and deadlines on the clock, nothing else.
class PlainEventLoop : public EventLoop {
public:
    explicit PlainEventLoop(const Clock& clock) : clock_(clock) {}
    void processPending() override;
    void waitForEvents(double deadline) override;
    void post(std::function<void()> task) override;

private:
    const Clock& clock_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace vox
