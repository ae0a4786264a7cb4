#include "adapters/wav_decode.h"

#include <sndfile.h>

#include <array>
#include <cstring>
#include <fstream>

#include "adapters/audio_convert.h"
#include "adapters/audio_output.h"

namespace vox {

namespace {

// Sound files that libsndfile refuses are still not text: their header gives them away.
bool hasSoundFileHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 4> magic{};
    if (!in.read(magic.data(), magic.size()))
        return false;
    for (const char* m : {"RIFF", "RIFX", "RF64", "FORM", "OggS", "fLaC"}) {
        if (std::memcmp(magic.data(), m, 4) == 0)
            return true;
    }
    return false;
}

// Longest sound played: an hour. A header with a wild frame count must not exhaust memory.
constexpr sf_count_t kMaxSeconds = 3600;
constexpr sf_count_t kBlockFrames = 4096;

}  // namespace

DecodedAudio decodeAudioFile(const std::string& path) {
    DecodedAudio result;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        result.kind = hasSoundFileHeader(path) ? AudioFileKind::Broken : AudioFileKind::NotAudio;
        return result;
    }
    result.kind = AudioFileKind::Broken;
    if (info.channels >= 1 && info.channels <= 64 && info.samplerate >= 1000 &&
        info.samplerate <= 384000) {
        MonoResampler resampler(info.samplerate, kVoiceSampleRate);
        std::vector<float> block(static_cast<std::size_t>(kBlockFrames * info.channels));
        std::vector<float> mono(kBlockFrames);
        sf_count_t left = kMaxSeconds * info.samplerate;
        while (left > 0) {
            const sf_count_t got = sf_readf_float(file, block.data(), std::min(left, kBlockFrames));
            if (got <= 0)
                break;
            for (sf_count_t f = 0; f < got; ++f) {
                float sum = 0;
                for (int c = 0; c < info.channels; ++c)
                    sum += block[f * info.channels + c];
                mono[f] = sum / static_cast<float>(info.channels);
            }
            resampler.push(mono.data(), static_cast<std::size_t>(got));
            left -= got;
        }
        resampler.finish();
        result.samples = std::move(resampler.output());
        result.kind = AudioFileKind::Decoded;
    }
    sf_close(file);
    return result;
}

}  // namespace vox
