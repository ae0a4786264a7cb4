#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/air_log.h"
#include "app/event_log.h"
#include "app/front_panel.h"
#include "app/instance_lock.h"
#include "app/program_folder.h"
#include "app/runtime.h"
#include "app/user_interface.h"
#include "app/user_store.h"
#include "app/voice.h"
#include "echolink/node_link.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace vox {

// What the station needs from the machine. Everything is injected; nothing is global.
struct StationPorts {
    Runtime& runtime;
    ProgramFolder folder;
    NodeSystem& nodes;
    UserInterface& ui;
    UserStore& store;
    AirLog& airLog;
    // Creates the text-to-speech voice (start-up); throws VoiceError when there is none.
    std::function<std::unique_ptr<Voice>()> createVoice;
    // Writes the settings file; empty = the real file system.
    SettingsWriter settingsWriter = {};
};

// What the desktop does around start-up and shutdown; the headless program leaves these empty.
struct WindowHooks {
    std::function<void()> showSplash;
    std::function<void()> closeSplash;
    std::function<void()> addTrayIcon;
    std::function<void()> removeTrayIcon;
    std::function<void()> minimize;
    std::function<void(int top, int left)> placeWindow;  // twips
    // The window's top and left (twips) when it is in the normal state, nothing otherwise.
    std::function<std::optional<std::pair<int, int>>()> normalPosition;
    std::function<void()> closeOtherWindows;
    std::function<void()> focusDummy;
};

// The station: owns every timer, the node link, the voice, the settings and the front panel, and
// runs the start-up, the shutdown and the work of the timers.
class Station : private NodeEvents {
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
    // Runs the control's click handler to completion ("CMDTime", "cbHour", "lblTwo", ...).
    void press(const std::string& control);
    // A check box changed by the owner (the desktop sets the box, then presses it).
    void setChecked(const std::string& control, bool on) { panel_.setChecked(control, on); }

    // --- Speech and transmit output ---
    void SpeakText(const std::string& text);
    void PlayFile(const std::string& path);
    void TransmitFile(const std::string& path);
    void KeyTransmitter();
    void UnkeyTransmitter();
    std::string SpellCall(const std::string& call) const;  // ATTCall or TTSSpell per VoiceTypeAtt
    void KillTime(double seconds) { rt_.killTime(seconds); }
    void WaitSeconds(int seconds) { rt_.waitSeconds(seconds); }
    void CheckPTTControl();
    void SilenceVoice();  // lblTwo

    // --- Time, identification ---
    void SpeakTime();
    void BuildGreeting();
    void SendStationId();

    // --- Settings file ---
    void ReadINIFile();
    bool WriteIniFile();

    // --- Window placement (kept up to date by the desktop) ---
    void windowMovedInNormalState(int top, int left) {
        RestoreTop = top;
        RestoreLeft = left;
    }

    // --- Accessors for views, programs and tests ---
    Settings& settings() { return settings_; }
    Runtime& runtime() { return rt_; }
    const ProgramFolder& folder() const { return folder_; }
    EventLog& eventLog() { return eventLog_; }
    Voice* voice() { return voice_.get(); }
    NodeLink* node() { return ELo_.get(); }
    Timer& timer(const std::string& name);
    const std::string& helpFile() const { return helpFile_; }
    bool pttHeld() const { return pttHeld_; }
    const std::string& engineName() const { return engineName_; }

    // Form-level state shared by the station's parts.
    bool TTSSleeping = false;
    bool gSamIsTalking = false;
    bool DtmfLocked = false;
    std::string DtmfAbortRequest;
    std::string PendingDtmf;
    bool RecordingActive = false;
    int FanSeconds = 500;
    std::string OwnCall;
    bool StationListFlag = false;
    int WxWarnTicks = 0;
    std::int16_t IdMinuteCount = 0;
    std::int16_t IdleSeconds = 0;
    std::string GreetingText;
    int RestoreTop = 0;
    int RestoreLeft = 0;
    std::vector<std::string> EchoLinkDtmfCodes;
    std::string SoundFilesDir;
    // Recorded by the node's event handlers for the parts that act on them: one slot each, a
    // newer event replaces an older one, so nothing piles up however long the node runs.
    std::string PendingConnect;
    std::string PendingDisconnect;
    std::string PendingChatText;

private:
    // Start-up steps.
    void RefreshEchoLinkDtmfCodes();
    bool CheckEchoLink();
    bool CheckSpeechEngine();
    void LoadNodeButtons();
    void restoreWindowPosition();
    void createStatusPanels();

    // Timer ticks.
    void tMain_Timer();
    void tTime_Timer();
    void tID_Timer();
    void tRadioBusyID_Timer();
    void tVoiceAbort_Timer();

    // Helpers.
    int runningState();
    void waitWhileSpeaking();
    void waitUntilDone(int ms);
    // Speech switched off: says so in the status bar.
    bool reportSleeping();
    // Speaks asynchronously, then waits for the engine to finish.
    void speakAndWait(const std::string& text);
    // Every text and file goes to the voice through here; refused once the program is quitting.
    void handToVoice(const std::string& text, int flags);
    // Cuts what the voice still has queued when the program is on its way out.
    void silenceIfQuitting();
    // Before keying only: holding PTT while waiting would hand our transmitter to the receiver.
    void waitForQuietReceiver(const char* status);
    // A file to transmit that is not there: says so (panel 4, and the log once an hour per path).
    bool reportMissingFile(const std::string& path);
    void setPtt(bool on);
    void showPtt(bool on);
    void focusDummy();
    void message(MessageIcon icon, const std::string& title, const std::string& text);
    bool channelBusy();
    // The node link; throws NodeError once the node has gone.
    NodeLink& link();
    std::string prepared(const std::string& relative) const;
    void retryPttRelease();
    void unkeyAfterFailure();

    // NodeEvents: record only.
    void onConnected(const std::string& call, const std::string&, const std::string&) override;
    void onDisconnected(const std::string& call) override;
    void onChatTextReceived(const std::string& text) override;
    void onStationListReceived() override;
    void onDtmfString(const std::string& digits) override;
    void onClosing() override;

    Runtime& rt_;
    ProgramFolder folder_;
    NodeSystem& nodes_;
    UserInterface& ui_;
    UserStore& store_;
    AirLog& airLog_;
    std::function<std::unique_ptr<Voice>()> createVoice_;
    WindowHooks hooks_;
    SettingsFile settingsFile_;
    EventLog eventLog_;
    InstanceLock instanceLock_;

    FrontPanel panel_;
    Settings settings_;
    std::unique_ptr<NodeLink> ELo_;
    std::unique_ptr<SetupConfig> setupConfig_;
    std::unique_ptr<SysopConfig> sysopConfig_;
    std::unique_ptr<Voice> voice_;
    std::string engineName_;
    std::string helpFile_;
    bool statusBarCreated_ = false;
    bool pttHeld_ = false;
    bool pttReleaseFailed_ = false;
    bool settingsMustClose_ = false;
    int panelListener_ = 0;
    // The calendar minute whose schedule tests last fired: each minute fires once.
    std::int64_t lastScheduledMinute_ = -1;
    // Missing files to transmit, with when they were last logged (monotonic seconds).
    std::map<std::string, double> missingFileLogged_;
};

}  // namespace vox
