#include "adapters/voice_switch.h"

#include "adapters/speech_engines.h"
#include "core/settings/voice_conf.h"

namespace vox {

VoiceSwitch::VoiceSwitch(const Clock& clock, EventLoop& loop, std::string programFolder,
                         std::string confPath, const VoiceChoice& wanted)
    : clock_(clock),
      loop_(loop),
      folder_(std::move(programFolder)),
      confPath_(std::move(confPath)) {
    OpenedEngine opened = openSpeechEngine(wanted);
    current_ = opened.choice;
    note_ = opened.note;
    engine_ = std::move(opened.engine);
}

VoiceSwitch::~VoiceSwitch() = default;

std::unique_ptr<EngineVoice> VoiceSwitch::createVoice(std::shared_ptr<AudioOutput> output) {
    auto voice = std::make_unique<EngineVoice>(clock_, loop_, folder_, engine_, std::move(output));
    voice_ = voice.get();
    return voice;
}

std::vector<EngineVoices> VoiceSwitch::choices() const {
    return installedVoices();
}

bool VoiceSwitch::choose(const VoiceChoice& choice, std::string* error) {
    OpenedEngine opened = openSpeechEngine(choice);
    current_ = opened.choice;
    note_ = opened.note;
    engine_ = std::move(opened.engine);
    if (voice_)
        voice_->setEngine(engine_);
    return writeVoiceChoice(confPath_, current_, error);
}

bool VoiceSwitch::test(const VoiceChoice& choice, int rate, int output) {
    if (voice_ && voice_->runningState() == kSpeaking)
        return false;
    OpenedEngine opened = openSpeechEngine(choice);
    // A voice of its own: the station's may be rendering to the node.
    trial_.reset();
    trial_ = std::make_unique<EngineVoice>(clock_, loop_, folder_, opened.engine);
    try {
        trial_->setAudioOutput(output);
    } catch (const VoiceError&) {
        return false;
    }
    trial_->setRate(rate);
    trial_->speak(voiceSampleText(opened.choice), kSpeakAsync);
    return true;
}

}  // namespace vox
