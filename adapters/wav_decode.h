#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vox {

enum class AudioFileKind {
    NotAudio,  // no sound file: may be text
    Broken,    // looks like a sound file but cannot be decoded: render nothing
    Decoded,
};

struct DecodedAudio {
    AudioFileKind kind = AudioFileKind::NotAudio;
    std::vector<std::int16_t> samples;  // 22050 Hz mono 16-bit
};

// Decodes any sound file libsndfile reads (WAV of any common PCM rate, width and channel count,
// and the like) into the voice's format.
DecodedAudio decodeAudioFile(const std::string& path);

}  // namespace vox
