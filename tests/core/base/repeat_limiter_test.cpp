#include <gtest/gtest.h>

#include "core/base/repeat_limiter.h"

namespace vox {
namespace {

TEST(RepeatLimiter, ShowsARepeatingMessageOncePerIntervalWithTheCountBetween) {
    RepeatLimiter limiter(60);
    EXPECT_EQ(limiter.pass("tMain: node gone", 0), "tMain: node gone");
    for (int i = 1; i <= 119; ++i)
        EXPECT_EQ(limiter.pass("tMain: node gone", i * 0.5), "") << i;
    EXPECT_EQ(limiter.pass("other", 10), "other");
    EXPECT_EQ(limiter.pass("tMain: node gone", 60),
              "tMain: node gone (and 119 times more since it was last shown)");
    EXPECT_EQ(limiter.pass("tMain: node gone", 200), "tMain: node gone");
}

TEST(RepeatLimiter, ManyDifferentMessagesDoNotGrowItsMemory) {
    RepeatLimiter limiter(60);
    for (int i = 0; i < 10000; ++i)
        EXPECT_FALSE(limiter.pass("message " + std::to_string(i), i).empty());
    // Forgotten messages are shown again rather than lost.
    EXPECT_EQ(limiter.pass("message 0", 10001), "message 0");
}

}  // namespace
}  // namespace vox
