#include "adapters/air_recorder.h"

#include "core/base/folder_budget.h"
#include "core/base/wav_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace vox {

AirRecorder::AirRecorder(const Clock& clock, std::string folder)
    : clock_(clock), folder_(std::move(folder)) {}

void AirRecorder::setMaxBytes(std::uint64_t bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    maxBytes_ = bytes;
}

std::int64_t AirRecorder::sampleNow() const {
    return std::llround(clock_.monotonicSeconds() * kVoiceSampleRate);
}

void AirRecorder::play(const std::int16_t* samples, std::size_t count) {
    std::lock_guard<std::mutex> lock(mutex_);
    // Like a sound card: audio starts now, or when what is already queued has played.
    const std::int64_t start = std::max(sampleNow(), audioEnd_);
    audioEnd_ = start + static_cast<std::int64_t>(count);
    if (!keyed_)
        return;
    const auto offset = static_cast<std::size_t>(start - keyedAt_);
    if (recording_.size() < offset)
        recording_.resize(offset, 0);
    recording_.insert(recording_.end(), samples, samples + count);
}

void AirRecorder::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::int64_t now = sampleNow();
    if (audioEnd_ <= now)
        return;
    audioEnd_ = now;
    // Audio that would have played after now never reaches the air.
    if (keyed_ && now >= keyedAt_ && recording_.size() > static_cast<std::size_t>(now - keyedAt_)) {
        recording_.resize(static_cast<std::size_t>(now - keyedAt_));
    }
}

bool AirRecorder::busy() {
    std::lock_guard<std::mutex> lock(mutex_);
    return sampleNow() < audioEnd_;
}

void AirRecorder::setKeyed(bool on) {
    std::vector<std::int16_t> samples;
    LocalTime keyedAt;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (on == keyed_)
            return;
        keyed_ = on;
        const std::int64_t now = sampleNow();
        if (on) {
            keyedAt_ = now;
            pendingTime_ = clock_.localNow();
            recording_.clear();
            return;
        }
        // The file ends when the transmitter drops: silence up to there, nothing after it.
        recording_.resize(static_cast<std::size_t>(std::max<std::int64_t>(now - keyedAt_, 0)), 0);
        samples.swap(recording_);
        keyedAt = pendingTime_;
    }

    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    std::string path = folder_ + "/" + airRecordingName(keyedAt);
    for (int n = 2; std::filesystem::exists(path, ec); ++n) {
        path = folder_ + "/" + airRecordingName(keyedAt, n);
    }
    std::string error;
    const bool ok = writeWavPcm16Mono(path, kVoiceSampleRate, samples, &error);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (ok) {
            lastFile_ = path;
        } else {
            lastError_ = error;
        }
    }
    if (ok)
        keepWithinLimit(path);
}

void AirRecorder::keepWithinLimit(const std::string& written) {
    std::uint64_t maxBytes = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        maxBytes = maxBytes_;
    }
    if (maxBytes == 0)
        return;
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<FolderFile> files;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statError;
        if (!it->is_regular_file(statError))
            continue;
        const std::uint64_t bytes = it->file_size(statError);
        if (!statError)
            files.push_back({it->path().filename().string(), bytes});
    }
    // A file that cannot go now is tried again after the next transmission.
    for (const std::string& name :
         airRecordingsOverBudget(files, maxBytes, fs::path(written).filename().string())) {
        fs::remove(fs::path(folder_) / name, ec);
    }
}

std::string AirRecorder::lastFile() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastFile_;
}

std::string AirRecorder::lastError() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastError_;
}

}  // namespace vox
