#pragma once

#include <sys/types.h>

#include <string>

#include "core/base/service_notifier.h"

namespace vox {

// The service manager's notification socket (systemd's NOTIFY_SOCKET), spoken directly: each
// state is one datagram to the socket. A path beginning with '@' names an abstract socket.
// Without a socket every notice is dropped, so the program runs the same outside a service.
class SystemdNotifier : public ServiceNotifier {
public:
    // socketPath: empty for none. watchdogSeconds: 0 for no watchdog.
    SystemdNotifier(std::string socketPath, double watchdogSeconds);
    ~SystemdNotifier() override;
    SystemdNotifier(const SystemdNotifier&) = delete;
    SystemdNotifier& operator=(const SystemdNotifier&) = delete;

    // From this process's NOTIFY_SOCKET, WATCHDOG_USEC and WATCHDOG_PID.
    static SystemdNotifier fromEnvironment();

    void notify(const std::string& state) override;
    double watchdogSeconds() const override { return watchdogSeconds_; }

private:
    std::string path_;
    double watchdogSeconds_;
    int fd_ = -1;
};

// The watchdog time the manager asks of process `self`: WATCHDOG_USEC in microseconds, for the
// process WATCHDOG_PID names when it names one (a child started by the program is not asked).
// 0 when unset, not a positive number, or meant for another process.
double watchdogSecondsFrom(const char* usec, const char* pid, pid_t self);

}  // namespace vox
