#pragma once

#include <cstdint>

#include "core/parts/control_registry.h"
#include "core/parts/part_context.h"

namespace vox {

// The time on schedule and on request, the information file on schedule, and the main timer that
// follows the channel: the activity light, the transmit buttons and the clock panels.
class TimeAnnouncer {
public:
    // Drives tMain and tTime; answers CMDTime and CMDFile.
    TimeAnnouncer(PartContext ctx, Timer& main, Timer& time, ControlRegistry& controls);

    // The buttons: the time, and the information file.
    void CMDTime_Click();
    void CMDFile_Click();
    void SpeakTime();
    void BuildGreeting();

private:
    void tMain_Timer();
    void tTime_Timer();

    PartContext ctx_;
    ControlRegistry& controls_;
    // The calendar minute whose schedule tests last fired: each minute fires once.
    std::int64_t lastScheduledMinute_ = -1;
};

}  // namespace vox
