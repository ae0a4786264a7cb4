#pragma once

#include "core/base/runtime.h"
#include "core/base/service_notifier.h"

namespace vox {

// Tells the service manager how the program is: READY=1 once start-up has finished, WATCHDOG=1
// from a timer of the behaviour thread at half the manager's watchdog time, STOPPING=1 when a
// clean stop begins. The pings come from the thread that does the work, so a behaviour thread
// that hangs stops them and the manager restarts the program. They run from construction on:
// the start-up waits are covered too.
class ServiceWatchdog {
public:
    ServiceWatchdog(Runtime& rt, ServiceNotifier& notifier);
    ServiceWatchdog(const ServiceWatchdog&) = delete;
    ServiceWatchdog& operator=(const ServiceWatchdog&) = delete;

    // Start-up has finished: the program is ready.
    void ready();
    // A clean stop begins: no more pings. Once only.
    void stopping();
    // The ping interval in milliseconds; 0 when the manager wants no pings.
    int pingIntervalMs() const { return intervalMs_; }

private:
    ServiceNotifier& notifier_;
    Timer* timer_ = nullptr;
    int intervalMs_ = 0;
    bool stopping_ = false;
};

}  // namespace vox
