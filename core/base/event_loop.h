#pragma once

#include <functional>

namespace vox {

// The behaviour thread's connection to the outside world: queued work from other threads and,
// in the desktop program, the window system's events.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Runs what has been queued so far; returns without blocking.
    virtual void processPending() = 0;
    // Blocks until something is queued or the monotonic deadline (Clock seconds) is reached.
    // Returns early when work arrives; never spins.
    virtual void waitForEvents(double deadline) = 0;
    // Thread-safe: queues a task for the behaviour thread and wakes a waiter.
    virtual void post(std::function<void()> task) = 0;
    // Work running on another thread that will post its result (speech synthesis). Virtual time
    // must not run ahead of it; real time needs nothing. Thread-safe.
    virtual void externalWorkStarted() {}
    virtual void externalWorkFinished() {}
};

}  // namespace vox
