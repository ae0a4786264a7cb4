// The station: its parts and their wiring, start-up and shutdown, and the settings file.
#include "core/station/station.h"

#include "core/base/node_capabilities.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/base/guarded.h"
#include "core/dtmf/dtmf_codes.h"
#include "core/settings/ini_file.h"

namespace vox {

namespace {

using namespace TimerName;

const char* const kDisableAtStart[] = {
    tLabelUpdate,  tWxGet,       tMain,        tAutoConnect, tFanLogic, tTime,
    tDTMFInComing, tStationList, tConnections, tQuietTime,   tID,       tActivity,
    tVoiceAbort,   tChatText,    tBusy,        tRadioBusyID, tWxWarn};

const char* const kEnableAtStart[] = {
    tWxGet,       tMain,        tAutoConnect, tFanLogic,    tTime,       tDTMFInComing,
    tStationList, tConnections, tID,          tLabelUpdate, tQuietTime,  tActivity,
    tVoiceAbort,  tChatText,    tBusy,        tWxWarn,      tRadioBusyID};

const char* const kDisableAtShutdown[] = {
    tMain,        tAutoConnect, tActivity, tTime,        tDTMFInComing, tStationList,
    tConnections, tID,          tWxGet,    tLabelUpdate, tQuietTime,    tVoiceAbort,
    tChatText,    tBusy,        tFreeWx,   tWxWarn,      tRadioBusyID};

}  // namespace

void Station::RefreshEchoLinkDtmfCodes() {
    refreshNodeDtmfCodes(nodes_, state_);
}

std::string Station::bulletinBaseUrl() const {
    if (!webConf_.bulletinBaseUrl.empty())
        return webConf_.bulletinBaseUrl;
    std::error_code ec;
    const std::filesystem::path root = std::filesystem::absolute(folder_.root(), ec);
    return "file://" + (ec ? folder_.root() : root.lexically_normal().string()) + "/rsgb/";
}

bool Station::CheckEchoLink() {
    try {
        node_.attach(nodes_.createNode(*this));
        vox::holdStationList(node_.link());
        setupConfig_ = nodes_.createSetupConfig();
        rt_.waitSeconds(4);
        sysopConfig_ = nodes_.createSysopConfig();
        if (!setupConfig_->sysopMode()) {
            message(MessageIcon::Error, "Voxclock TTS",
                    "EchoLink must be configured in the Sysop Mode.\r\n"
                    "Voxclock TTS will not work in single user mode.");
            node_.release();
            setupConfig_.reset();
            sysopConfig_.reset();
            return false;
        }
        return true;
    } catch (...) {
        node_.release();
        setupConfig_.reset();
        sysopConfig_.reset();
        message(MessageIcon::Error, "Voxclock TTS",
                "Can Not Find EchoLink.\r\nVoxclock TTS will not work without EchoLink.");
        return false;
    }
}

void Station::applyVoiceSettings() {
    Voice* voice = speech_.voice();
    if (!voice)
        return;
    voice->setRate(static_cast<int>(std::lround(std::clamp(settings_.SpeechRate, -2.0, 2.0))));
    voice->setVolume(100);
    voice->setAudioOutput(settings_.SoundDevice);
}

bool Station::CheckSpeechEngine() {
    try {
        speech_.setVoice(createVoice_ ? createVoice_() : nullptr);
        if (!speech_.voice())
            throw VoiceError("no voice");
        applyVoiceSettings();
        engineName_ = speech_.voice()->engineName();
        return true;
    } catch (...) {
        speech_.releaseVoice();
        message(MessageIcon::Error, "Voxclock TTS",
                "Voxclock Can Not Find The TTS Engine.\r\nVoxclock TTS will not work without TTS.");
        return false;
    }
}

void Station::LoadNodeButtons() {
    remoteNodes_.LoadNodeButtons();
}

void Station::createStatusPanels() {
    panel_.setPanel(StatusPanel::Activity, FrontPanel::kRedLed);
    panel_.setPanel(StatusPanel::Dtmf, "DTMF: None");
    panel_.setPanel(StatusPanel::Connected, "");
    panel_.setPanel(StatusPanel::Speech, "");
    panel_.setPanel(StatusPanel::Clock, "Time: ");
    state_.StatusBarCreated = true;
}

Station::StartOutcome Station::start() {
    RefreshEchoLinkDtmfCodes();

    std::string error;
    folder_.ensureExists(&error);
    if (!instanceLock_.acquire(folder_.path("\\voxclock.lock"))) {
        message(MessageIcon::Information, "Voxclock TTS", "Voxclock TTS is already running!");
        return StartOutcome::EndedAtOnce;
    }

    if (hooks_.showSplash)
        hooks_.showSplash();
    settings_.TxDelaySeconds = 0.8;
    rt_.waitSeconds(3);

    if (!CheckEchoLink())
        return StartOutcome::EndedAtOnce;

    std::string nodeCall;
    try {
        nodeCall = setupConfig_->callsign();
        state_.OwnCall = nodeCall.substr(0, nodeCall.find('-'));
    } catch (...) {
        state_.OwnCall.clear();
    }
    identification_.ensureIdFile(nodeCall, cwid_);
    if (hooks_.restoreWindowPosition)
        hooks_.restoreWindowPosition();

    for (const char* name : kDisableAtStart)
        timers_[name].setEnabled(false);
    wxAlerts_.WxWarnTicks = 0;
    monitors_.StationListFlag = false;
    state_.DtmfLocked = false;
    state_.FanSeconds = 500;

    ReadINIFile();
    if (settingsMustClose_)
        return StartOutcome::MustClose;

    if (!CheckSpeechEngine())
        return StartOutcome::EndedAtOnce;
    speech_.CheckPTTControl();
    LoadNodeButtons();

    if (hooks_.addTrayIcon)
        hooks_.addTrayIcon();
    if (hooks_.minimize)
        hooks_.minimize();
    createStatusPanels();
    rt_.processPending();

    for (const char* name : kEnableAtStart)
        timers_[name].setEnabled(true);
    if (hooks_.closeSplash)
        hooks_.closeSplash();
    return StartOutcome::Running;
}

void Station::shutdown() {
    // Ends any wait still under way, and with it every hand-over to the voice.
    rt_.requestQuit();
    // Every step runs whatever the one before it came to.
    guarded("fan timer", [&] { timers_[TimerName::tFanLogic].setEnabled(false); });
    guarded("fan RTS", [&] {
        if (panel_.checked(Control::FanRTS))
            fan_.lines().setRts(true);
    });
    guarded("fan DTR", [&] {
        if (panel_.checked(Control::FanDTR))
            fan_.lines().setDtr(true);
    });
    for (const char* name : kDisableAtShutdown)
        guarded(name, [&] { timers_[name].setEnabled(false); });
    guarded("tray icon", [&] {
        if (hooks_.removeTrayIcon)
            hooks_.removeTrayIcon();
    });
    guarded("other windows", [&] {
        if (hooks_.closeOtherWindows)
            hooks_.closeOtherWindows();
    });
    guarded("settings file", [&] { WriteIniFile(); });
    speech_.releasePttAtShutdown();
    guarded("node", [&] { node_.release(); });
    guarded("node configuration", [&] {
        setupConfig_.reset();
        sysopConfig_.reset();
    });
    guarded("voice", [&] { speech_.releaseVoice(); });
    guarded("window position", [&] {
        if (hooks_.storeWindowPosition)
            hooks_.storeWindowPosition();
    });
    instanceLock_.release();
}

Station::Station(StationPorts ports, WindowHooks hooks)
    : rt_(ports.runtime),
      folder_(std::move(ports.folder)),
      nodes_(ports.nodes),
      ui_(ports.ui),
      airLog_(ports.airLog),
      createVoice_(std::move(ports.createVoice)),
      hooks_(std::move(hooks)),
      cwid_(ports.cwid),
      webConf_(ports.web),
      settingsFile_(folder_.path("\\voxclock.ini"), std::move(ports.settingsWriter)),
      eventLog_(folder_, rt_.clock()),
      timers_(rt_),
      web_(rt_, ports.http, &airLog_, ports.web.timeoutSeconds),
      speech_({rt_, folder_, settings_, panel_, state_, node_, eventLog_, [this] { focusDummy(); },
               &airLog_},
              timers_[TimerName::tVoiceAbort]),
      watchdog_({rt_, panel_, eventLog_, airLog_}, [this] { speech_.forcePttOff(); }),
      announcer_(context(), timers_[TimerName::tMain], timers_[TimerName::tTime], controls_),
      identification_(context(), timers_[TimerName::tID], timers_[TimerName::tRadioBusyID],
                      controls_),
      remoteNodes_(context(), controls_),
      connections_(context(), timers_[TimerName::tConnections], timers_[TimerName::tChatText]),
      monitors_(context(), timers_[TimerName::tStationList], timers_[TimerName::tActivity],
                timers_[TimerName::tBusy], [this] { return nodeCallsign(); }),
      autoConnect_(context(), timers_[TimerName::tAutoConnect]),
      quietTime_(context(), timers_[TimerName::tQuietTime], *this),
      localWx_(context(), timers_[TimerName::tFreeWx]),
      wxExchange_(context(), timers_[TimerName::tWxGet], *this),
      wxAlerts_(context(), timers_[TimerName::tWxWarn]),
      reports_(context(), web_, *this),
      recording_(context(), timers_[TimerName::tRecord], controls_,
                 [this](int mode) {
                     if (!setupConfig_)
                         throw NodeError("EchoLink", "The node is not there");
                     setupConfig_->setRecordingMode(mode);
                 }),
      fan_(context(), timers_[TimerName::tFanLogic], controls_, ports.fanLines),
      dtmf_(context(), timers_[TimerName::tDTMFInComing], timers_[TimerName::tDTMF], *this) {
    panel_.bindSettings(&settings_);
    watchdog_.setLimit(ports.maxTxSeconds);
    speech_.onPttChanged = [this](bool on) { watchdog_.pttChanged(on); };
    // While we are keyed, no other part's tick may wait for the channel or speak inside the
    // waits of the work that keyed: its tick runs once the transmitter is released.
    rt_.setAirHeld([this] { return speech_.pttHeld(); });
    timers_[TimerName::tLabelUpdate].setOnTick([] {});
    controls_.on(Control::lblTwo, [this] { speech_.SilenceVoice(); });
    controls_.on(Control::Command2, [this] {
        // The weather refresh; it cannot be pressed again while it runs.
        panel_.setEnabled(Control::Command2, false);
        wxExchange_.getWeatherNow();
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
    rt_.setAirHeld({});
    panel_.unsubscribe(panelListener_);
}

PartContext Station::context() {
    return PartContext{rt_,    folder_, settings_,
                       panel_, state_,  eventLog_,
                       node_,  speech_, [this] { focusDummy(); }};
}

std::string Station::nodeCallsign() {
    if (!setupConfig_)
        throw NodeError("EchoLink", "The node is not there");
    return setupConfig_->callsign();
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

void Station::asClick(const std::function<void()>& work) {
    try {
        work();
    } catch (const WaitAborted&) {
        // The transmit time-out ended what the button started; it stops here, in our code.
    }
}

void Station::press(const std::string& control) {
    bool answered = true;
    asClick([&] { answered = controls_.press(control); });
    // Check boxes and controls no part answers yet: their state is read where it is used.
    if (!answered)
        focusDummy();
}

// --- DTMF commands: each goes to the part that does it ---

void Station::speakTime() {
    asClick([this] { announcer_.CMDTime_Click(); });
}

void Station::transmitInfoFile() {
    asClick([this] { announcer_.CMDFile_Click(); });
}

void Station::remoteNode(int index) {
    asClick([this, index] { remoteNodes_.cmdRemoteNode_Click(index); });
}

bool Station::startRecording() {
    recording_.RecordMinutes = 0;
    asClick([this] { recording_.cbRecordStart_Click(); });
    return !recording_.startRefused();
}

void Station::stopRecording() {
    asClick([this] { recording_.cbRecordStop_Click(); });
}

void Station::playRecording() {
    asClick([this] { recording_.cbRecordPlayback_Click(); });
}

void Station::quietTimeRunning(bool running) {
    timers_[TimerName::tQuietTime].setEnabled(running);
}

void Station::speakSpeedDial() {
    reports_.SpeakSpeedDial();
}

void Station::speakBulletin(const std::string& number) {
    reports_.SpeakBulletin(bulletinBaseUrl(), number);
}

void Station::speakWwvReport() {
    reports_.SpeakWwvReport(webConf_.wwvUrl);
}

void Station::announceWeatherAlerts(bool fromTimer) {
    wxAlerts_.AnnounceWeatherAlerts(fromTimer);
}

void Station::speakLocalWx() {
    localWx_.SpeakLocalWx();
}

void Station::readFreeWxShort(bool speakNow) {
    localWx_.ReadFreeWxShort(speakNow);
}

void Station::readFreeWxFull(bool speakNow) {
    localWx_.ReadFreeWxFull(speakNow);
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
    dtmf_.ELo_DTMFString(digits);
}

void Station::onClosing() {
    // The node is going away: end the program, and release the node and the voice once this
    // event has returned (the node is still inside its own call).
    exitProgram();
    rt_.callAfter(0, [this] {
        // Our transmission is dropped while the node can still take the command: a node that
        // is gone cannot be asked to unkey.
        speech_.releasePttAtShutdown();
        node_.release();
        speech_.releaseVoice();
    });
}

namespace {

// Message boxes raised by the settings file, recorded like every other message box.
class StationMessages : public UserInterface {
public:
    explicit StationMessages(
        std::function<void(MessageIcon, const std::string&, const std::string&)> show)
        : show_(std::move(show)) {}
    void showMessage(MessageIcon icon, const std::string& title, const std::string& text) override {
        show_(icon, title, text);
    }

private:
    std::function<void(MessageIcon, const std::string&, const std::string&)> show_;
};

std::string afterLastBackslash(const std::string& path) {
    const std::size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? path : path.substr(at + 1);
}

// The transmit delay is waited twice with PTT held: a value from a hand-edited file must not keep
// the transmitter keyed for an hour.
constexpr double kMaxTxDelaySeconds = 10;

// The delay to use instead of a value out of range, or nothing when the value is fine.
std::optional<double> saneTxDelay(double seconds) {
    if (std::isnan(seconds))
        return Settings{}.TxDelaySeconds;
    if (seconds < 0)
        return 0.0;
    if (seconds > kMaxTxDelaySeconds)
        return kMaxTxDelaySeconds;
    return std::nullopt;
}

std::string shortNumber(double value) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

}  // namespace

void Station::ReadINIFile() {
    StationMessages messages(
        [this](MessageIcon i, const std::string& t, const std::string& x) { message(i, t, x); });
    const IniOutcome outcome =
        vox::ReadINIFile(settingsFile_, settings_, messages, hooks_.closeSplash);
    settingsMustClose_ = outcome.mustClose;
    for (const std::string& line : outcome.eventLogLines)
        eventLog_.LogEvent(line);
    if (const std::optional<double> delay = saneTxDelay(settings_.TxDelaySeconds)) {
        eventLog_.LogEvent("TxDelaySeconds " + shortNumber(settings_.TxDelaySeconds) +
                           " out of range: using " + shortNumber(*delay));
        settings_.TxDelaySeconds = *delay;
    }
    panel_.settingsReplaced();
    if (!settings_.InfoFilePath.empty())
        panel_.setCaption(Control::tbFileName, afterLastBackslash(settings_.InfoFilePath));
    if (outcome.freeWxReader)
        timers_[TimerName::tFreeWx].setEnabled(true);
}

bool Station::WriteIniFile() {
    StationMessages messages(
        [this](MessageIcon i, const std::string& t, const std::string& x) { message(i, t, x); });
    const IniOutcome outcome = vox::WriteIniFile(settingsFile_, settings_, messages);
    if (outcome.freeWxReader)
        timers_[TimerName::tFreeWx].setEnabled(true);
    return outcome.ok;
}

ApplyOutcome Station::applySettings(const Settings& changed) {
    settings_ = changed;
    panel_.settingsReplaced();
    guarded("voice settings", [&] { applyVoiceSettings(); });
    LoadNodeButtons();
    panel_.setCaption(Control::tbFileName, afterLastBackslash(settings_.InfoFilePath));
    if (settings_.WxStationType == 1)
        timers_[TimerName::tFreeWx].setEnabled(true);
    std::string why;
    if (!settingsFile_.write(settings_, &why))
        return {false, "Error Writing .INI File"};
    return {};
}

int runStation(Station& station, const std::function<void()>& onRunning) {
    const Station::StartOutcome outcome = station.start();
    if (outcome == Station::StartOutcome::EndedAtOnce)
        return 1;
    if (outcome == Station::StartOutcome::Running) {
        if (onRunning)
            onRunning();
        station.runtime().run();
    }
    station.shutdown();
    return outcome == Station::StartOutcome::Running ? 0 : 1;
}

}  // namespace vox
