#include "adapters/qt_runtime.h"

#include "core/base/guarded.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <cmath>

namespace vox {

QtEventLoop::QtEventLoop(const Clock& clock) : clock_(clock) {
    deadlineTimer_.setSingleShot(true);
    deadlineTimer_.setTimerType(Qt::PreciseTimer);
}

void QtEventLoop::processPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventLoop::waitForEvents(double deadline) {
    if (std::isinf(deadline)) {
        deadlineTimer_.stop();
    } else {
        const double left = deadline - clock_.monotonicSeconds();
        if (left <= 0)
            return;
        deadlineTimer_.start(static_cast<int>(std::ceil(left * 1000.0)));
    }
    // Blocks in the dispatcher until any event (the deadline timer included) has been handled.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtEventLoop::post(std::function<void()> task) {
    QMetaObject::invokeMethod(
        &receiver_,
        [task = std::move(task)] {
            // A failing task ends that task only.
            guarded("posted task", task);
        },
        Qt::QueuedConnection);
}

}  // namespace vox
