#include "qt_runtime.h"

#include "base/guarded.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <chrono>
#include <cmath>
#include <ctime>

namespace vox {

LocalTime SystemClock::localNow() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&secs, &tm);
    LocalTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.millisecond = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000);
    return t;
}

double SystemClock::monotonicSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

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
