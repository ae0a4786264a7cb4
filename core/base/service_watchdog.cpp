#include "core/base/service_watchdog.h"

#include <algorithm>
#include <cmath>

namespace vox {

namespace {

// A watchdog time of days pings hourly all the same: the timer's interval is an int of
// milliseconds, and a ping too many costs nothing.
constexpr double kLongestIntervalMs = 3600.0 * 1000;

int intervalMs(double watchdogSeconds) {
    if (!(watchdogSeconds > 0))
        return 0;
    // Half the watchdog time, so one late tick does not end the program; at least a millisecond.
    const double half = std::floor(watchdogSeconds * 1000 / 2);
    return static_cast<int>(std::clamp(half, 1.0, kLongestIntervalMs));
}

}  // namespace

ServiceWatchdog::ServiceWatchdog(Runtime& rt, ServiceNotifier& notifier)
    : notifier_(notifier), intervalMs_(intervalMs(notifier.watchdogSeconds())) {
    if (intervalMs_ == 0)
        return;
    timer_ =
        &rt.addTimer("tServiceWatchdog", intervalMs_, [this] { notifier_.notify("WATCHDOG=1"); });
    timer_->setEnabled(true);
}

void ServiceWatchdog::ready() {
    if (!stopping_)
        notifier_.notify("READY=1");
}

void ServiceWatchdog::stopping() {
    if (stopping_)
        return;
    stopping_ = true;
    if (timer_)
        timer_->setEnabled(false);
    notifier_.notify("STOPPING=1");
}

}  // namespace vox
