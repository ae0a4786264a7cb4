#include "core/base/runtime.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace vox {
namespace {
constexpr double kNever = std::numeric_limits<double>::infinity();
}

Timer::Timer(Runtime& rt, std::string name, int intervalMs, std::size_t order)
    : rt_(rt), name_(std::move(name)), intervalMs_(std::max(1, intervalMs)), order_(order) {}

void Timer::setInterval(int ms) {
    intervalMs_ = std::max(1, ms);
    if (enabled_)
        nextDueUs_ = rt_.nowUs() + intervalMs_ * 1000LL;
}

void Timer::setEnabled(bool on) {
    if (on && !enabled_)
        nextDueUs_ = rt_.nowUs() + intervalMs_ * 1000LL;
    if (!on)
        deferred_ = false;
    enabled_ = on;
    if (rt_.onTimerSwitched)
        rt_.onTimerSwitched(name_, on);
}

Runtime::Runtime(Clock& clock, EventLoop& loop) : clock_(clock), loop_(loop) {}

std::int64_t Runtime::nowUs() const {
    return static_cast<std::int64_t>(std::llround(clock_.monotonicSeconds() * 1e6));
}

Timer& Runtime::addTimer(std::string name, int intervalMs, std::function<void()> onTick) {
    timers_.push_back(
        std::unique_ptr<Timer>(new Timer(*this, std::move(name), intervalMs, timers_.size())));
    timers_.back()->onTick_ = std::move(onTick);
    return *timers_.back();
}

Timer* Runtime::findTimer(const std::string& name) {
    for (auto& t : timers_)
        if (t->name_ == name)
            return t.get();
    return nullptr;
}

std::uint64_t Runtime::callAt(double when, std::function<void()> fn) {
    const std::uint64_t id = nextCallId_++;
    calls_[id] = Call{static_cast<std::int64_t>(std::llround(when * 1e6)), std::move(fn)};
    return id;
}

std::uint64_t Runtime::callAfter(double seconds, std::function<void()> fn) {
    return callAt(now() + std::max(0.0, seconds), std::move(fn));
}

void Runtime::cancel(std::uint64_t id) {
    calls_.erase(id);
}

void Runtime::guarded(const std::function<void()>& fn, const std::string& what) {
    try {
        fn();
    } catch (const std::exception& e) {
        if (onFailure)
            onFailure(what + ": " + e.what());
    } catch (...) {
        if (onFailure)
            onFailure(what + ": unknown failure");
    }
}

void Runtime::fireDueCalls() {
    // Fire in due order; a call may add or cancel others, so look the map up afresh each time.
    for (;;) {
        const std::int64_t now = nowUs();
        auto best = calls_.end();
        for (auto it = calls_.begin(); it != calls_.end(); ++it)
            if (it->second.dueUs <= now &&
                (best == calls_.end() || it->second.dueUs < best->second.dueUs))
                best = it;
        if (best == calls_.end())
            return;
        auto fn = std::move(best->second.fn);
        calls_.erase(best);
        guarded(fn, "call");
    }
}

void Runtime::fireDueTimers() {
    const std::int64_t now = nowUs();
    const bool held = airHeld();
    std::vector<Timer*> due;
    for (auto& t : timers_)
        if (t->enabled_ && (t->nextDueUs_ <= now || (t->deferred_ && !held)))
            due.push_back(t.get());
    // A kept tick fell due when it was kept.
    const auto dueAt = [](const Timer* t) {
        return t->deferred_ ? t->deferredDueUs_ : t->nextDueUs_;
    };
    std::sort(due.begin(), due.end(), [&](const Timer* a, const Timer* b) {
        return dueAt(a) != dueAt(b) ? dueAt(a) < dueAt(b) : a->order_ < b->order_;
    });
    for (Timer* t : due) {
        // An earlier tick in this round may have disabled or restarted it.
        const std::int64_t current = nowUs();
        if (!t->enabled_ || (t->nextDueUs_ > current && !t->deferred_))
            continue;
        if (t->nextDueUs_ <= current) {
            const std::int64_t step = t->intervalMs_ * 1000LL;
            // Stay on the grid; ticks that fell due while this one was busy are skipped.
            const std::int64_t missed = (current - t->nextDueUs_) / step;
            const std::int64_t dueUs = t->nextDueUs_;
            t->nextDueUs_ += (missed + 1) * step;
            if (t->running_) {
                t->skipped_ += static_cast<std::uint64_t>(missed + 1);
                continue;
            }
            // A tick already kept stands for this one too.
            t->skipped_ += static_cast<std::uint64_t>(missed + (t->deferred_ ? 1 : 0));
            if (!t->deferred_)
                t->deferredDueUs_ = dueUs;
        } else if (t->running_) {
            continue;
        }
        if (!t->onTick_ || t->idle()) {
            t->deferred_ = false;
            continue;
        }
        // Keyed by other work: waiting or speaking now would hold its transmitter on the air.
        if (t->needsFreeAir_ && airHeld()) {
            t->deferred_ = true;
            continue;
        }
        t->deferred_ = false;
        t->running_ = true;
        ++t->ticks_;
        guarded(t->onTick_, t->name_);
        t->running_ = false;
    }
}

void Runtime::passIdleTicks() {
    // An idle timer had nothing to do at the grid points that passed while no one woke for it:
    // they are over. One falling due now still ticks this round, after the events that may have
    // given it work.
    const std::int64_t now = nowUs();
    for (auto& t : timers_) {
        if (!t->enabled_ || t->nextDueUs_ >= now || !t->idle())
            continue;
        const std::int64_t step = t->intervalMs_ * 1000LL;
        t->nextDueUs_ += (now - t->nextDueUs_ + step - 1) / step * step;
    }
}

void Runtime::processPending() {
    passIdleTicks();
    loop_.processPending();
    fireDueCalls();
    fireDueTimers();
}

double Runtime::nextDue() const {
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    const bool held = airHeld();
    for (const auto& t : timers_) {
        if (!t->enabled_ || t->running_ || t->idle())
            continue;
        best = std::min(best, t->nextDueUs_);
        // A kept tick is due the moment the transmitter is free.
        if (t->deferred_ && !held)
            best = std::min(best, t->deferredDueUs_);
    }
    for (const auto& [id, c] : calls_)
        best = std::min(best, c.dueUs);
    return best == std::numeric_limits<std::int64_t>::max() ? kNever
                                                            : static_cast<double>(best) / 1e6;
}

void Runtime::abortRunningWaits(const std::string& why) {
    ++abortEpoch_;
    abortWhy_ = why;
}

void Runtime::waitUntil(double deadline) {
    // Compared on the clock's microsecond grid: a deadline between two grid points (1000.6 + 0.2)
    // must not wait for a reading the clock can never show.
    const std::int64_t deadlineUs = std::llround(deadline * 1e6);
    const std::uint64_t epoch = abortEpoch_;
    for (;;) {
        processPending();
        // A quit ends the wait as before: shutdown's own waits never throw.
        if (quit_)
            return;
        if (abortEpoch_ != epoch)
            throw WaitAborted(abortWhy_);
        if (nowUs() >= deadlineUs)
            return;
        loop_.waitForEvents(std::min(deadline, nextDue()));
    }
}

void Runtime::waitWhile(const std::function<bool()>& condition, double pollSeconds) {
    const std::uint64_t epoch = abortEpoch_;
    for (;;) {
        processPending();
        if (quit_)
            return;
        if (abortEpoch_ != epoch)
            throw WaitAborted(abortWhy_);
        if (!condition())
            return;
        loop_.waitForEvents(std::min(now() + pollSeconds, nextDue()));
    }
}

void Runtime::killTime(double seconds) {
    waitUntil(now() + seconds);
}

void Runtime::waitSeconds(int seconds) {
    waitUntil(now() + std::max(0, seconds));
}

void Runtime::run() {
    while (!quit_) {
        processPending();
        if (quit_)
            break;
        loop_.waitForEvents(nextDue());
    }
}

}  // namespace vox
