#include "core/parts/speech_output.h"

#include "core/base/node_capabilities.h"

#include <filesystem>

#include "core/base/guarded.h"
#include "core/parts/call_spelling.h"
#include "core/parts/controls.h"
#include "core/parts/time_phrases.h"

namespace vox {

namespace {
constexpr const char* kSpeakingText = "TTS is Speaking";
constexpr const char* kSleeping = "TTS is Sleeping!";
// How long a file may report "nothing started" before we stop waiting for it.
constexpr double kStartGraceSeconds = 2.0;
// A missing file to transmit is logged again after this long (the schedule may try every 15 min).
constexpr double kMissingFileLogSeconds = 3600.0;
}  // namespace

SpeechOutput::SpeechOutput(Context ctx, Timer& voiceAbort) : ctx_(std::move(ctx)) {
    voiceAbort.setOnTick([this] { tVoiceAbort_Timer(); });
    voiceAbort.setIdleWhen([this] { return ctx_.state.DtmfAbortRequest != "A"; });
}

std::string SpeechOutput::prepared(const std::string& relative) const {
    return ctx_.folder.findCaseInsensitive(relative);
}

int SpeechOutput::runningState() {
    if (!voice_)
        throw VoiceError("no voice");
    return voice_->runningState();
}

void SpeechOutput::waitWhileSpeaking() {
    if (runningState() != kSpeaking)
        return;
    ctx_.panel.setPanel(StatusPanel::Speech, kSpeakingText);
    ctx_.rt.waitWhile([this] { return runningState() == kSpeaking; });
}

bool SpeechOutput::reportSleeping() {
    if (ctx_.state.TTSSleeping)
        ctx_.panel.setPanel(StatusPanel::Speech, kSleeping);
    return ctx_.state.TTSSleeping;
}

void SpeechOutput::speakAndWait(const std::string& text) {
    handToVoice(text, kSpeakAsync);
    waitUntilDone(1000);
    waitWhileSpeaking();
}

void SpeechOutput::handToVoice(const std::string& text, int flags) {
    // Shutdown releases PTT as soon as the waits have ended; audio queued now would go out unkeyed.
    if (ctx_.rt.quitRequested())
        throw VoiceError("quitting");
    if (!voice_)
        throw VoiceError("no voice");
    voice_->speak(text, flags);
}

void SpeechOutput::silenceIfQuitting() {
    if (ctx_.rt.quitRequested() && voice_ && voice_->runningState() == kSpeaking)
        voice_->speak("", kSpeakPurge);
}

bool SpeechOutput::reportMissingFile(const std::string& path) {
    if (!path.empty() && isRegularFile(path))
        return false;
    ctx_.panel.setPanel(StatusPanel::Speech, "ERROR Playing File!");
    // Only paths logged within the last hour are kept.
    const double now = ctx_.rt.now();
    std::erase_if(missingFileLogged_,
                  [&](const auto& entry) { return now - entry.second >= kMissingFileLogSeconds; });
    if (missingFileLogged_.emplace(path, now).second)
        ctx_.log.LogEvent(path.empty() ? "No info file chosen" : "Info file not found: " + path);
    return true;
}

void SpeechOutput::waitUntilDone(int ms) {
    const double deadline = ctx_.rt.now() + ms / 1000.0;
    ctx_.rt.waitWhile([&] { return runningState() == kSpeaking && ctx_.rt.now() < deadline; });
}

void SpeechOutput::waitForQuietReceiver(const char* status) {
    // Called while keyed (the burst, the beep, an identification after the time): go on at once,
    // or a user keying up or a stuck carrier would hold our transmitter for as long as it lasts.
    if (pttHeld_)
        return;
    ctx_.rt.waitWhile([&] {
        if (!ctx_.node.link().isReceiving())
            return false;
        if (status)
            ctx_.panel.setPanel(StatusPanel::Speech, status);
        return true;
    });
}

void SpeechOutput::setPtt(bool on) {
    ctx_.node.link().setPtt(on);
    if (ctx_.air)
        ctx_.air->record("ptt", {{"on", on}});
    pttHeld_ = on;
    if (!on)
        pttReleaseFailed_ = false;
    if (onPttChanged)
        onPttChanged(on);
}

void SpeechOutput::forcePttOff() {
    timedOut_ = true;
    guarded("silence at the transmit time-out", [&] {
        if (voice_)
            voice_->speak("", kSpeakPurge);
    });
    // A node that refuses is asked again on every main-timer tick.
    if (!guarded("PTT off at the transmit time-out", [&] { setPtt(false); }))
        pttReleaseFailed_ = true;
    guarded("PTT shown off", [&] { showPtt(false); });
}

void SpeechOutput::showPtt(bool on) {
    ctx_.panel.setCaption(Control::lblPTT, on ? "ON" : "OFF");
    if (voice_)
        voice_->transmitterKeyed(on);
}

void SpeechOutput::KeyTransmitter() {
    // Never key once the program is on its way out.
    if (ctx_.rt.quitRequested())
        throw NodeError("Voxclock", "shutting down");
    ctx_.state.FanSeconds = 0;
    timedOut_ = false;
    setPtt(true);
    showPtt(true);
    ctx_.rt.killTime(ctx_.settings.TxDelaySeconds);
    if (ctx_.settings.ToneBurst == 1) {
        const std::string burst = prepared("\\wav\\burst.wav");
        if (isRegularFile(burst))
            PlayFile(burst);
    }
}

void SpeechOutput::UnkeyTransmitter() {
    try {
        waitWhileSpeaking();
        silenceIfQuitting();
        // The beep goes out while keyed; after an inner transmission has already unkeyed (the
        // identification spoken after the time) it would only wait for the channel, off the air.
        if (!ctx_.state.gSamIsTalking && pttHeld_) {
            const std::string beep = prepared("\\wav\\beep.wav");
            if (isRegularFile(beep))
                PlayFile(beep);
        }
        ctx_.state.gSamIsTalking = false;
        ctx_.rt.killTime(ctx_.settings.TxDelaySeconds);
        if (!timedOut_)
            ctx_.panel.setPanel(StatusPanel::Speech, "");
        setPtt(false);
        showPtt(false);
    } catch (...) {
        ctx_.panel.setPanel(StatusPanel::Speech, "PTT OFF Error");
        pttReleaseFailed_ = true;
        setPtt(false);
        showPtt(false);
    }
}

void SpeechOutput::unkeyAfterFailure() {
    guarded("unkey after a failure", [&] { UnkeyTransmitter(); });
}

void SpeechOutput::retryPttRelease() {
    if (!pttReleaseFailed_ || !ctx_.node.present())
        return;
    guarded("PTT release retry", [&] {
        setPtt(false);
        showPtt(false);
    });
}

void SpeechOutput::releasePttAtShutdown() {
    // Nothing may go on the air once PTT is released.
    guarded("silence at shutdown", [&] { silenceIfQuitting(); });
    // A transmitter left keyed is the one failure a node owner cannot afford: try more than once.
    for (int attempt = 0; attempt < 3 && ctx_.node.present(); ++attempt)
        if (guarded("PTT off at shutdown", [&] { setPtt(false); }))
            break;
    guarded("PTT shown off", [&] { showPtt(false); });
}

void SpeechOutput::SpeakText(const std::string& text) {
    if (reportSleeping())
        return;
    try {
        waitWhileSpeaking();
        waitForQuietReceiver("TTS is Waiting");
        KeyTransmitter();
        speakAndWait("<xml>" + text + "</xml>");
        ctx_.panel.setPanel(StatusPanel::Speech, "");
        UnkeyTransmitter();
        focus();
    } catch (const WaitAborted&) {
        // The transmit time-out: the work this text belongs to fails as a whole.
        unkeyAfterFailure();
        focus();
        throw;
    } catch (...) {
        unkeyAfterFailure();
        focus();
    }
}

void SpeechOutput::PlayFile(const std::string& path) {
    if (reportSleeping())
        return;
    try {
        waitWhileSpeaking();
        waitForQuietReceiver("TTS is Waiting");
        if (!ctx_.state.DtmfLocked && path.find("wav") == std::string::npos &&
            ctx_.settings.UsePreamble == 1) {
            ctx_.state.GreetingText = greetingFor(ctx_.rt.localNow(), ctx_.settings.VoiceTypeAtt);
            speakAndWait(ctx_.state.GreetingText);
        }
        handToVoice(path, kSpeakFileAsync);
        waitUntilDone(1000);
        // The engine may report "nothing started" for a moment after a file starts.
        const double grace = ctx_.rt.now() + kStartGraceSeconds;
        ctx_.rt.waitWhile([&] {
            const int first = runningState();
            const int second = runningState();
            if (first != kSpeaking && (second != kNothingStarted || ctx_.rt.now() >= grace))
                return false;
            ctx_.panel.setPanel(StatusPanel::Speech, kSpeakingText);
            return true;
        });
        ctx_.panel.setPanel(StatusPanel::Speech, "");
        focus();
    } catch (const WaitAborted&) {
        focus();
        throw;
    } catch (...) {
        focus();
    }
}

void SpeechOutput::TransmitFile(const std::string& path) {
    if (reportSleeping())
        return;
    bool busy = true;
    if (!guarded("channel check", [&] { busy = channelBusy(); }) || busy)
        return;
    if (reportMissingFile(path))
        return;
    try {
        ctx_.panel.setPanel(StatusPanel::Activity, FrontPanel::kRedLed);
        ctx_.panel.setEnabled(Control::CMDTime, false);
        ctx_.panel.setEnabled(Control::CMDFile, false);
        KeyTransmitter();
        PlayFile(path);
        UnkeyTransmitter();
    } catch (...) {
        unkeyAfterFailure();
        ctx_.panel.setPanel(StatusPanel::Activity, FrontPanel::kGreenLed);
        if (!timedOut_)
            ctx_.panel.setPanel(StatusPanel::Speech, "ERROR Playing File!");
        ctx_.panel.setEnabled(Control::CMDTime, true);
        ctx_.panel.setEnabled(Control::CMDFile, true);
    }
}

std::string SpeechOutput::SpellCall(const std::string& call) const {
    return ctx_.settings.VoiceTypeAtt != 0 ? ATTCall(call) : TTSSpell(call);
}

void SpeechOutput::CheckPTTControl() {
    guarded("PTT control check", [&] {
        NodeLink& link = ctx_.node.link();
        if (vox::sysopPttControl(link) == 2) {
            ctx_.panel.setChecked(Control::FanRTS, false);
            ctx_.panel.setEnabled(Control::FanRTS, false);
        } else {
            ctx_.panel.setEnabled(Control::FanRTS, true);
        }
        if (vox::sysopPttControl(link) == 3) {
            ctx_.panel.setChecked(Control::FanDTR, false);
            ctx_.panel.setEnabled(Control::FanDTR, false);
        } else {
            ctx_.panel.setEnabled(Control::FanDTR, true);
        }
    });
}

void SpeechOutput::SilenceVoice() {
    guarded("silence the voice", [&] {
        if (voice_)
            voice_->speak("", kSpeakPurge);
    });
    focus();
}

bool SpeechOutput::channelBusy() {
    NodeLink& link = ctx_.node.link();
    return link.isTransmitting() || link.isRemoteAudio() || link.isReceiving();
}

void SpeechOutput::tVoiceAbort_Timer() {
    if (ctx_.state.DtmfAbortRequest != "A")
        return;
    ctx_.panel.setPanel(StatusPanel::Dtmf, "DTMF: A");
    ctx_.state.DtmfAbortRequest.clear();
    voice_->speak("", kSpeakPurge);
    UnkeyTransmitter();
}

}  // namespace vox
