#pragma once

#include <cstddef>
#include <cstdint>

namespace vox {

// The voice's audio: 22050 Hz, mono, 16-bit.
constexpr int kVoiceSampleRate = 22050;

// Where the voice's audio goes: a sound device, the air recorder or a file. Members are called
// from the synthesis worker and the behaviour thread, so they are thread-safe.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Queues samples after whatever is still playing.
    virtual void play(const std::int16_t* samples, std::size_t count) = 0;
    // Drops everything buffered; what is playing stops.
    virtual void clear() = 0;
    // True while audio is still buffered or has not finished sounding.
    virtual bool busy() = 0;
    // Blocks the producer while a real-time output has plenty buffered; returns at once when
    // the output is cleared. Outputs that keep everything return at once.
    virtual void waitForRoom() {}
};

}  // namespace vox
