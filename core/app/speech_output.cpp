// Speech and transmit output: everything that reaches the air goes through here.
#include <filesystem>

#include "app/call_spelling.h"
#include "app/station.h"

namespace vox {

namespace {
constexpr const char* kSpeakingText = "TTS is Speaking";
constexpr const char* kSleeping = "TTS is Sleeping!";
// How long a file may report "nothing started" before we stop waiting for it.
constexpr double kStartGraceSeconds = 2.0;
// A missing file to transmit is logged again after this long (the schedule may try every 15 min).
constexpr double kMissingFileLogSeconds = 3600.0;

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}
}  // namespace

int Station::runningState() {
    if (!voice_)
        throw VoiceError("no voice");
    return voice_->runningState();
}

void Station::waitWhileSpeaking() {
    if (runningState() != kSpeaking)
        return;
    panel_.setPanel(4, kSpeakingText);
    rt_.waitWhile([this] { return runningState() == kSpeaking; });
}

bool Station::reportSleeping() {
    if (TTSSleeping)
        panel_.setPanel(4, kSleeping);
    return TTSSleeping;
}

void Station::speakAndWait(const std::string& text) {
    handToVoice(text, kSpeakAsync);
    waitUntilDone(1000);
    waitWhileSpeaking();
}

void Station::handToVoice(const std::string& text, int flags) {
    // Shutdown releases PTT as soon as the waits have ended; audio queued now would go out unkeyed.
    if (rt_.quitRequested())
        throw VoiceError("quitting");
    if (!voice_)
        throw VoiceError("no voice");
    voice_->speak(text, flags);
}

void Station::silenceIfQuitting() {
    if (rt_.quitRequested() && voice_ && voice_->runningState() == kSpeaking)
        voice_->speak("", kSpeakPurge);
}

bool Station::reportMissingFile(const std::string& path) {
    if (!path.empty() && fileExists(path))
        return false;
    panel_.setPanel(4, "ERROR Playing File!");
    // Only paths logged within the last hour are kept.
    const double now = rt_.now();
    std::erase_if(missingFileLogged_,
                  [&](const auto& entry) { return now - entry.second >= kMissingFileLogSeconds; });
    if (missingFileLogged_.emplace(path, now).second)
        eventLog_.LogEvent(path.empty() ? "No info file chosen" : "Info file not found: " + path);
    return true;
}

void Station::waitUntilDone(int ms) {
    const double deadline = rt_.now() + ms / 1000.0;
    rt_.waitWhile([&] { return runningState() == kSpeaking && rt_.now() < deadline; });
}

void Station::waitForQuietReceiver(const char* status) {
    // Called while keyed (the burst, the beep, an identification after the time): go on at once,
    // or a user keying up or a stuck carrier would hold our transmitter for as long as it lasts.
    if (pttHeld_)
        return;
    rt_.waitWhile([&] {
        if (!link().isReceiving())
            return false;
        if (status)
            panel_.setPanel(4, status);
        return true;
    });
}

void Station::setPtt(bool on) {
    link().setPtt(on);
    pttHeld_ = on;
    if (!on)
        pttReleaseFailed_ = false;
}

void Station::showPtt(bool on) {
    panel_.setCaption("lblPTT", on ? "ON" : "OFF");
    if (voice_)
        voice_->transmitterKeyed(on);
}

void Station::KeyTransmitter() {
    // Never key once the program is on its way out.
    if (rt_.quitRequested())
        throw NodeError("Voxclock", "shutting down");
    FanSeconds = 0;
    setPtt(true);
    showPtt(true);
    KillTime(settings_.TxDelaySeconds);
    if (settings_.ToneBurst == 1) {
        const std::string burst = prepared("\\wav\\burst.wav");
        if (fileExists(burst))
            PlayFile(burst);
    }
}

void Station::UnkeyTransmitter() {
    try {
        waitWhileSpeaking();
        silenceIfQuitting();
        // The beep goes out while keyed; after an inner transmission has already unkeyed (the
        // identification spoken after the time) it would only wait for the channel, off the air.
        if (!gSamIsTalking && pttHeld_) {
            const std::string beep = prepared("\\wav\\beep.wav");
            if (fileExists(beep))
                PlayFile(beep);
        }
        gSamIsTalking = false;
        KillTime(settings_.TxDelaySeconds);
        panel_.setPanel(4, "");
        setPtt(false);
        showPtt(false);
    } catch (...) {
        panel_.setPanel(4, "PTT OFF Error");
        pttReleaseFailed_ = true;
        setPtt(false);
        showPtt(false);
    }
}

void Station::unkeyAfterFailure() {
    // The failure path of a speaking operation: a failing unkey is left to the main timer's retry.
    try {
        UnkeyTransmitter();
    } catch (...) {
    }
}

void Station::retryPttRelease() {
    // An unkey that failed twice is retried on every main-timer tick until the node takes it.
    if (!pttReleaseFailed_ || !ELo_)
        return;
    try {
        setPtt(false);
        showPtt(false);
    } catch (...) {
    }
}

void Station::SpeakText(const std::string& text) {
    if (reportSleeping())
        return;
    try {
        waitWhileSpeaking();
        waitForQuietReceiver("TTS is Waiting");
        KeyTransmitter();
        speakAndWait("<xml>" + text + "</xml>");
        panel_.setPanel(4, "");
        UnkeyTransmitter();
        focusDummy();
    } catch (...) {
        unkeyAfterFailure();
        focusDummy();
    }
}

void Station::PlayFile(const std::string& path) {
    if (reportSleeping())
        return;
    try {
        waitWhileSpeaking();
        waitForQuietReceiver("TTS is Waiting");
        if (!DtmfLocked && path.find("wav") == std::string::npos && settings_.UsePreamble == 1) {
            BuildGreeting();
            speakAndWait(GreetingText);
        }
        handToVoice(path, kSpeakFileAsync);
        waitUntilDone(1000);
        // The engine may report "nothing started" for a moment after a file starts.
        const double grace = rt_.now() + kStartGraceSeconds;
        rt_.waitWhile([&] {
            const int first = runningState();
            const int second = runningState();
            if (first != kSpeaking && (second != kNothingStarted || rt_.now() >= grace))
                return false;
            panel_.setPanel(4, kSpeakingText);
            return true;
        });
        panel_.setPanel(4, "");
        focusDummy();
    } catch (...) {
        focusDummy();
    }
}

void Station::TransmitFile(const std::string& path) {
    if (reportSleeping())
        return;
    try {
        if (channelBusy())
            return;
    } catch (...) {
        return;
    }
    if (reportMissingFile(path))
        return;
    try {
        panel_.setPanel(1, FrontPanel::kRedLed);
        panel_.setEnabled("CMDTime", false);
        panel_.setEnabled("CMDFile", false);
        KeyTransmitter();
        PlayFile(path);
        UnkeyTransmitter();
    } catch (...) {
        unkeyAfterFailure();
        panel_.setPanel(1, FrontPanel::kGreenLed);
        panel_.setPanel(4, "ERROR Playing File!");
        panel_.setEnabled("CMDTime", true);
        panel_.setEnabled("CMDFile", true);
    }
}

std::string Station::SpellCall(const std::string& call) const {
    return settings_.VoiceTypeAtt != 0 ? ATTCall(call) : TTSSpell(call);
}

void Station::CheckPTTControl() {
    try {
        if (link().sysopPttControl() == 2) {
            panel_.setChecked("FanRTS", false);
            panel_.setEnabled("FanRTS", false);
        } else {
            panel_.setEnabled("FanRTS", true);
        }
        if (link().sysopPttControl() == 3) {
            panel_.setChecked("FanDTR", false);
            panel_.setEnabled("FanDTR", false);
        } else {
            panel_.setEnabled("FanDTR", true);
        }
    } catch (...) {
    }
}

void Station::SilenceVoice() {
    try {
        if (voice_)
            voice_->speak("", kSpeakPurge);
    } catch (...) {
    }
    focusDummy();
}

void Station::tVoiceAbort_Timer() {
    if (DtmfAbortRequest != "A")
        return;
    panel_.setPanel(2, "DTMF: A");
    DtmfAbortRequest.clear();
    voice_->speak("", kSpeakPurge);
    UnkeyTransmitter();
}

}  // namespace vox
