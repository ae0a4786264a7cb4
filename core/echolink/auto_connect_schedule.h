#pragma once

#include "app/part_context.h"

namespace vox {

// The weekly auto-connect schedule: once a minute, each scheduled remote node inside one of its
// windows is connected, and one outside all of them is dropped.
class AutoConnectSchedule {
public:
    // Drives tAutoConnect.
    AutoConnectSchedule(PartContext ctx, Timer& autoConnect);

    // The window tests of remote node i (0..7) at the current local time.
    bool InSlot1(int i) const;
    bool InSlot2(int i) const;
    bool InSlot3(int i) const;

private:
    void tAutoConnect_Timer();

    PartContext ctx_;
};

}  // namespace vox
