#include "core/parts/transmit_watchdog.h"

#include <string>

#include "core/base/guarded.h"
#include "core/parts/controls.h"

namespace vox {

TransmitWatchdog::TransmitWatchdog(Context ctx, std::function<void()> forceOff)
    : ctx_(ctx), forceOff_(std::move(forceOff)) {}

TransmitWatchdog::~TransmitWatchdog() {
    if (call_ != 0)
        ctx_.rt.cancel(call_);
}

void TransmitWatchdog::pttChanged(bool on) {
    if (!on) {
        if (call_ != 0)
            ctx_.rt.cancel(call_);
        call_ = 0;
        return;
    }
    if (call_ != 0 || limitSeconds_ <= 0)
        return;
    call_ = ctx_.rt.callAfter(limitSeconds_, [this] {
        call_ = 0;
        expire();
    });
}

void TransmitWatchdog::expire() {
    ++timeOuts_;
    const int seconds = limitSeconds_;
    // The transmitter comes first: nothing below may keep it keyed.
    guarded("transmit time-out", [&] { forceOff_(); });
    const std::string text =
        "Transmit time-out: PTT forced off after " + std::to_string(seconds) + " s";
    ctx_.log.LogEvent(text);
    ctx_.panel.setPanel(StatusPanel::Speech, text);
    ctx_.air.record("tot", {{"seconds", static_cast<long long>(seconds)}});
    ctx_.rt.abortRunningWaits(text);
}

}  // namespace vox
