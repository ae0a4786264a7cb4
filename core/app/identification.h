#pragma once

#include <cstdint>

#include "app/control_registry.h"
#include "app/part_context.h"

namespace vox {

// The CW identification: every CwIdMinutes minutes, or passively only after the channel was in
// use, and on the Command1 button.
class Identification {
public:
    // Drives tID and tRadioBusyID; answers Command1.
    Identification(PartContext ctx, Timer& id, Timer& radioBusyId, ControlRegistry& controls);

    void SendStationId();

    // Minutes since the last identification, and seconds since the receiver was last busy; both
    // stop at their 16-bit limit.
    std::int16_t IdMinuteCount = 0;
    std::int16_t IdleSeconds = 0;

private:
    void tID_Timer();
    void tRadioBusyID_Timer();

    PartContext ctx_;
};

}  // namespace vox
