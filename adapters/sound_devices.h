#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adapters/audio_output.h"

namespace vox {

// The machine's sound devices as the sound server (PulseAudio or PipeWire) reports them.
class SoundDevices {
public:
    virtual ~SoundDevices() = default;
    // The devices' names, asked afresh (one may have been plugged in or out since).
    virtual std::vector<std::string> names() = 0;
    // An output on device `index` of names(); null when there is no such device now.
    virtual std::shared_ptr<AudioOutput> open(int index) = 0;
};

// The devices of this process. Asking Qt Multimedia costs a large library and a scan of the
// server, so it is asked only when there is a server to ask: its socket is there, PULSE_SERVER
// names one, or the program runs on a display (whose session has its own ways of finding one).
// Without one, or without the sound plugin voxclock-sound.so beside the program (said once on
// standard error), there are no devices.
SoundDevices& soundDevices();

// Whether a sound server may be reached, by the rules above. Reads the environment only.
bool soundServerPresent();

}  // namespace vox
