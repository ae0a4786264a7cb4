#pragma once

#include "core/base/clock.h"

namespace vox {

// The wall clock of the machine.
class SystemClock : public Clock {
public:
    LocalTime localNow() const override;
    double monotonicSeconds() const override;
};

}  // namespace vox
