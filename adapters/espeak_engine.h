#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vox {

// The one thread that owns libespeak-ng. The library is not thread-safe and cannot be
// initialised twice in a process, so every voice shares this worker, which lives until the
// process ends.
class EspeakEngine {
public:
    // Starts the worker and initialises the library, once per process.
    static EspeakEngine& instance();

    bool ready() const { return ready_; }
    const std::string& version() const { return version_; }  // "1.51"
    const std::string& error() const { return error_; }

    // Runs the task on the worker, after the tasks posted before it. Thread-safe.
    void post(std::function<void()> task);
    // Posts the task and waits until it has run. Never call it from the worker.
    void runAndWait(std::function<void()> task);

    // Worker only: synthesises one SSML document. The sink receives 22050 Hz mono 16-bit samples
    // and returns false to stop at once. False when the library failed.
    using Sink = std::function<bool(const std::int16_t* samples, std::size_t count)>;
    bool synthesize(const std::string& ssml, int wordsPerMinute, int volume, const Sink& sink);

private:
    EspeakEngine();
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    std::thread thread_;
    bool ready_ = false;
    std::string version_;
    std::string error_;
};

}  // namespace vox
