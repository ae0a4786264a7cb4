#include "core/base/time_window.h"

#include <gtest/gtest.h>

namespace vox {
namespace {

TEST(TimeWindow, EndsAreInclusiveAndAStartAfterTheStopRunsAcrossMidnight) {
    struct Case {
        const char* now;
        const char* start;
        const char* stop;
        bool inside;
    };
    const Case cases[] = {
        {"23:30", "22:00", "06:00", true},
        {"05:59", "22:00", "06:00", true},
        {"06:00", "22:00", "06:00", true},
        {"06:01", "22:00", "06:00", false},
        {"12:00", "22:00", "06:00", false},
        {"22:00", "22:00", "06:00", true},
        {"19:00", "19:00", "20:30", true},
        {"20:30", "19:00", "20:30", true},
        {"20:31", "19:00", "20:30", false},
        {"18:59", "19:00", "20:30", false},
        {"00:00", "00:00", "00:00", false},  // equal ends: no window
        {"12:00", "", "23:59", false},
        {"12:00", "00:00", "", false},
        // Not "hh:mm": compared as text all the same.
        {"9:30", "09:00", "10:00", false},
        {"12:00", "11", "13", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inTimeWindow(c.now, c.start, c.stop), c.inside)
            << c.now << " in " << c.start << "-" << c.stop;
}

}  // namespace
}  // namespace vox
