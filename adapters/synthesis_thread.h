#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vox {

// The one thread on which every speech engine runs. Neither libespeak-ng nor Flite's voice
// registry is thread-safe, and espeak-ng cannot be initialised twice in a process, so all
// synthesis happens here, off the behaviour thread. The thread lives until the process ends.
class SynthesisThread {
public:
    static SynthesisThread& instance();

    // Runs the task after the tasks posted before it. Thread-safe.
    void post(std::function<void()> task);
    // Posts the task and waits until it has run. Never call it from the thread itself.
    void runAndWait(std::function<void()> task);

private:
    SynthesisThread();
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
};

}  // namespace vox
