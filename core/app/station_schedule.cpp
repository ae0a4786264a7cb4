// The time announcement, the identification and the timers that drive the routine work.
#include <filesystem>
#include <limits>

#include "app/station.h"
#include "app/time_phrases.h"

namespace vox {

namespace {
bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}
}  // namespace

void Station::BuildGreeting() {
    GreetingText = greetingFor(rt_.localNow(), settings_.VoiceTypeAtt);
}

void Station::SpeakTime() {
    if (reportSleeping())
        return;
    try {
        const std::string phrase = timePhrase(rt_.localNow(), settings_.TtsTime24);
        KeyTransmitter();
        if (settings_.UsePreamble == 1)
            BuildGreeting();
        speakAndWait(settings_.UsePreamble == 1 ? GreetingText + " " + phrase : phrase);
        panel_.setPanel(4, "");
        if (settings_.CwIdAfterTime == 1) {
            const std::string id = prepared("\\wav\\id.wav");
            if (fileExists(id))
                PlayFile(id);
        }
        if (settings_.VoiceIdAfterTime == 1)
            SpeakText("This is " + settings_.WxNodeCall);
        UnkeyTransmitter();
        focusDummy();
    } catch (...) {
        unkeyAfterFailure();
        focusDummy();
    }
}

void Station::SendStationId() {
    if (reportSleeping())
        return;
    try {
        panel_.setPanel(4, "Send CW ID");
        waitForQuietReceiver(nullptr);
        const std::string id = prepared("\\wav\\id.wav");
        if (fileExists(id)) {
            KeyTransmitter();
            PlayFile(id);
            gSamIsTalking = true;
            UnkeyTransmitter();
        }
        panel_.setPanel(4, "");
    } catch (...) {
        unkeyAfterFailure();
    }
}

void Station::tRadioBusyID_Timer() {
    try {
        if (!link().isReceiving()) {
            if (IdleSeconds < std::numeric_limits<std::int16_t>::max())
                ++IdleSeconds;
        } else {
            IdleSeconds = 0;
        }
        if (IdleSeconds > 600)
            IdleSeconds = 610;
    } catch (...) {
    }
}

void Station::tID_Timer() {
    // The count stops at its 16-bit limit instead of overflowing.
    if (IdMinuteCount < std::numeric_limits<std::int16_t>::max())
        ++IdMinuteCount;
    if (IdMinuteCount < settings_.CwIdMinutes || settings_.CwIdEnabled != 1)
        return;
    const int minute = rt_.localNow().minute;
    if (minute == 0 || minute == 15 || minute == 30 || minute == 45) {
        --IdMinuteCount;  // these minutes belong to the scheduled announcements
    } else if (settings_.CwIdPassive != 1) {
        IdMinuteCount = 0;
        SendStationId();
    } else if (IdleSeconds < 601) {
        IdMinuteCount = 0;
        SendStationId();
    } else {
        --IdMinuteCount;
    }
}

bool Station::channelBusy() {
    return link().isTransmitting() || link().isRemoteAudio() || link().isReceiving();
}

void Station::tMain_Timer() {
    retryPttRelease();
    if (!ELo_)
        return;
    if (channelBusy()) {
        panel_.setPanel(1, FrontPanel::kRedLed);
        panel_.setEnabled("CMDTime", false);
        panel_.setEnabled("CMDFile", false);
        panel_.setEnabled("cbRecordPlayback", false);
        return;
    }
    panel_.setPanel(1, FrontPanel::kGreenLed);
    panel_.setEnabled("CMDTime", true);
    panel_.setEnabled("CMDFile", true);
    if (!RecordingActive)
        panel_.setEnabled("cbRecordPlayback", true);

    struct Slot {
        int minute;
        const char* timeBox;
        const char* fileBox;
    };
    static const Slot kSlots[] = {{0, "cbHour", "cbFileHour"},
                                  {30, "cbHalfHour", "cbFileHalfHour"},
                                  {15, "cbQuarterHour", "cbFileQuarterHour"},
                                  {45, "cbQuarterHour", "cbFileQuarterHour"}};
    for (const auto& slot : kSlots) {
        const LocalTime now = rt_.localNow();
        if (now.minute != slot.minute || now.second != 0)
            continue;
        // A transmission shorter than a tick leaves the channel free for the second tick of
        // second 0: the minute has had its turn.
        const std::int64_t minute = toCalendarMs(now) / 60000;
        if (minute == lastScheduledMinute_)
            continue;
        lastScheduledMinute_ = minute;
        if (panel_.checked(slot.timeBox))
            press("CMDTime");
        if (panel_.checked(slot.fileBox))
            press("CMDFile");
    }
}

void Station::tTime_Timer() {
    // A tick before the status bar exists changes nothing.
    if (!statusBarCreated_)
        return;
    try {
        panel_.setPanel(5, formatHhMmSs(rt_.localNow()));
        if (ELo_)
            panel_.setPanel(3, std::to_string(link().connectedCount()));
    } catch (...) {
    }
}

}  // namespace vox
