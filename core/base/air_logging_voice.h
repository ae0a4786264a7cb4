#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/base/air_log.h"
#include "core/base/voice.h"

namespace vox {

// Records in the air log what is handed to a voice, then hands it on: "speak" {text} with the
// text as given (markup included), "play" {file} with the path relative to the program folder
// when it lies inside it (and {text}, the content as the voice reads it, for a ".txt" file), and
// "purge".
class AirLoggingVoice : public Voice {
public:
    AirLoggingVoice(Voice& inner, AirLog& log, std::string programFolderRoot);

    std::string engineName() const override { return inner_.engineName(); }
    void speak(const std::string& text, int flags) override;
    int runningState() override { return inner_.runningState(); }
    void setRate(int rate) override { inner_.setRate(rate); }
    void setVolume(int volume) override { inner_.setVolume(volume); }
    std::vector<std::string> audioOutputs() override { return inner_.audioOutputs(); }
    void setAudioOutput(int index) override { inner_.setAudioOutput(index); }
    void transmitterKeyed(bool on) override { inner_.transmitterKeyed(on); }

    // "wav/id.wav" for a file in the program folder; anything else as given.
    std::string loggedPath(const std::string& path) const;

private:
    Voice& inner_;
    AirLog& log_;
    std::string root_;
};

// A voice that records what it is handed in the air log and owns the voice it hands it on to.
class LoggedVoice : public AirLoggingVoice {
public:
    LoggedVoice(std::unique_ptr<Voice> inner, AirLog& log, const std::string& root)
        : AirLoggingVoice(*inner, log, root), owned_(std::move(inner)) {}

private:
    std::unique_ptr<Voice> owned_;
};

}  // namespace vox
