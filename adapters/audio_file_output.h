#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "adapters/audio_output.h"

namespace vox {

// Collects the voice's audio as fast as it is rendered, for writing to a WAV file.
class AudioFileOutput : public AudioOutput {
public:
    void play(const std::int16_t* samples, std::size_t count) override;
    void clear() override;
    bool busy() override { return false; }

    std::size_t sampleCount() const;
    // 22050 Hz mono 16-bit WAV; false with a message when it cannot be written.
    bool write(const std::string& path, std::string* error) const;

private:
    mutable std::mutex mutex_;
    std::vector<std::int16_t> samples_;
};

}  // namespace vox
