#pragma once

#include <cstdint>
#include <string>

#include "core/parts/control_registry.h"
#include "core/parts/cw_id.h"
#include "core/parts/part_context.h"

namespace vox {

// The CW identification: every CwIdMinutes minutes, or passively only after the channel was in
// use, and on the Command1 button.
class Identification {
public:
    // Drives tID and tRadioBusyID; answers Command1.
    Identification(PartContext ctx, Timer& id, Timer& radioBusyId, ControlRegistry& controls);

    void SendStationId();
    // Start-up: a node without a recorded identification gets one in Morse from its call, so it
    // identifies out of the box. An owner's recording is never replaced.
    void ensureIdFile(const std::string& nodeCall, const CwIdConf& conf);

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
