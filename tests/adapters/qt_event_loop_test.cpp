#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "adapters/qt_runtime.h"
#include "core/base/runtime.h"

namespace vox {
namespace {

// Work posted from another thread wakes a blocked wait at once: the wait sits in the dispatcher
// instead of polling, and its one-minute deadline is never reached.
TEST(QtEventLoop, APostFromAnotherThreadWakesABlockedWait) {
    SystemClock clock;
    QtEventLoop loop(clock);
    Runtime rt(clock, loop);
    bool done = false;
    std::thread worker([&] { loop.post([&] { done = true; }); });
    const double start = rt.now();
    rt.waitWhile([&] { return !done; }, 60.0);
    worker.join();
    EXPECT_TRUE(done);
    EXPECT_LT(rt.now() - start, 30.0);
}

TEST(QtEventLoop, AFailingPostedTaskDoesNotEscapeTheLoop) {
    SystemClock clock;
    QtEventLoop loop(clock);
    bool after = false;
    loop.post([] { throw std::runtime_error("boom"); });
    loop.post([&] { after = true; });
    loop.processPending();
    EXPECT_TRUE(after);
}

}  // namespace
}  // namespace vox
