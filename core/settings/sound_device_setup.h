#pragma once

#include <string>
#include <vector>

#include "core/settings/settings.h"

namespace vox {

// The sound-device dialog's list: the voice's outputs in the voice's order, and the entry of the
// saved device; none when that device is not there any more.
struct SoundDeviceList {
    std::vector<std::string> entries;
    int selected = -1;
    // Shown under the list when the saved device has gone.
    std::string note;
};
SoundDeviceList loadSoundDevice(const std::vector<std::string>& outputs, const Settings& settings);

// OK: the chosen entry becomes SoundDevice; with none chosen the setting stays.
void saveSoundDevice(int selected, Settings& settings);

inline constexpr const char* kSoundDeviceCaption = "Voxclock - Select Sound Device";
inline constexpr const char* kSoundDeviceGone =
    "The sound device saved before is not there any more. Choose one.";

}  // namespace vox
