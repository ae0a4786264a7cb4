#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vox {

// Sample rate of the generated tones.
constexpr int kToneSampleRate = 22050;

// Playing time of a RIFF/WAVE file (PCM or IEEE float, any rate, width and channel count), or
// nullopt when the file is missing, not a WAVE file or its header is broken. A data chunk that
// claims more bytes than the file holds counts only the bytes present. Reads headers only.
std::optional<double> wavDurationSeconds(const std::string& path);

// Writes 16-bit mono PCM. False with a message when the file cannot be written; a partly
// written file is removed.
bool writeWavPcm16Mono(const std::string& path, int sampleRate, const std::vector<int16_t>& samples,
                       std::string* error = nullptr);

// 1750 Hz for 0.5 s at kToneSampleRate: opens repeaters that want a tone burst.
std::vector<int16_t> toneBurst();
// 1000 Hz for 120 ms at kToneSampleRate: the end-of-transmission courtesy beep.
std::vector<int16_t> courtesyBeep();

}  // namespace vox
