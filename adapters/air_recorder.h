#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "adapters/audio_output.h"
#include "core/base/clock.h"

namespace vox {

// The output of last resort and a witness of what went on the air: every transmission (keyed to
// unkeyed) becomes one WAV file named by the local time of keying. It plays like a sound card
// paced on the injected clock, so busy() holds for as long as the audio lasts, in real or in
// virtual time. Audio rendered while unkeyed is paced but not kept. After each file, the oldest
// of its own files go until the folder's recordings fit the size limit.
class AirRecorder : public AudioOutput {
public:
    AirRecorder(const Clock& clock, std::string folder);

    // How many bytes of recordings the folder keeps; 0 (the default): no limit.
    void setMaxBytes(std::uint64_t bytes);

    void play(const std::int16_t* samples, std::size_t count) override;
    void clear() override;
    bool busy() override;

    // Keying starts a transmission; unkeying writes its file (silence fills the gaps).
    void setKeyed(bool on);
    // The file of the last transmission and the last failure to write one ("" when none).
    std::string lastFile() const;
    std::string lastError() const;

private:
    std::int64_t sampleNow() const;
    // Deletes the oldest recordings over the limit; the file just written stays.
    void keepWithinLimit(const std::string& written);

    const Clock& clock_;
    std::string folder_;
    mutable std::mutex mutex_;
    std::uint64_t maxBytes_ = 0;
    std::int64_t audioEnd_ = 0;  // in samples on the clock's time line
    bool keyed_ = false;
    std::int64_t keyedAt_ = 0;
    LocalTime pendingTime_;
    std::vector<std::int16_t> recording_;  // from keyedAt_ on
    std::string lastFile_;
    std::string lastError_;
};

}  // namespace vox
