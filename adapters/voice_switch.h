#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adapters/audio_output.h"
#include "adapters/engine_voice.h"
#include "core/base/clock.h"
#include "core/base/event_loop.h"
#include "core/base/voice_choice.h"

namespace vox {

// The owner's choice of speech engine and voice: opened from voxclock.conf, changed by the voice
// dialog (and written back there), and tried with its "Test" button.
class VoiceSwitch {
public:
    // wanted: [voice] of voxclock.conf (confPath). Throws VoiceError when no engine can speak.
    VoiceSwitch(const Clock& clock, EventLoop& loop, std::string programFolder,
                std::string confPath, const VoiceChoice& wanted);
    ~VoiceSwitch();

    // The station's voice. The switch keeps a pointer to it: it must outlive the voice.
    std::unique_ptr<EngineVoice> createVoice(std::shared_ptr<AudioOutput> output = nullptr);

    const VoiceChoice& current() const { return current_; }
    // A line for the event log when the wanted voice was not there, else empty.
    const std::string& note() const { return note_; }
    std::vector<EngineVoices> choices() const;

    // The station speaks with it from its next text on, and voxclock.conf keeps it. A voice that
    // is not installed gives the fallback, as at start-up. False with the reason when the file
    // could not be written (the station speaks with it all the same).
    bool choose(const VoiceChoice& choice, std::string* error);

    // Speaks a sample with the voice on audio output `output` of the voice's list: no transmitter
    // is keyed and nothing goes to the node. False while the station's voice is speaking.
    bool test(const VoiceChoice& choice, int rate, int output);

    // The sample's voice, for tests.
    EngineVoice* trialVoice() { return trial_.get(); }

private:
    const Clock& clock_;
    EventLoop& loop_;
    std::string folder_;
    std::string confPath_;
    VoiceChoice current_;
    std::string note_;
    std::shared_ptr<SpeechEngine> engine_;
    EngineVoice* voice_ = nullptr;
    std::unique_ptr<EngineVoice> trial_;
};

}  // namespace vox
