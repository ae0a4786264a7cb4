#include "app/station.h"

#include <stdexcept>

namespace vox {

Station::Station(StationPorts ports, WindowHooks hooks)
    : rt_(ports.runtime),
      folder_(std::move(ports.folder)),
      nodes_(ports.nodes),
      ui_(ports.ui),
      airLog_(ports.airLog),
      createVoice_(std::move(ports.createVoice)),
      hooks_(std::move(hooks)),
      cwid_(ports.cwid),
      settingsFile_(folder_.path("\\voxclock.ini"), std::move(ports.settingsWriter)),
      eventLog_(folder_, rt_.clock()),
      timers_(rt_),
      speech_({rt_, folder_, settings_, panel_, state_, node_, eventLog_, [this] { focusDummy(); }},
              timers_[TimerName::tVoiceAbort]),
      announcer_(context(), timers_[TimerName::tMain], timers_[TimerName::tTime], controls_),
      identification_(context(), timers_[TimerName::tID], timers_[TimerName::tRadioBusyID],
                      controls_),
      remoteNodes_(context(), controls_),
      connections_(context(), timers_[TimerName::tConnections], timers_[TimerName::tChatText]),
      monitors_(context(), timers_[TimerName::tStationList], timers_[TimerName::tActivity],
                timers_[TimerName::tBusy],
                [this] {
                    if (!setupConfig_)
                        throw NodeError("EchoLink", "The node is not there");
                    return setupConfig_->callsign();
                }),
      autoConnect_(context(), timers_[TimerName::tAutoConnect]),
      quietTime_(context(), timers_[TimerName::tQuietTime],
                 [this] { remoteNodes_.LoadNodeButtons(); }) {
    panel_.bindSettings(&settings_);
    timers_[TimerName::tLabelUpdate].setOnTick([] {});
    controls_.on(Control::lblTwo, [this] { speech_.SilenceVoice(); });
    controls_.on(Control::Command2, [this] {
        // The weather refresh; it cannot be pressed again while it runs.
        panel_.setEnabled(Control::Command2, false);
        focusDummy();
        panel_.setEnabled(Control::Command2, true);
    });
    // tTime is the one timer that exists enabled; start-up disables it with the others.
    timers_[TimerName::tTime].setEnabled(true);

    eventLog_.onLine = [this](const std::string& text) { airLog_.record("log", {{"text", text}}); };
    panelListener_ = panel_.subscribe([this](const FrontPanel::Change& change) {
        using Kind = FrontPanel::Change::Kind;
        // The clock panel changes every second and every record carries its time already.
        if (change.kind == Kind::Panel && change.panel != static_cast<int>(StatusPanel::Clock))
            airLog_.record("status", {{"panel", static_cast<long long>(change.panel)},
                                      {"text", panel_.panel(change.panel)}});
        // What the owner sees of the remote nodes, and the two boxes that change what goes out.
        if (change.kind == Kind::Caption && change.control.rfind("cmdRemoteNode", 0) == 0)
            airLog_.record("control",
                           {{"name", change.control}, {"caption", panel_.caption(change.control)}});
        if (change.kind == Kind::Checked &&
            (change.control == Control::cbNoText || change.control == Control::cbAutoOverride))
            airLog_.record("control",
                           {{"name", change.control}, {"checked", panel_.checked(change.control)}});
    });
}

Station::~Station() {
    panel_.unsubscribe(panelListener_);
}

PartContext Station::context() {
    return PartContext{rt_,    folder_, settings_,
                       panel_, state_,  eventLog_,
                       node_,  speech_, [this] { focusDummy(); }};
}

Timer& Station::timer(const std::string& name) {
    return timers_[name];
}

void Station::message(MessageIcon icon, const std::string& title, const std::string& text) {
    airLog_.record("message", {{"text", text}});
    ui_.showMessage(icon, title, text);
}

void Station::focusDummy() {
    if (hooks_.focusDummy)
        hooks_.focusDummy();
}

void Station::press(const std::string& control) {
    // Check boxes and controls no part answers yet: their state is read where it is used.
    if (!controls_.press(control))
        focusDummy();
}

// --- Node events: only record what happened ---

void Station::onConnected(const std::string& call, const std::string&, const std::string&) {
    connections_.onConnected(call);
}

void Station::onDisconnected(const std::string& call) {
    connections_.onDisconnected(call);
}

void Station::onChatTextReceived(const std::string& text) {
    connections_.onChatTextReceived(text);
}

void Station::onStationListReceived() {
    monitors_.onStationListReceived();
}

void Station::onDtmfString(const std::string& digits) {
    if (digits == "A")
        state_.DtmfAbortRequest = "A";
    state_.PendingDtmf = digits;
}

void Station::onClosing() {
    // The node is going away: end the program, and release the node and the voice once this
    // event has returned (the node is still inside its own call).
    exitProgram();
    rt_.callAfter(0, [this] {
        node_.release();
        speech_.releaseVoice();
    });
}

}  // namespace vox
