#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/base/air_log.h"
#include "core/base/http_client.h"
#include "core/base/instance_lock.h"
#include "core/base/node_link.h"
#include "core/base/program_folder.h"
#include "core/base/runtime.h"
#include "core/base/user_interface.h"
#include "core/base/voice.h"
#include "core/base/web_fetch.h"
#include "core/dtmf/dtmf_dispatcher.h"
#include "core/dtmf/fan_control.h"
#include "core/dtmf/recording.h"
#include "core/dtmf/spoken_reports.h"
#include "core/echolink/auto_connect_schedule.h"
#include "core/echolink/connection_announcer.h"
#include "core/echolink/quiet_time.h"
#include "core/echolink/remote_node_buttons.h"
#include "core/echolink/station_monitors.h"
#include "core/parts/control_registry.h"
#include "core/parts/cw_id.h"
#include "core/parts/event_log.h"
#include "core/parts/front_panel.h"
#include "core/parts/identification.h"
#include "core/parts/node_access.h"
#include "core/parts/shared_state.h"
#include "core/parts/speech_output.h"
#include "core/parts/time_announcer.h"
#include "core/parts/timer_table.h"
#include "core/parts/transmit_watchdog.h"
#include "core/settings/settings.h"
#include "core/settings/settings_file.h"
#include "core/weather/local_weather_station.h"
#include "core/weather/weather_alerts.h"
#include "core/weather/weather_exchange.h"

namespace vox {

// What the station needs from the machine. Everything is injected; nothing is global.
struct StationPorts {
    Runtime& runtime;
    ProgramFolder folder;
    NodeSystem& nodes;
    UserInterface& ui;
    AirLog& airLog;
    // Creates the text-to-speech voice (start-up); throws VoiceError when there is none.
    std::function<std::unique_ptr<Voice>()> createVoice;
    // Writes the settings file; empty = the real file system.
    SettingsWriter settingsWriter = {};
    // How a generated CW identification sounds (voxclock.conf [cwid]).
    CwIdConf cwid = {};
    // The web, for the spoken reports; null = none here (every fetch fails).
    HttpClient* http = nullptr;
    WebConf web = {};
    // The fan's RTS and DTR lines; null = the node's radio port, through the node link.
    FanLines* fanLines = nullptr;
    // The transmit time-out in seconds (voxclock.conf [safety] max_tx_seconds); 0 = none.
    int maxTxSeconds = TransmitWatchdog::kDefaultLimitSeconds;
};

// What the desktop does around start-up and shutdown; the headless program leaves these empty.
struct WindowHooks {
    std::function<void()> showSplash;
    std::function<void()> closeSplash;
    std::function<void()> addTrayIcon;
    std::function<void()> removeTrayIcon;
    std::function<void()> minimize;
    // The moments for the window's position, which the desktop keeps: start-up puts the window
    // where it was, shutdown remembers where it is.
    std::function<void()> restoreWindowPosition;
    std::function<void()> storeWindowPosition;
    std::function<void()> closeOtherWindows;
    std::function<void()> focusDummy;
};

// What applying a changed settings record came to.
struct ApplyOutcome {
    bool ok = true;
    std::string message;
};

// The station: owns the ports' products (node link, voice, settings, front panel) and the parts,
// keeps the one ordered table of timers, runs start-up and shutdown, and wires one part's call to
// another. The behaviour itself lives in the parts.
class Station : private NodeEvents,
                private DtmfPeers,
                private QuietTimePeers,
                private WeatherExchangePeers,
                private SpokenReportsPeers {
public:
    enum class StartOutcome { Running, EndedAtOnce, MustClose };

    explicit Station(StationPorts ports, WindowHooks hooks = {});
    ~Station() override;
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    // Start-up sequence. EndedAtOnce: a check failed; stop the process without shutdown.
    // MustClose: the settings file could not be created; run shutdown() and stop.
    StartOutcome start();
    // Shutdown sequence: every step runs even when one fails; PTT always ends off.
    void shutdown();
    // Exit_Program: asks the behaviour loop to end; the caller then runs shutdown().
    void exitProgram() { rt_.requestQuit(); }

    // --- The main window's controls ---
    FrontPanel& panel() { return panel_; }
    const FrontPanel& panel() const { return panel_; }
    // Runs the control's click handler to completion (Control::CMDTime, ...). Throws
    // std::invalid_argument for a name that is not a control.
    void press(const std::string& control);
    // A check box changed by the owner (the desktop sets the box, then presses it).
    void setChecked(const std::string& control, bool on) { panel_.setChecked(control, on); }

    // --- Settings ---
    void ReadINIFile();
    bool WriteIniFile();
    // Takes a changed record as a whole (the setup dialogs' OK): re-applies what depends on it and
    // writes the file.
    ApplyOutcome applySettings(const Settings& changed);
    const Settings& settings() const { return settings_; }
    // The record itself, for the settings file's callers and tests; the parts only read it.
    Settings& settings() { return settings_; }

    // --- The parts and what they share, for views, programs and tests ---
    SpeechOutput& speech() { return speech_; }
    TimeAnnouncer& announcer() { return announcer_; }
    Identification& identification() { return identification_; }
    ConnectionAnnouncer& connections() { return connections_; }
    StationMonitors& monitors() { return monitors_; }
    DtmfDispatcher& dtmf() { return dtmf_; }
    Recording& recording() { return recording_; }
    WeatherAlerts& weatherAlerts() { return wxAlerts_; }
    const WebConf& webConf() const { return webConf_; }
    // The station's web access, for the node lookup: its fetches are in the air log too.
    WebFetcher& web() { return web_; }
    // The node's call sign as its configuration gives it now (the lookup's requester); throws
    // NodeError while there is no node.
    std::string nodeCallsign();
    SharedState& state() { return state_; }
    Runtime& runtime() { return rt_; }
    const ProgramFolder& folder() const { return folder_; }
    EventLog& eventLog() { return eventLog_; }
    Voice* voice() { return speech_.voice(); }
    NodeLink* node() { return node_.get(); }
    // A timer of the table; throws std::invalid_argument for a name that is not one.
    Timer& timer(const std::string& name);
    bool pttHeld() const { return speech_.pttHeld(); }
    const std::string& engineName() const { return engineName_; }

private:
    // Start-up steps.
    void RefreshEchoLinkDtmfCodes();
    // Runs what a click on the window runs: the transmit time-out may end it, and it ends here.
    void asClick(const std::function<void()>& work);
    // The bulletin base address: the configured one, or "rsgb/" in the program folder.
    std::string bulletinBaseUrl() const;
    bool CheckEchoLink();
    bool CheckSpeechEngine();
    void applyVoiceSettings();
    void LoadNodeButtons();
    void createStatusPanels();
    void focusDummy();
    void message(MessageIcon icon, const std::string& title, const std::string& text);
    PartContext context();

    // NodeEvents: record only.
    void onConnected(const std::string& call, const std::string&, const std::string&) override;
    void onDisconnected(const std::string& call) override;
    void onChatTextReceived(const std::string& text) override;
    void onStationListReceived() override;
    void onDtmfString(const std::string& digits) override;
    void onClosing() override;

    // DtmfPeers: each request goes to the part that does it.
    void speakTime() override;
    void transmitInfoFile() override;
    void remoteNode(int index) override;
    bool startRecording() override;
    void stopRecording() override;
    void playRecording() override;
    void quietTimeRunning(bool running) override;
    void refreshNodeCodes() override { RefreshEchoLinkDtmfCodes(); }
    void speakSpeedDial() override;
    void speakBulletin(const std::string& number) override;
    void speakWwvReport() override;
    void announceWeatherAlerts(bool fromTimer) override;
    void speakLocalWx() override;
    void readFreeWxShort(bool speakNow) override;
    void readFreeWxFull(bool speakNow) override;
    // QuietTimePeers, WeatherExchangePeers, SpokenReportsPeers.
    void reloadNodeButtons() override { remoteNodes_.LoadNodeButtons(); }
    void readVwsDaily() override { localWx_.ReadVwsDaily(); }
    void sendStationId() override { identification_.SendStationId(); }
    void buildGreeting() override { announcer_.BuildGreeting(); }

    Runtime& rt_;
    ProgramFolder folder_;
    NodeSystem& nodes_;
    UserInterface& ui_;
    AirLog& airLog_;
    std::function<std::unique_ptr<Voice>()> createVoice_;
    WindowHooks hooks_;
    CwIdConf cwid_;
    WebConf webConf_;
    SettingsFile settingsFile_;
    EventLog eventLog_;
    InstanceLock instanceLock_;

    Settings settings_;
    FrontPanel panel_;
    SharedState state_;
    NodeAccess node_;
    std::unique_ptr<SetupConfig> setupConfig_;
    std::unique_ptr<SysopConfig> sysopConfig_;
    ControlRegistry controls_;
    TimerTable timers_;
    WebFetcher web_;

    // The parts, in the order they are built: speech output first, every other part speaks
    // through it.
    SpeechOutput speech_;
    TransmitWatchdog watchdog_;
    TimeAnnouncer announcer_;
    Identification identification_;
    RemoteNodeButtons remoteNodes_;
    ConnectionAnnouncer connections_;
    StationMonitors monitors_;
    AutoConnectSchedule autoConnect_;
    QuietTime quietTime_;
    LocalWeatherStation localWx_;
    WeatherExchange wxExchange_;
    WeatherAlerts wxAlerts_;
    SpokenReports reports_;
    Recording recording_;
    FanControl fan_;
    DtmfDispatcher dtmf_;

    std::string engineName_;
    bool settingsMustClose_ = false;
    int panelListener_ = 0;
};

// The life of a program around a station: start-up, the loop until the program ends, shutdown.
// onRunning runs once start-up has succeeded, before the loop (inputs that need the one running
// instance). Returns the exit status: 0 after a normal run, 1 when start-up failed.
int runStation(Station& station, const std::function<void()>& onRunning = {});

}  // namespace vox
