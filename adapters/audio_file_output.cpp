#include "adapters/audio_file_output.h"

#include "core/base/wav_file.h"

namespace vox {

void AudioFileOutput::play(const std::int16_t* samples, std::size_t count) {
    std::lock_guard<std::mutex> lock(mutex_);
    samples_.insert(samples_.end(), samples, samples + count);
}

void AudioFileOutput::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    samples_.clear();
}

std::size_t AudioFileOutput::sampleCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return samples_.size();
}

bool AudioFileOutput::write(const std::string& path, std::string* error) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return writeWavPcm16Mono(path, kVoiceSampleRate, samples_, error);
}

}  // namespace vox
