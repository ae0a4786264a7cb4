#pragma once

#include <cstdint>
#include <functional>

#include "core/base/air_log.h"
#include "core/base/runtime.h"
#include "core/parts/event_log.h"
#include "core/parts/front_panel.h"

namespace vox {

// The transmit time-out. It watches PTT from outside the speech code: once PTT has been on for
// the limit, it has the transmitter forced off, says so (event log, status panel 4, air log) and
// ends the waits of the work that keyed, so that work fails instead of keying on. Its call fires
// from inside any wait, since every wait runs the runtime's due calls.
class TransmitWatchdog {
public:
    struct Context {
        Runtime& rt;
        FrontPanel& panel;
        EventLog& log;
        AirLog& air;
    };
    static constexpr int kDefaultLimitSeconds = 180;

    // forceOff silences the voice and drops PTT; it must not wait.
    TransmitWatchdog(Context ctx, std::function<void()> forceOff);
    ~TransmitWatchdog();
    TransmitWatchdog(const TransmitWatchdog&) = delete;
    TransmitWatchdog& operator=(const TransmitWatchdog&) = delete;

    // Seconds; 0 turns the time-out off. Takes effect at the next keying.
    void setLimit(int seconds) { limitSeconds_ = seconds; }
    int limit() const { return limitSeconds_; }
    // Every PTT change; keying again while on keeps the time of the first keying.
    void pttChanged(bool on);
    std::uint64_t timeOuts() const { return timeOuts_; }

private:
    void expire();

    Context ctx_;
    std::function<void()> forceOff_;
    int limitSeconds_ = kDefaultLimitSeconds;
    std::uint64_t call_ = 0;  // the pending expiry, 0 when none
    std::uint64_t timeOuts_ = 0;
};

}  // namespace vox
