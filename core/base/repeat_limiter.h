#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace vox {

// Keeps a message that repeats from flooding a log: the first time it is shown, then at most once
// per interval while it keeps coming, with how many times it came in between.
class RepeatLimiter {
public:
    explicit RepeatLimiter(double intervalSeconds = 60) : interval_(intervalSeconds) {}

    // The line to show for this message at this time (monotonic seconds), or empty to stay quiet.
    std::string pass(const std::string& message, double now);

private:
    struct Seen {
        double shownAt = 0;
        std::size_t quiet = 0;
    };
    double interval_;
    std::map<std::string, Seen> seen_;
};

}  // namespace vox
