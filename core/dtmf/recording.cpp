#include "core/dtmf/recording.h"

#include "core/base/node_capabilities.h"

#include <cstdio>

#include "core/base/guarded.h"
#include "core/parts/controls.h"
#include "core/parts/speech_output.h"

namespace vox {

namespace {

std::string recordingName(const LocalTime& t) {
    char name[40];
    std::snprintf(name, sizeof name, "QSO_%04d_%02d_%02d_%02d%02d%02d.wav", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return name;
}

}  // namespace

Recording::Recording(PartContext ctx, Timer& record, ControlRegistry& controls,
                     std::function<void(int mode)> setRecordingMode)
    : ctx_(std::move(ctx)),
      record_(record),
      controls_(controls),
      setRecordingMode_(std::move(setRecordingMode)) {
    record_.setOnTick([this] { tRecord_Timer(); });
    controls.on(Control::cbRecordStart, [this] { cbRecordStart_Click(); });
    controls.on(Control::cbRecordStop, [this] { cbRecordStop_Click(); });
    controls.on(Control::cbRecordPlayback, [this] { cbRecordPlayback_Click(); });
}

void Recording::cbRecordStart_Click() {
    ctx_.state.RecordingActive = true;
    ctx_.panel.setEnabled(Control::cbRecordPlayback, false);
    ctx_.panel.setPanel(StatusPanel::Speech, "Recording");
    // A node that refuses ends the start here; a DTMF request then says so.
    startRefused_ = !guarded("start recording", [&] {
        setRecordingMode_(2);
        vox::startRecording(ctx_.node.link());
        RecordFileName = recordingName(ctx_.rt.localNow());
        RecordMinutes = 0;
        // A new recording counts its minutes from now, not from the one before.
        record_.setEnabled(false);
        record_.setEnabled(true);
    });
    ctx_.focus();
}

void Recording::cbRecordStop_Click() {
    ctx_.panel.setEnabled(Control::cbRecordPlayback, true);
    ctx_.state.RecordingActive = false;
    ctx_.panel.setPanel(StatusPanel::Speech, "");
    guarded("stop recording", [&] {
        vox::stopRecording(ctx_.node.link());
        setRecordingMode_(0);
    });
    // Our own count stops even when the node refused: no time-out for a recording that is over.
    RecordMinutes = 0;
    record_.setEnabled(false);
    ctx_.focus();
}

std::string Recording::playbackPath() const {
    const std::string& dir = ctx_.state.SoundFilesDir;
    if (!dir.empty() && (dir.back() == '/' || dir.back() == '\\'))
        return dir + RecordFileName;
    return dir + "/" + RecordFileName;
}

void Recording::cbRecordPlayback_Click() {
    if (ctx_.state.TTSSleeping) {
        ctx_.panel.setPanel(StatusPanel::Speech, "TTS is Sleeping!");
    } else {
        // The node plays the file over the link and keys its own transmitter.
        guarded("play the recording", [&] { vox::playAudio(ctx_.node.link(), playbackPath()); });
    }
    ctx_.focus();
}

void Recording::tRecord_Timer() {
    ++RecordMinutes;
    ctx_.panel.setPanel(StatusPanel::Speech, "Recording " + std::to_string(RecordMinutes) + " of " +
                                                 std::to_string(ctx_.settings.RecordMax));
    if (RecordMinutes >= ctx_.settings.RecordMax) {
        ctx_.speech.SpeakText("Recording timed out, and is now off.");
        controls_.press(Control::cbRecordStop);
    }
}

}  // namespace vox
