#pragma once

#include "core/base/air_log.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/base/program_folder.h"
#include "core/base/runtime.h"
#include "core/base/voice.h"
#include "core/parts/event_log.h"
#include "core/parts/front_panel.h"
#include "core/parts/node_access.h"
#include "core/parts/shared_state.h"
#include "core/settings/settings.h"

namespace vox {

// Speech and transmit output: everything that reaches the air goes through here. It keys the
// transmitter around what it says, with the transmit delay, the tone burst and the courtesy beep,
// and it alone holds the voice.
class SpeechOutput {
public:
    struct Context {
        Runtime& rt;
        const ProgramFolder& folder;
        const Settings& settings;
        FrontPanel& panel;
        SharedState& state;
        NodeAccess& node;
        EventLog& log;
        std::function<void()> focusDummy;
        // Every PTT command the node took goes here, whatever the backend; none: not recorded.
        AirLog* air;
    };

    // Drives tVoiceAbort.
    SpeechOutput(Context ctx, Timer& voiceAbort);

    void SpeakText(const std::string& text);
    void PlayFile(const std::string& path);
    void TransmitFile(const std::string& path);
    void KeyTransmitter();
    void UnkeyTransmitter();
    // The failure path of a speaking operation: a failing unkey is left to retryPttRelease().
    void unkeyAfterFailure();
    // An unkey that failed twice is retried on every main-timer tick until the node takes it.
    void retryPttRelease();
    // Shutdown: PTT off, tried more than once. The voice hears the transmitter is off.
    void releasePttAtShutdown();
    void CheckPTTControl();
    void SilenceVoice();                                   // lblTwo
    std::string SpellCall(const std::string& call) const;  // ATTCall or TTSSpell per VoiceTypeAtt
    // The node transmits, a station talks or the receiver is busy.
    bool channelBusy();
    // Before keying only: waits while the receiver is busy, showing the status given (if any).
    // Holding PTT while waiting would hand our transmitter to the receiver.
    void waitForQuietReceiver(const char* status);
    // Cuts what the voice still has queued when the program is on its way out.
    void silenceIfQuitting();
    // Speaks asynchronously, then waits for the engine to finish.
    void speakAndWait(const std::string& text);
    // Speech switched off: says so in the status bar.
    bool reportSleeping();
    // A file to transmit that is not there: says so (panel 4, and the log once an hour per path).
    bool reportMissingFile(const std::string& path);

    // The voice, from start-up on; null before and after.
    void setVoice(std::unique_ptr<Voice> voice) { voice_ = std::move(voice); }
    void releaseVoice() { voice_.reset(); }
    Voice* voice() { return voice_.get(); }
    bool pttHeld() const { return pttHeld_; }

    // Told of every PTT change the node took (the transmit time-out watches these).
    std::function<void(bool on)> onPttChanged;
    // The transmit time-out: silences the voice and drops PTT at once, without waiting. The
    // time-out stays on panel 4 until the next keying.
    void forcePttOff();

private:
    void tVoiceAbort_Timer();
    int runningState();
    void waitWhileSpeaking();
    void waitUntilDone(int ms);
    // Every text and file goes to the voice through here; refused once the program is quitting.
    void handToVoice(const std::string& text, int flags);
    void setPtt(bool on);
    void showPtt(bool on);
    std::string prepared(const std::string& relative) const;
    void focus() {
        if (ctx_.focusDummy)
            ctx_.focusDummy();
    }

    Context ctx_;
    std::unique_ptr<Voice> voice_;
    bool pttHeld_ = false;
    bool pttReleaseFailed_ = false;
    bool timedOut_ = false;
    // Missing files to transmit, with when they were last logged (monotonic seconds).
    std::map<std::string, double> missingFileLogged_;
};

}  // namespace vox
