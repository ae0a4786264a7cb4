#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/base/clock.h"
#include "core/base/event_loop.h"

namespace vox {

class Runtime;

// Thrown out of every wait that was running when the runtime was told to abort them.
class WaitAborted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A repeating timer of the station. Ticks fall on a fixed grid counted from the moment it was
// enabled. A tick never starts while the previous tick of the same timer is still running: such a
// tick is skipped, not queued.
//
// A timer that only works off something queued (a DTMF string, a chat text) can say when its tick
// has nothing to do. While that holds the runtime does not wake for it and leaves out its ticks,
// but the grid stays: once something is queued, the next tick falls where it always would have.
//
// A timer whose tick may speak or wait for the channel needs the air free. A tick of it that falls
// due while another piece of work holds the transmitter (Runtime::setAirHeld) does not run inside
// that work's waits: it is kept and runs once the transmitter is released, then the grid goes on.
class Timer {
public:
    const std::string& name() const { return name_; }
    int interval() const { return intervalMs_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool running() const { return running_; }
    void setOnTick(std::function<void()> fn) { onTick_ = std::move(fn); }
    // True exactly when a tick now would do nothing; asked at every tick and before every wait.
    void setIdleWhen(std::function<bool()> idle) { idleWhen_ = std::move(idle); }
    bool idle() const { return idleWhen_ && idleWhen_(); }
    void setNeedsFreeAir(bool on) { needsFreeAir_ = on; }
    bool needsFreeAir() const { return needsFreeAir_; }
    // A tick kept back until the transmitter is released.
    bool deferred() const { return deferred_; }
    std::uint64_t tickCount() const { return ticks_; }
    std::uint64_t skippedCount() const { return skipped_; }

private:
    friend class Runtime;
    Timer(Runtime& rt, std::string name, int intervalMs, std::size_t order);

    Runtime& rt_;
    std::string name_;
    int intervalMs_;
    std::size_t order_;
    bool enabled_ = false;
    bool running_ = false;
    bool needsFreeAir_ = false;
    bool deferred_ = false;
    std::int64_t deferredDueUs_ = 0;
    std::int64_t nextDueUs_ = 0;
    std::uint64_t ticks_ = 0;
    std::uint64_t skipped_ = 0;
    std::function<void()> onTick_;
    std::function<bool()> idleWhen_;
};

// The behaviour thread's scheduler: timers, one-shot calls and the waits that keep events flowing.
// Every wait blocks on the event loop until the next due timer, a queued event or its deadline.
class Runtime {
public:
    Runtime(Clock& clock, EventLoop& loop);
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    Clock& clock() { return clock_; }
    EventLoop& loop() { return loop_; }
    double now() const { return clock_.monotonicSeconds(); }
    LocalTime localNow() const { return clock_.localNow(); }

    // Timers are created disabled and live as long as the runtime.
    Timer& addTimer(std::string name, int intervalMs, std::function<void()> onTick = {});
    Timer* findTimer(const std::string& name);

    // One-shot calls at a monotonic time; the id cancels them.
    std::uint64_t callAt(double when, std::function<void()> fn);
    std::uint64_t callAfter(double seconds, std::function<void()> fn);
    void cancel(std::uint64_t id);

    // Runs queued events, then every due one-shot and timer tick, once.
    void processPending();
    // Processes events until the monotonic deadline has passed (or a quit is requested).
    void waitUntil(double deadline);
    // Processes events while the condition holds. The condition is checked after every event and
    // at least every pollSeconds, for states that change without an event.
    void waitWhile(const std::function<bool()>& condition, double pollSeconds = 0.05);
    // Fractional seconds, measured on the monotonic clock (a wait over midnight ends on time).
    void killTime(double seconds);
    // Whole seconds.
    void waitSeconds(int seconds);

    // Every wait running now ends with WaitAborted(why) once it has processed the current event,
    // so the work that waits fails and unwinds; waits begun afterwards run as usual.
    void abortRunningWaits(const std::string& why);

    // A quit ends every wait at once, so the program can unwind and shut down.
    void requestQuit() { quit_ = true; }
    bool quitRequested() const { return quit_; }
    // Processes events until a quit is requested.
    void run();

    // True while a piece of work holds the transmitter: the ticks of timers that need the air
    // free are kept until it is false again.
    void setAirHeld(std::function<bool()> held) { airHeld_ = std::move(held); }
    bool airHeld() const { return airHeld_ && airHeld_(); }

    // Called (if set) whenever a timer is enabled or disabled (traces and tests).
    std::function<void(const std::string& timer, bool enabled)> onTimerSwitched;
    // Called (if set) when a tick or call throws; the failure ends that piece of work only.
    std::function<void(const std::string&)> onFailure;

private:
    friend class Timer;
    std::int64_t nowUs() const;
    double nextDue() const;
    void passIdleTicks();
    void fireDueCalls();
    void fireDueTimers();
    void guarded(const std::function<void()>& fn, const std::string& what);

    Clock& clock_;
    EventLoop& loop_;
    std::vector<std::unique_ptr<Timer>> timers_;
    struct Call {
        std::int64_t dueUs;
        std::function<void()> fn;
    };
    std::map<std::uint64_t, Call> calls_;
    std::function<bool()> airHeld_;
    std::uint64_t nextCallId_ = 1;
    bool quit_ = false;
    std::uint64_t abortEpoch_ = 0;
    std::string abortWhy_;
};

}  // namespace vox
