#include "core/base/repeat_limiter.h"

namespace vox {

namespace {
// Distinct messages remembered at most; a flood of different ones starts over rather than grow.
constexpr std::size_t kMaxMessages = 256;
}  // namespace

std::string RepeatLimiter::pass(const std::string& message, double now) {
    auto it = seen_.find(message);
    if (it == seen_.end()) {
        if (seen_.size() >= kMaxMessages)
            seen_.clear();
        seen_.emplace(message, Seen{now, 0});
        return message;
    }
    Seen& seen = it->second;
    if (now - seen.shownAt < interval_) {
        ++seen.quiet;
        return {};
    }
    const std::size_t quiet = seen.quiet;
    seen = Seen{now, 0};
    if (quiet == 0)
        return message;
    return message + " (and " + std::to_string(quiet) + " times more since it was last shown)";
}

}  // namespace vox
