#include "core/parts/identification.h"

#include <filesystem>
#include <limits>

#include "core/base/guarded.h"
#include "core/parts/speech_output.h"

namespace vox {

Identification::Identification(PartContext ctx, Timer& id, Timer& radioBusyId,
                               ControlRegistry& controls)
    : ctx_(std::move(ctx)) {
    id.setOnTick([this] { tID_Timer(); });
    radioBusyId.setOnTick([this] { tRadioBusyID_Timer(); });
    controls.on(Control::Command1, [this] {
        ctx_.focus();
        SendStationId();
    });
}

void Identification::SendStationId() {
    SpeechOutput& speech = ctx_.speech;
    if (speech.reportSleeping())
        return;
    try {
        ctx_.panel.setPanel(StatusPanel::Speech, "Send CW ID");
        speech.waitForQuietReceiver(nullptr);
        const std::string id = ctx_.folder.findCaseInsensitive("\\wav\\id.wav");
        if (isRegularFile(id)) {
            speech.KeyTransmitter();
            speech.PlayFile(id);
            ctx_.state.gSamIsTalking = true;
            speech.UnkeyTransmitter();
        }
        ctx_.panel.setPanel(StatusPanel::Speech, "");
    } catch (...) {
        speech.unkeyAfterFailure();
    }
}

void Identification::ensureIdFile(const std::string& nodeCall, const CwIdConf& conf) {
    std::string logLine, error;
    if (!ensureCwIdFile(ctx_.folder, nodeCall, conf, &logLine, &error))
        ctx_.log.LogEvent("No CW ID generated: " + error);
    else if (!logLine.empty())
        ctx_.log.LogEvent(logLine);
}

void Identification::tRadioBusyID_Timer() {
    guarded("receiver idle count", [&] {
        if (!ctx_.node.link().isReceiving()) {
            if (IdleSeconds < std::numeric_limits<std::int16_t>::max())
                ++IdleSeconds;
        } else {
            IdleSeconds = 0;
        }
        if (IdleSeconds > 600)
            IdleSeconds = 610;
    });
}

void Identification::tID_Timer() {
    // The count stops at its 16-bit limit instead of overflowing.
    if (IdMinuteCount < std::numeric_limits<std::int16_t>::max())
        ++IdMinuteCount;
    const Settings& s = ctx_.settings;
    if (IdMinuteCount < s.CwIdMinutes || s.CwIdEnabled != 1)
        return;
    const int minute = ctx_.rt.localNow().minute;
    if (minute == 0 || minute == 15 || minute == 30 || minute == 45) {
        --IdMinuteCount;  // these minutes belong to the scheduled announcements
    } else if (s.CwIdPassive != 1) {
        IdMinuteCount = 0;
        SendStationId();
    } else if (IdleSeconds < 601) {
        IdMinuteCount = 0;
        SendStationId();
    } else {
        --IdMinuteCount;
    }
}

}  // namespace vox
