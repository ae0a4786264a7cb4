#pragma once

#include <string>

namespace vox {

// The service manager that started the program (systemd), as far as the program talks to it.
class ServiceNotifier {
public:
    virtual ~ServiceNotifier() = default;
    // Sends one state line: "READY=1", "WATCHDOG=1", "STOPPING=1".
    virtual void notify(const std::string& state) = 0;
    // Seconds within which the manager wants a watchdog ping; 0 when it wants none.
    virtual double watchdogSeconds() const = 0;
};

}  // namespace vox
