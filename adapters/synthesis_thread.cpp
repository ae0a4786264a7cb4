#include "adapters/synthesis_thread.h"

#include <future>

namespace vox {

SynthesisThread& SynthesisThread::instance() {
    // Never destroyed: the thread must outlive every voice, whatever the order of static
    // destruction.
    static SynthesisThread* thread = new SynthesisThread();
    return *thread;
}

SynthesisThread::SynthesisThread() {
    std::thread([this] { run(); }).detach();
}

void SynthesisThread::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void SynthesisThread::runAndWait(std::function<void()> task) {
    std::promise<void> done;
    post([&] {
        task();
        done.set_value();
    });
    done.get_future().wait();
}

void SynthesisThread::run() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return !tasks_.empty(); });
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

}  // namespace vox
