#pragma once

#include <QObject>
#include <QTimer>

#include "adapters/system_clock.h"
#include "core/base/clock.h"
#include "core/base/event_loop.h"

namespace vox {

// The behaviour thread's loop on Qt: waits block in the Qt event dispatcher, so window events,
// sockets and posted work all wake them, and nothing spins.
class QtEventLoop : public EventLoop {
public:
    explicit QtEventLoop(const Clock& clock);
    void processPending() override;
    void waitForEvents(double deadline) override;
    void post(std::function<void()> task) override;

private:
    const Clock& clock_;
    QObject receiver_;
    QTimer deadlineTimer_;
};

}  // namespace vox
