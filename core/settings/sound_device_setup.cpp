#include "core/settings/sound_device_setup.h"

#include <cstdint>
#include <limits>

namespace vox {

SoundDeviceList loadSoundDevice(const std::vector<std::string>& outputs, const Settings& s) {
    SoundDeviceList list;
    list.entries = outputs;
    if (s.SoundDevice >= 0 && static_cast<std::size_t>(s.SoundDevice) < outputs.size())
        list.selected = s.SoundDevice;
    else
        list.note = kSoundDeviceGone;
    return list;
}

void saveSoundDevice(int selected, Settings& s) {
    if (selected < 0 || selected > std::numeric_limits<std::int16_t>::max())
        return;
    s.SoundDevice = static_cast<std::int16_t>(selected);
}

}  // namespace vox
