#pragma once

#include "core/dtmf/fan_lines.h"
#include "core/parts/control_registry.h"
#include "core/parts/part_context.h"

namespace vox {

// The transmitter's cooling fan on a handshake line (of the node's radio port unless given other
// lines): on while the node transmits and FanTime minutes after, then off.
class FanControl {
public:
    // Drives tFanLogic; answers the FanRTS and FanDTR boxes. lines: null = the node's.
    FanControl(PartContext ctx, Timer& fanLogic, ControlRegistry& controls,
               FanLines* lines = nullptr);

    FanLines& lines() { return lines_; }

private:
    void tFanLogic_Timer();
    void lineClicked(bool rts);

    PartContext ctx_;
    NodeFanLines nodeLines_;
    FanLines& lines_;
    // The idle count wrapped since the last transmission: the run-on is over whatever the count.
    bool idleWrapped_ = false;
};

}  // namespace vox
