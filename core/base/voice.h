#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vox {

class VoiceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Flags of Voice::speak, as the speech API defines them.
enum SpeakFlags : int {
    kSpeakAsync = 1,      // asynchronous text with markup
    kSpeakPurge = 3,      // asynchronous, drop everything queued (with an empty text: silence)
    kSpeakFileAsync = 5,  // asynchronous, the text is a file name
};

// Running states of the voice.
enum RunningState : int { kNothingStarted = 0, kDone = 1, kSpeaking = 2 };

// The text-to-speech voice and the audio output it plays on. Members may throw VoiceError.
// Markup: "<xml>" .. "</xml>" delimits, "<spell>" .. "</spell>" spells, "<silence msec="N"/>"
// pauses.
class Voice {
public:
    virtual ~Voice() = default;
    virtual std::string engineName() const = 0;
    virtual void speak(const std::string& text, int flags) = 0;
    // Safe to poll from the behaviour thread.
    virtual int runningState() = 0;
    virtual void setRate(int rate) = 0;  // -2..2
    virtual void setVolume(int volume) = 0;
    virtual std::vector<std::string> audioOutputs() = 0;
    virtual void setAudioOutput(int index) = 0;  // throws VoiceError for an index not in the list
    // The transmitter was keyed or unkeyed (the air recorder cuts one file per transmission).
    virtual void transmitterKeyed(bool on) { (void)on; }
};

}  // namespace vox
