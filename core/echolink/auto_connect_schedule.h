#pragma once

#include "core/parts/part_context.h"

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

    // Whether remote node i's days include today (Daily, or today's day flag).
    bool dayApplies(int i) const;

    void tAutoConnect_Timer();

private:
    void runEntry(const RemoteNode& entry, bool inSchedule);
    const RemoteNode* entry(int i) const;

    PartContext ctx_;
};

// The day flag of a remote node for a day of the week counted Sunday = 1 .. Saturday = 7; 0 for
// any other number.
int dayFlag(const RemoteNode& node, int dayOfWeek);

}  // namespace vox
