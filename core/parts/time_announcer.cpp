#include "core/parts/time_announcer.h"

#include <filesystem>

#include "core/base/guarded.h"
#include "core/parts/speech_output.h"
#include "core/parts/time_phrases.h"

namespace vox {

TimeAnnouncer::TimeAnnouncer(PartContext ctx, Timer& main, Timer& time, ControlRegistry& controls)
    : ctx_(std::move(ctx)), controls_(controls) {
    main.setOnTick([this] { tMain_Timer(); });
    time.setOnTick([this] { tTime_Timer(); });
    controls.on(Control::CMDTime, [this] { CMDTime_Click(); });
    controls.on(Control::CMDFile, [this] { CMDFile_Click(); });
}

void TimeAnnouncer::CMDTime_Click() {
    SpeakTime();
    ctx_.focus();
}

void TimeAnnouncer::CMDFile_Click() {
    ctx_.speech.TransmitFile(ctx_.settings.InfoFilePath);
    ctx_.focus();
}

void TimeAnnouncer::BuildGreeting() {
    ctx_.state.GreetingText = greetingFor(ctx_.rt.localNow(), ctx_.settings.VoiceTypeAtt);
}

void TimeAnnouncer::SpeakTime() {
    SpeechOutput& speech = ctx_.speech;
    if (speech.reportSleeping())
        return;
    const Settings& s = ctx_.settings;
    try {
        const std::string phrase = timePhrase(ctx_.rt.localNow(), s.TtsTime24);
        speech.KeyTransmitter();
        if (s.UsePreamble == 1)
            BuildGreeting();
        speech.speakAndWait(s.UsePreamble == 1 ? ctx_.state.GreetingText + " " + phrase : phrase);
        ctx_.panel.setPanel(StatusPanel::Speech, "");
        if (s.CwIdAfterTime == 1) {
            const std::string id = ctx_.folder.findCaseInsensitive("\\wav\\id.wav");
            if (isRegularFile(id))
                speech.PlayFile(id);
        }
        if (s.VoiceIdAfterTime == 1)
            speech.SpeakText("This is " + s.WxNodeCall);
        speech.UnkeyTransmitter();
        ctx_.focus();
    } catch (...) {
        speech.unkeyAfterFailure();
        ctx_.focus();
    }
}

void TimeAnnouncer::tMain_Timer() {
    SpeechOutput& speech = ctx_.speech;
    FrontPanel& panel = ctx_.panel;
    speech.retryPttRelease();
    if (!ctx_.node.present())
        return;
    if (speech.channelBusy()) {
        panel.setPanel(StatusPanel::Activity, FrontPanel::kRedLed);
        panel.setEnabled(Control::CMDTime, false);
        panel.setEnabled(Control::CMDFile, false);
        panel.setEnabled(Control::cbRecordPlayback, false);
        return;
    }
    panel.setPanel(StatusPanel::Activity, FrontPanel::kGreenLed);
    panel.setEnabled(Control::CMDTime, true);
    panel.setEnabled(Control::CMDFile, true);
    if (!ctx_.state.RecordingActive)
        panel.setEnabled(Control::cbRecordPlayback, true);

    struct Slot {
        int minute;
        const char* timeBox;
        const char* fileBox;
    };
    static const Slot kSlots[] = {{0, Control::cbHour, Control::cbFileHour},
                                  {30, Control::cbHalfHour, Control::cbFileHalfHour},
                                  {15, Control::cbQuarterHour, Control::cbFileQuarterHour},
                                  {45, Control::cbQuarterHour, Control::cbFileQuarterHour}};
    for (const auto& slot : kSlots) {
        const LocalTime now = ctx_.rt.localNow();
        if (now.minute != slot.minute || now.second != 0)
            continue;
        // A transmission shorter than a tick leaves the channel free for the second tick of
        // second 0: the minute has had its turn.
        const std::int64_t minute = toCalendarMs(now) / 60000;
        if (minute == lastScheduledMinute_)
            continue;
        lastScheduledMinute_ = minute;
        if (panel.checked(slot.timeBox))
            controls_.press(Control::CMDTime);
        if (panel.checked(slot.fileBox))
            controls_.press(Control::CMDFile);
    }
}

void TimeAnnouncer::tTime_Timer() {
    // A tick before the status bar exists changes nothing.
    if (!ctx_.state.StatusBarCreated)
        return;
    guarded("clock panels", [&] {
        ctx_.panel.setPanel(StatusPanel::Clock, formatHhMmSs(ctx_.rt.localNow()));
        if (ctx_.node.present())
            ctx_.panel.setPanel(StatusPanel::Connected,
                                std::to_string(ctx_.node.link().connectedCount()));
    });
}

}  // namespace vox
