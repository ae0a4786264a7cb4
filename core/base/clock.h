#pragma once

#include "core/base/local_time.h"

namespace vox {

// Where the core reads the time from. Real time in the program, virtual time in tests and dry runs.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime localNow() const = 0;
    // Seconds on a clock that never jumps and does not restart at midnight.
    virtual double monotonicSeconds() const = 0;
};

}  // namespace vox
