#pragma once

#include <functional>

#include "app/part_context.h"

namespace vox {

// Quiet hours: between QuietStart and QuietStop nothing is spoken and, with NodeOffIfQuiet, the
// node is switched off. Going to sleep and waking up are announced and logged.
class QuietTime {
public:
    // Drives tQuietTime. loadNodeButtons rebuilds the remote-node captions (on entering quiet).
    QuietTime(PartContext ctx, Timer& quietTime, std::function<void()> loadNodeButtons);

private:
    void tQuietTime_Timer();
    void enterQuiet();
    void leaveQuiet();
    // Waits, processing events, while a connected station talks.
    void waitWhileStationTalks();

    PartContext ctx_;
    std::function<void()> loadNodeButtons_;
};

}  // namespace vox
