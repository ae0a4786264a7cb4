#include "core/dtmf/dtmf_dispatcher.h"

#include "core/base/node_capabilities.h"

#include <functional>

#include "core/base/guarded.h"
#include "core/dtmf/dtmf_codes.h"
#include "core/parts/controls.h"
#include "core/parts/speech_output.h"

namespace vox {

namespace {

constexpr const char* kSilence = "<silence msec=\"250\"/>";

bool startsEnds(const std::string& cmd, const char* prefix) {
    return cmd.size() == 4 && cmd.compare(0, 2, prefix) == 0 && cmd[3] == '*';
}

}  // namespace

DtmfDispatcher::DtmfDispatcher(PartContext ctx, Timer& incoming, Timer& display, DtmfPeers& peers)
    : ctx_(std::move(ctx)), display_(display), peers_(peers) {
    incoming.setOnTick([this] { tDTMFInComing_Timer(); });
    incoming.setIdleWhen([this] { return pending_.empty(); });
    display_.setOnTick([this] { tDTMF_Timer(); });
}

void DtmfDispatcher::ELo_DTMFString(const std::string& digits) {
    // Only record: the poll dispatches the newest string once the current command is done.
    if (digits == "A")
        ctx_.state.DtmfAbortRequest = "A";
    else
        pending_ = digits;
}

void DtmfDispatcher::tDTMFInComing_Timer() {
    // A copy: the dispatch clears the pending string, and a newer one may arrive while it runs.
    const std::string cmd = pending_;
    if (!cmd.empty())
        DispatchDtmfCommand(cmd);
}

void DtmfDispatcher::tDTMF_Timer() {
    ctx_.panel.setPanel(StatusPanel::Dtmf, "DTMF: ");
    display_.setEnabled(false);
}

std::string DtmfDispatcher::appFile(const std::string& name) const {
    return ctx_.folder.findCaseInsensitive("\\" + name);
}

bool DtmfDispatcher::isNodeCode(const std::string& cmd) {
    peers_.refreshNodeCodes();
    return isNodeDtmfCode(cmd, ctx_.state.EchoLinkDtmfCodes);
}

void DtmfDispatcher::transmitTextFile(const std::string& path) {
    // A file that is not there keys nothing: a dead carrier answers nobody.
    if (ctx_.speech.reportMissingFile(path))
        return;
    ctx_.speech.KeyTransmitter();
    ctx_.speech.PlayFile(path);
    ctx_.speech.UnkeyTransmitter();
}

void DtmfDispatcher::DispatchDtmfCommand(const std::string& cmd) {
    pending_.clear();
    ctx_.panel.setPanel(StatusPanel::Dtmf, "DTMF: " + cmd);
    display_.setEnabled(true);
    try {
        ctx_.rt.waitWhile([&] { return ctx_.node.link().isReceiving(); });
        const Settings& s = ctx_.settings;

        if (!s.DtmfNodeQuietToggle.empty() && cmd == s.DtmfNodeQuietToggle) {
            DtmfSleep = !DtmfSleep;
            peers_.quietTimeRunning(!DtmfSleep);
            ctx_.state.TTSSleeping = DtmfSleep;
            return;
        }
        if (ctx_.state.TTSSleeping) {
            ctx_.panel.setPanel(StatusPanel::Speech, "TTS is Sleeping!");
            return;
        }
        if (!s.DtmfLock.empty() && cmd == s.DtmfLock) {
            ctx_.state.DtmfLocked = !ctx_.state.DtmfLocked;
            peers_.speakTime();
            return;
        }
        if (ctx_.state.DtmfLocked) {
            if (isNodeCode(cmd))
                return;
            const std::string locked = appFile("DTMFLocked.txt");
            if (isRegularFile(locked))
                transmitTextFile(locked);
            return;
        }
        if (s.AllowRsgb == 1 && startsEnds(cmd, "*6")) {
            peers_.speakBulletin(cmd.substr(1, 2));
            return;
        }
        if (s.AllowInfo == 1 && startsEnds(cmd, "*7")) {
            const std::string info = appFile("info\\info" + cmd.substr(2, 1) + ".txt");
            if (isRegularFile(info))
                transmitTextFile(info);
            else
                ctx_.speech.SpeakText("Sorry, that file is not available.");
            return;
        }
        for (int i = 0; i < Control::kRemoteNodes; ++i) {
            const RemoteNode& node = s.RemoteNodes[static_cast<std::size_t>(i)];
            if (!node.Node.empty() && node.Dtmf == cmd) {
                peers_.remoteNode(i);
                return;
            }
        }
        if (codeChain(cmd))
            return;

        if (isNodeCode(cmd)) {
            ctx_.panel.setPanel(StatusPanel::Speech, "DTMF used by EchoLink");
            return;
        }
        // Longer strings that match nothing are node numbers and the like: no answer.
        const std::string error = appFile("DTMFError.txt");
        if (cmd.size() < 4 && isRegularFile(error)) {
            ctx_.speech.KeyTransmitter();
            // Locked only while the file plays: no greeting before the error text.
            struct LockWhilePlaying {
                bool& locked;
                explicit LockWhilePlaying(bool& l) : locked(l) { locked = true; }
                ~LockWhilePlaying() { locked = false; }
            } lock(ctx_.state.DtmfLocked);
            ctx_.speech.PlayFile(error);
            ctx_.speech.UnkeyTransmitter();
        }
    } catch (...) {
        // The command is abandoned; the transmitter is never left keyed.
        if (ctx_.speech.pttHeld())
            ctx_.speech.unkeyAfterFailure();
    }
}

bool DtmfDispatcher::codeChain(const std::string& cmd) {
    const Settings& s = ctx_.settings;
    SpeechOutput& speech = ctx_.speech;
    FrontPanel& panel = ctx_.panel;
    auto toggle = [&](const char* box, const char* nowOn, const char* nowOff) {
        const bool wasChecked = panel.checked(box);
        panel.setChecked(box, !wasChecked);
        speech.SpeakText(wasChecked ? nowOn : nowOff);
    };
    struct Entry {
        std::string code;
        std::function<void()> action;
    };
    // The order settles codes that two commands share ("33*" is both warnings and playback).
    const Entry chain[] = {
        {s.DtmfWxWarn, [&] { peers_.announceWeatherAlerts(false); }},
        {"*99*",
         [&] {
             if (s.AllowWwv == 1)
                 peers_.speakWwvReport();
         }},
        {s.DtmfLocalWx,
         [&] {
             if (s.WxStationType == 1)
                 peers_.readFreeWxShort(true);
             else
                 peers_.speakLocalWx();
         }},
        {s.DtmfTextToggle,
         [&] {
             toggle(Control::cbNoText, "Text messages are ON.",
                    "Text messages have been turned off.");
         }},
        {s.DtmfSpeedDial, [&] { peers_.speakSpeedDial(); }},
        {s.DtmfAutoToggle,
         [&] {
             toggle(Control::cbAutoOverride, "Auto Connects are ON.",
                    "Auto Connects have been turned off.");
         }},
        {s.DtmfBusyToggle,
         [&] {
             NodeLink& link = ctx_.node.link();
             const bool busy = nodeBusy(link);
             setNodeBusy(link, !busy);
             speech.SpeakText(busy ? "Node status has been set to not busy."
                                   : "Node status has been set to busy.");
         }},
        {s.DtmfConnList, [&] { speakNodeStatus(); }},
        {s.DtmfPlayTime, [&] { peers_.speakTime(); }},
        {s.DtmfPlayFile, [&] { peers_.transmitInfoFile(); }},
        {s.DtmfPlayHelp, [&] { transmitTextFile(appFile("help.txt")); }},
        {s.DtmfWx,
         [&] {
             if (s.WxStationType == 1)
                 peers_.readFreeWxFull(true);
             else
                 transmitTextFile(appFile("wx.txt"));
         }},
        {s.DtmfWxForecast, [&] { transmitTextFile(appFile("wxfc.txt")); }},
        {s.DtmfRecordStart,
         [&] {
             if (!peers_.startRecording()) {
                 ctx_.panel.setPanel(StatusPanel::Speech, "Recording is not available");
                 speech.SpeakText("Recording is not available on this node.");
             } else {
                 speech.SpeakText("Recording is on.");
             }
         }},
        {s.DtmfRecordStop,
         [&] {
             peers_.stopRecording();
             speech.SpeakText("Recording is off.");
         }},
        {s.DtmfRecordPlayback, [&] { peers_.playRecording(); }},
    };
    for (const Entry& entry : chain) {
        if (!entry.code.empty() && entry.code == cmd) {
            entry.action();
            return true;
        }
    }
    return false;
}

void DtmfDispatcher::speakNodeStatus() {
    NodeLink& link = ctx_.node.link();
    const long n = link.connectedCount();
    std::string text = n == 0   ? "There are no nodes connected."
                       : n == 1 ? "There is 1 node connected."
                                : "There are " + std::to_string(n) + " nodes connected.";
    if (n > 0) {
        for (const RemoteNode& node : ctx_.settings.RemoteNodes) {
            if (node.Node.empty() || !link.isConnected(node.Node))
                continue;
            const std::size_t dash = node.Node.find('-');
            if (dash == std::string::npos) {
                text += " " + ctx_.speech.SpellCall(node.Node);
                continue;
            }
            text += " " + ctx_.speech.SpellCall(node.Node.substr(0, dash));
            const char last = node.Node.back();
            if (last == 'L')
                text += " Link, ";
            else if (last == 'R')
                text += " Repeater, ";
        }
    }
    text += std::string(kSilence) + (ctx_.panel.checked(Control::cbAutoOverride)
                                         ? " Auto Connects are off."
                                         : " Auto Connects are on.");
    text += std::string(kSilence) +
            (nodeBusy(link) ? " Node status is busy." : " Node status is not busy.");
    ctx_.speech.SpeakText(text);
}

}  // namespace vox
