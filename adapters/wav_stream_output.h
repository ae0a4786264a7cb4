#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

#include "adapters/audio_output.h"

namespace vox {

// The voice's audio written to a WAV file (22050 Hz, mono, 16-bit) as it is rendered, the way
// espeak-ng's own command line writes one: nothing is held in memory, and the sizes in the header
// are filled in at the end. A pipe or a device (/dev/stdout) gets the same file, written whole at
// the end.
class WavStreamOutput : public AudioOutput {
public:
    WavStreamOutput() = default;
    ~WavStreamOutput() override;
    WavStreamOutput(const WavStreamOutput&) = delete;
    WavStreamOutput& operator=(const WavStreamOutput&) = delete;

    // Creates the file with its header; false with a message when it cannot be created.
    bool open(const std::string& path, std::string* error);
    void play(const std::int16_t* samples, std::size_t count) override;
    // Drops what has been written so far: the file holds the header only again.
    void clear() override;
    bool busy() override { return false; }
    // Puts the sizes into the header and closes the file. False with a message when a write
    // failed; a file it made is then removed.
    bool finish(std::string* error);

private:
    void abandon();

    std::mutex mutex_;
    std::string path_;
    std::FILE* file_ = nullptr;
    bool regular_ = false;
    std::string held_;  // the audio for a pipe or a device
    std::uint64_t dataBytes_ = 0;
    bool failed_ = false;
};

}  // namespace vox
