#pragma once

#include "core/parts/part_context.h"

namespace vox {

// What quiet time asks of the other parts; the station answers.
class QuietTimePeers {
public:
    virtual ~QuietTimePeers() = default;
    // Rebuilds the remote-node captions (on entering quiet).
    virtual void reloadNodeButtons() = 0;
};

// Quiet hours: between QuietStart and QuietStop nothing is spoken and, with NodeOffIfQuiet, the
// node is switched off. Going to sleep and waking up are announced and logged.
class QuietTime {
public:
    // Drives tQuietTime.
    QuietTime(PartContext ctx, Timer& quietTime, QuietTimePeers& peers);

private:
    void tQuietTime_Timer();
    void enterQuiet();
    void leaveQuiet();
    // Waits, processing events, while a connected station talks.
    void waitWhileStationTalks();

    PartContext ctx_;
    QuietTimePeers& peers_;
    // Quiet time put the station to sleep and has not woken it yet. Kept apart from TTSSleeping,
    // which the DTMF sleep toggle also switches: the first tick outside the window wakes the
    // station (and the node) whatever the toggle did meanwhile.
    bool asleep_ = false;
    // Quiet time switched the node off and has not switched it on again.
    bool nodeOff_ = false;
};

}  // namespace vox
