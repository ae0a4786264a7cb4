#include "app/station.h"

#include <algorithm>
#include <filesystem>

namespace vox {

namespace {

// The main window's timers: name, interval (ms).
struct TimerSpec {
    const char* name;
    int intervalMs;
};
constexpr TimerSpec kTimers[] = {
    {"tMain", 500},          {"tTime", 1000},        {"tLabelUpdate", 30000},
    {"tRadioBusyID", 1000},  {"tID", 60000},         {"tVoiceAbort", 200},
    {"tAutoConnect", 60000}, {"tQuietTime", 30000},  {"tStationList", 60000},
    {"tConnections", 100},   {"tActivity", 60000},   {"tBusy", 60000},
    {"tChatText", 1000},     {"tDTMFInComing", 500}, {"tDTMF", 15000},
    {"tRecord", 60000},      {"tFanLogic", 1000},    {"tWxGet", 60000},
    {"tWxWarn", 60000},      {"tFreeWx", 60000},
};

}  // namespace

Station::Station(StationPorts ports, WindowHooks hooks)
    : rt_(ports.runtime),
      folder_(std::move(ports.folder)),
      nodes_(ports.nodes),
      ui_(ports.ui),
      store_(ports.store),
      airLog_(ports.airLog),
      createVoice_(std::move(ports.createVoice)),
      hooks_(std::move(hooks)),
      settingsFile_(folder_.path("\\voxclock.ini"), std::move(ports.settingsWriter)),
      eventLog_(folder_, rt_.clock()) {
    for (const auto& entry : kTimers)
        rt_.addTimer(entry.name, entry.intervalMs);
    timer("tMain").setOnTick([this] { tMain_Timer(); });
    timer("tTime").setOnTick([this] { tTime_Timer(); });
    timer("tLabelUpdate").setOnTick([] {});
    timer("tID").setOnTick([this] { tID_Timer(); });
    timer("tRadioBusyID").setOnTick([this] { tRadioBusyID_Timer(); });
    timer("tVoiceAbort").setOnTick([this] { tVoiceAbort_Timer(); });
    // tTime is the one timer that exists enabled; start-up disables it with the others.
    timer("tTime").setEnabled(true);

    eventLog_.onLine = [this](const std::string& text) { airLog_.record("log", {{"text", text}}); };
    panelListener_ = panel_.subscribe([this](const FrontPanel::Change& change) {
        // The clock panel changes every second and every record carries its time already.
        if (change.kind == FrontPanel::Change::Kind::Panel && change.panel != 5)
            airLog_.record("status", {{"panel", static_cast<long long>(change.panel)},
                                      {"text", panel_.panel(change.panel)}});
    });
}

Station::~Station() {
    panel_.unsubscribe(panelListener_);
}

Timer& Station::timer(const std::string& name) {
    Timer* t = rt_.findTimer(name);
    if (!t)
        throw std::logic_error("no timer " + name);
    return *t;
}

NodeLink& Station::link() {
    if (!ELo_)
        throw NodeError("EchoLink", "The node is not there");
    return *ELo_;
}

void Station::message(MessageIcon icon, const std::string& title, const std::string& text) {
    airLog_.record("message", {{"text", text}});
    ui_.showMessage(icon, title, text);
}

std::string Station::prepared(const std::string& relative) const {
    return folder_.findCaseInsensitive(relative);
}

void Station::focusDummy() {
    if (hooks_.focusDummy)
        hooks_.focusDummy();
}

// --- Node events: only record what happened ---

void Station::onConnected(const std::string& call, const std::string&, const std::string&) {
    PendingConnect = call;
}

void Station::onDisconnected(const std::string& call) {
    PendingDisconnect = call;
}

void Station::onChatTextReceived(const std::string& text) {
    PendingChatText = text;
}

void Station::onStationListReceived() {
    StationListFlag = true;
}

void Station::onDtmfString(const std::string& digits) {
    if (digits == "A")
        DtmfAbortRequest = "A";
    PendingDtmf = digits;
}

void Station::onClosing() {
    // The node is going away: end the program, and release the node and the voice once this
    // event has returned (the node is still inside its own call).
    exitProgram();
    rt_.callAfter(0, [this] {
        ELo_.reset();
        voice_.reset();
    });
}

// --- Buttons, check boxes and labels ---

void Station::press(const std::string& control) {
    if (control == "CMDTime") {
        SpeakTime();
        focusDummy();
    } else if (control == "CMDFile") {
        TransmitFile(settings_.InfoFilePath);
        focusDummy();
    } else if (control == "Command1") {
        focusDummy();
        SendStationId();
    } else if (control == "Command2") {
        // The weather refresh; it cannot be pressed again while it runs.
        panel_.setEnabled("Command2", false);
        focusDummy();
        panel_.setEnabled("Command2", true);
    } else if (control == "lblTwo") {
        SilenceVoice();
    } else {
        // Check boxes: their state is read where it is used.
        focusDummy();
    }
}

}  // namespace vox
