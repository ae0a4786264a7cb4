#include "audio_file_output.h"

#include <sndfile.h>

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
    SF_INFO info{};
    info.samplerate = kVoiceSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        if (error)
            *error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    const auto count = static_cast<sf_count_t>(samples_.size());
    const bool ok = sf_write_short(file, samples_.data(), count) == count;
    if (!ok && error)
        *error = "cannot write " + path + ": " + sf_strerror(file);
    sf_close(file);
    return ok;
}

}  // namespace vox
