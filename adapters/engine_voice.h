#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "adapters/air_recorder.h"
#include "adapters/audio_output.h"
#include "adapters/speech_engine.h"
#include "core/base/clock.h"
#include "core/base/event_loop.h"
#include "core/base/voice.h"

namespace vox {

// The voice on a speech engine (espeak-ng or Flite). Texts and files are queued and rendered on
// the synthesis thread; the markup is read here, the engine gets the words between the pauses.
// The audio goes to a sound device (sound_devices.h) or to the air recorder, the last output of
// the list, which writes each transmission to air/ under the program folder.
class EngineVoice : public Voice {
public:
    // output: where the audio goes instead of the list (a file, say), as renderTo() does; the
    // sound devices are then not asked for until an output of the list is chosen.
    EngineVoice(const Clock& clock, EventLoop& loop, const std::string& programFolder,
                std::shared_ptr<SpeechEngine> engine,
                std::shared_ptr<AudioOutput> output = nullptr);
    ~EngineVoice() override;
    EngineVoice(const EngineVoice&) = delete;
    EngineVoice& operator=(const EngineVoice&) = delete;

    std::string engineName() const override;
    void speak(const std::string& text, int flags) override;
    int runningState() override;
    void setRate(int rate) override;
    void setVolume(int volume) override;
    std::vector<std::string> audioOutputs() override;
    void setAudioOutput(int index) override;
    void transmitterKeyed(bool on) override;

    int audioOutput() const;
    AirRecorder& airRecorder() { return *air_; }
    // Sends the audio to an output outside the list (a file, say); null returns to the list.
    void renderTo(std::shared_ptr<AudioOutput> output);

    // What is queued from now on speaks with this engine.
    void setEngine(std::shared_ptr<SpeechEngine> engine);

private:
    struct Job {
        std::string text;
        bool isFile = false;
        std::uint64_t generation = 0;
        std::shared_ptr<SpeechEngine> engine;
        int rate = 0;
        int volume = 100;
    };
    void render(const Job& job);
    void renderText(const Job& job, const std::string& text);
    bool deliver(std::uint64_t generation, const std::int16_t* samples, std::size_t count);
    bool deliverSilence(std::uint64_t generation, std::size_t count);
    void finish(const Job& job);
    std::shared_ptr<AudioOutput> currentOutput();

    const Clock& clock_;
    EventLoop& loop_;
    std::shared_ptr<AirRecorder> air_;

    mutable std::mutex mutex_;
    std::uint64_t generation_ = 0;  // a purge starts a new one; older jobs are dropped
    int pending_ = 0;               // jobs of this generation not rendered yet
    bool started_ = false;
    int outputIndex_ = 0;
    std::shared_ptr<AudioOutput> selected_;
    std::shared_ptr<AudioOutput> override_;
    std::shared_ptr<SpeechEngine> engine_;

    std::atomic<int> rate_{0};
    std::atomic<int> volume_{100};
};

}  // namespace vox
