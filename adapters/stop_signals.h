#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace vox {

// SIGTERM and SIGINT, delivered on the behaviour thread: a service manager's stop and Ctrl+C run
// the shutdown sequence instead of killing the program with the transmitter keyed.
class StopSignals {
public:
    explicit StopSignals(std::function<void()> onStop);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    std::function<void()> onStop_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vox
