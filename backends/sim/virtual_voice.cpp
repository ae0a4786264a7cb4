#include "backends/sim/virtual_voice.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <utility>

#include "core/base/speech_markup.h"
#include "core/base/wav_file.h"

namespace vox {
namespace {

// Spoken text files are small; a runaway file must not be read whole.
constexpr std::size_t kMaxTextFileBytes = 1 << 20;

constexpr int kPurgeBit = 2;
constexpr int kFileNameBit = 4;

// Characters, not bytes: a valid UTF-8 sequence is one character, any other byte is one too.
std::int64_t countCharacters(const std::string& s) {
    std::int64_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++n) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = c >= 0xF0 && c <= 0xF4  ? 4
                          : c >= 0xE0             ? 3
                          : c >= 0xC2 && c < 0xE0 ? 2
                                                  : 1;
        if (i + len > s.size())
            len = 1;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                len = 1;
        i += len;
    }
    return n;
}

std::int64_t textMicros(const std::string& text) {
    std::int64_t us = 0;
    for (const SpeechRun& run : parseSpeechMarkup(text)) {
        if (run.kind == SpeechRun::Kind::Silence)
            us += std::clamp(run.silenceMs, 0, kMaxSilenceMs) * std::int64_t{1000};
        else
            us += countCharacters(run.text) * VirtualVoice::kMicrosPerCharacter;
    }
    return us;
}

bool hasWavExtension(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".wav";
}

std::int64_t fileMicros(const std::string& path) {
    if (const auto wav = wavDurationSeconds(path))
        return std::llround(*wav * 1e6);
    // A WAV file the player cannot read plays nothing, it is not read out as text.
    if (hasWavExtension(path))
        return 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    std::string text(kMaxTextFileBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    return textMicros(text);
}

}  // namespace

VirtualVoice::VirtualVoice(Runtime& rt) : rt_(rt) {}

VirtualVoice::~VirtualVoice() {
    if (wakeCall_)
        rt_.cancel(wakeCall_);
}

double VirtualVoice::textSeconds(const std::string& text) {
    return textMicros(text) / 1e6;
}

double VirtualVoice::fileSeconds(const std::string& path) {
    return fileMicros(path) / 1e6;
}

// Whole microseconds, as the runtime schedules: the end of the audio and the call that wakes the
// waiters then must compare equal.
std::int64_t VirtualVoice::nowUs() const {
    return std::llround(rt_.now() * 1e6);
}

void VirtualVoice::speak(const std::string& text, int flags) {
    if (flags & kPurgeBit) {
        purge();
        if (text.empty())
            return;
    }
    if (failsLeft_ > 0) {
        --failsLeft_;
        throw VoiceError("the voice failed (injected)");
    }
    started_ = true;
    // Dropped a batch at a time, so the log costs no more per text than a plain append.
    if (spoken_.size() >= 2 * kSpokenLogKept)
        spoken_.erase(spoken_.begin(), spoken_.begin() + kSpokenLogKept);
    spoken_.push_back(text);
    const std::int64_t stall = std::exchange(stallUs_, 0);
    queue(((flags & kFileNameBit) ? fileMicros(text) : textMicros(text)) + stall);
    if (std::exchange(hangNext_, false)) {
        // Nothing wakes the waiters: they poll, as they would a real engine that stopped.
        hanging_ = true;
        if (wakeCall_)
            rt_.cancel(wakeCall_);
        wakeCall_ = 0;
    }
}

void VirtualVoice::purge() {
    hanging_ = false;
    endUs_ = std::min(endUs_, nowUs());
    if (wakeCall_)
        rt_.cancel(wakeCall_);
    wakeCall_ = 0;
}

void VirtualVoice::queue(std::int64_t micros) {
    endUs_ = std::max(endUs_, nowUs()) + micros;
    // Nothing to do at the end but wake whoever waits for the voice to finish.
    if (wakeCall_)
        rt_.cancel(wakeCall_);
    wakeCall_ = rt_.callAt(static_cast<double>(endUs_) / 1e6, [this] { wakeCall_ = 0; });
}

int VirtualVoice::runningState() {
    if (!started_)
        return kNothingStarted;
    return hanging_ || nowUs() < endUs_ ? kSpeaking : kDone;
}

void VirtualVoice::setAudioOutput(int index) {
    if (index != 0)
        throw VoiceError("no audio output " + std::to_string(index));
    output_ = index;
}

}  // namespace vox
