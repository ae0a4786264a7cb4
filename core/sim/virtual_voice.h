#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/runtime.h"
#include "core/base/voice.h"

namespace vox {

// A voice that makes no sound but takes the time a real one would, on the runtime's clock: 60 ms
// per character of the text without its markup plus its silences; a WAV file lasts its real
// length; any other file is read as text; a file that cannot be read takes no time. Speaks queue
// one after another and never block. For tests and dry runs.
class VirtualVoice : public Voice {
public:
    static constexpr std::int64_t kMicrosPerCharacter = 60000;

    explicit VirtualVoice(Runtime& rt);
    ~VirtualVoice() override;
    VirtualVoice(const VirtualVoice&) = delete;
    VirtualVoice& operator=(const VirtualVoice&) = delete;

    std::string engineName() const override { return "virtual voice"; }
    void speak(const std::string& text, int flags) override;
    int runningState() override;
    void setRate(int rate) override { rate_ = rate; }
    void setVolume(int volume) override { volume_ = volume; }
    std::vector<std::string> audioOutputs() override { return {"Virtual output"}; }
    void setAudioOutput(int index) override;

    int rate() const { return rate_; }
    int volume() const { return volume_; }
    int audioOutput() const { return output_; }
    // The texts (as handed over) and file names (as given) queued, in order: at least the latest
    // kSpokenLogKept of them, so a voice that runs for months keeps no more.
    static constexpr std::size_t kSpokenLogKept = 1000;
    const std::vector<std::string>& spokenLog() const { return spoken_; }

    // Faults, for tests and dry runs. The next `count` texts or files handed over fail with
    // VoiceError (a purge still works); the next one lasts `seconds` longer; the next one never
    // ends until it is purged.
    void failNext(int count) { failsLeft_ = count; }
    void stallNext(double seconds) { stallUs_ = std::llround(seconds * 1e6); }
    void hangNext() { hangNext_ = true; }

    // How long the voice takes for a text with markup, and for a file.
    static double textSeconds(const std::string& text);
    static double fileSeconds(const std::string& path);

private:
    std::int64_t nowUs() const;
    void purge();
    void queue(std::int64_t micros);

    Runtime& rt_;
    bool started_ = false;
    std::int64_t endUs_ = 0;  // when the queued audio ends, on the runtime's monotonic clock
    std::uint64_t wakeCall_ = 0;
    int rate_ = 0;
    int volume_ = 100;
    int output_ = 0;
    std::vector<std::string> spoken_;
    int failsLeft_ = 0;
    std::int64_t stallUs_ = 0;
    bool hangNext_ = false;
    bool hanging_ = false;
};

}  // namespace vox
