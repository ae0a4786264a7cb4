#include "adapters/plain_event_loop.h"

#include <chrono>
#include <cmath>

#include "core/base/guarded.h"

namespace vox {

void PlainEventLoop::processPending() {
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

void PlainEventLoop::waitForEvents(double deadline) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (std::isinf(deadline)) {
        wake_.wait(lock, [this] { return !queue_.empty(); });
        return;
    }
    const double left = deadline - clock_.monotonicSeconds();
    if (left <= 0)
        return;
    wake_.wait_for(lock, std::chrono::duration<double>(left), [this] { return !queue_.empty(); });
}

void PlainEventLoop::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(task));
    }
    wake_.notify_all();
}

}  // namespace vox
