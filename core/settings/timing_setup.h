#pragma once

#include <string>

#include "core/settings/settings.h"

namespace vox {

// The timing and identification dialog's controls as the owner sees them.
struct TimingSetupValues {
    std::string txDelay;  // seconds, a real
    bool cwId = false;
    std::string cwMinutes;
    bool idAfterTime = false;
    bool voiceIdAfterTime = false;
    bool idPassive = false;
    bool toneBurst = false;
    std::string fanMinutes;
    bool activeReminder = false;
    std::string activeMinutes;
    bool busyReminder = false;
    std::string busyMinutes;
    bool timeAfterConnDisc = false;
    std::string recordMax;

    bool operator==(const TimingSetupValues&) const = default;
};

TimingSetupValues loadTimingSetup(const Settings& settings);
// OK: every box back into the record by the number-box rules; flags become 0 or 1.
void saveTimingSetup(const TimingSetupValues& values, Settings& settings);

inline constexpr const char* kTimingCaption = "Voxclock - Timing and ID";

}  // namespace vox
