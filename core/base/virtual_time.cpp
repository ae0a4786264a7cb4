#include "core/base/virtual_time.h"

#include "core/base/guarded.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vox {

// The monotonic reading starts at an arbitrary non-zero value, as a real one would.
namespace {
constexpr double kMonotonicOrigin = 1000.0;
}

VirtualClock::VirtualClock(const LocalTime& start) : startCalendarMs_(toCalendarMs(start)) {}

LocalTime VirtualClock::localNow() const {
    return fromCalendarMs(startCalendarMs_ + elapsedUs_ / 1000);
}

double VirtualClock::monotonicSeconds() const {
    return kMonotonicOrigin + static_cast<double>(elapsedUs_) / 1e6;
}

void VirtualClock::advanceTo(double monotonic) {
    const auto target =
        static_cast<std::int64_t>(std::llround((monotonic - kMonotonicOrigin) * 1e6));
    if (target > elapsedUs_)
        elapsedUs_ = target;
}

void VirtualEventLoop::processPending() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (queue_.empty())
                return;
            task = std::move(queue_.front());
            queue_.pop_front();
        }
        // A failing task ends that task only.
        guarded("posted task", task);
    }
}

void VirtualEventLoop::waitForEvents(double deadline) {
    {
        // Time stands still while another thread works for us; its result arrives as a task.
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [this] { return !queue_.empty() || externalWork_ == 0; });
        if (!queue_.empty())
            return;
    }
    if (std::isinf(deadline)) {
        // Nothing will ever happen: in virtual time that is a programming error, not a wait.
        std::fprintf(stderr, "virtual time: waiting with nothing scheduled\n");
        std::abort();
    }
    clock_.advanceTo(deadline);
}

void VirtualEventLoop::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(task));
    }
    wake_.notify_all();
}

void VirtualEventLoop::externalWorkStarted() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++externalWork_;
}

void VirtualEventLoop::externalWorkFinished() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (externalWork_ > 0)
            --externalWork_;
    }
    wake_.notify_all();
}

}  // namespace vox
