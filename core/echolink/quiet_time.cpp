#include "core/echolink/quiet_time.h"

#include "core/base/guarded.h"
#include "core/base/local_time.h"
#include "core/base/node_capabilities.h"
#include "core/base/time_window.h"
#include "core/parts/controls.h"
#include "core/parts/speech_output.h"

namespace vox {

namespace {
constexpr int kWarningSeconds = 60;
}  // namespace

QuietTime::QuietTime(PartContext ctx, Timer& quietTime, QuietTimePeers& peers)
    : ctx_(std::move(ctx)), peers_(peers) {
    quietTime.setOnTick([this] { tQuietTime_Timer(); });
}

void QuietTime::tQuietTime_Timer() {
    guarded("quiet time", [&] {
        const Settings& s = ctx_.settings;
        if (s.QuietStart.empty() || s.QuietStop.empty()) {
            ctx_.state.TTSSleeping = false;
            // Quiet hours cleared while quiet time held the station: give it back.
            if (asleep_)
                leaveQuiet();
            return;
        }
        const bool wasQuiet = ctx_.state.TTSSleeping;
        const bool quiet = inTimeWindow(formatHhMm(ctx_.rt.localNow()), s.QuietStart, s.QuietStop);
        if (quiet)
            ctx_.panel.setPanel(StatusPanel::Speech, "TTS is Sleeping!");
        ctx_.state.TTSSleeping = quiet;
        if (quiet && !wasQuiet)
            enterQuiet();
        // The sleep toggle may have woken speech inside the window: the station is still ours
        // to wake.
        else if (!quiet && (wasQuiet || asleep_))
            leaveQuiet();
    });
}

void QuietTime::waitWhileStationTalks() {
    NodeLink& link = ctx_.node.link();
    ctx_.rt.waitWhile([&] { return link.isRemoteAudio(); });
}

void QuietTime::enterQuiet() {
    asleep_ = true;
    waitWhileStationTalks();
    // The warning goes out although speech is about to sleep; sleep is back on before anything
    // else could speak.
    ctx_.state.TTSSleeping = false;
    try {
        ctx_.speech.SpeakText("Voxclock will go into sleep mode in 1 minute! This is " +
                              ctx_.settings.WxNodeCall);
    } catch (...) {
        ctx_.state.TTSSleeping = true;
        throw;
    }
    ctx_.state.TTSSleeping = true;
    ctx_.rt.waitSeconds(kWarningSeconds);
    std::string text = "Quiet Time START.";
    if (ctx_.settings.NodeOffIfQuiet == 1) {
        // Ours to switch on again, even if the node refuses this.
        nodeOff_ = true;
        vox::setNodeEnabled(ctx_.node.link(), false);
        text = "Quiet Time START - EchoLink disabled.";
    }
    ctx_.log.LogEvent(text);
    peers_.reloadNodeButtons();
}

void QuietTime::leaveQuiet() {
    waitWhileStationTalks();
    ctx_.speech.SpeakText("Voxclock is now Awake! This is " + ctx_.settings.WxNodeCall);
    std::string text = "Quiet Time STOP.";
    // The node that quiet time switched off, whatever the setting says now.
    if (nodeOff_) {
        vox::setNodeEnabled(ctx_.node.link(), true);
        nodeOff_ = false;
        text = "Quiet Time STOP  - EchoLink enabled.";
    }
    asleep_ = false;
    ctx_.log.LogEvent(text);
    ctx_.panel.setPanel(StatusPanel::Speech, "TTS is Awake!");
}

}  // namespace vox
