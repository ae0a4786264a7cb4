#pragma once

#include <string>

#include "core/base/runtime.h"

namespace vox {

// The station's timers, each with its interval, created disabled in one fixed order: when two
// fall due together the earlier one ticks first. Parts are handed the timers they drive.
class TimerTable {
public:
    explicit TimerTable(Runtime& rt);
    // Throws std::invalid_argument for a name that is not one of the station's timers.
    Timer& operator[](const std::string& name) const;

private:
    Runtime& rt_;
};

}  // namespace vox
