#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "adapters/qsettings_user_store.h"
#include "adapters/qt_runtime.h"
#include "adapters/sim_control_server.h"
#include "adapters/sim_control_stdin.h"
#include "adapters/stop_signals.h"
#include "adapters/systemd_notify.h"
#include "adapters/voice_switch.h"
#include "adapters/web_client.h"
#include "backends/node_backend.h"
#include "backends/sim/sim_node_system.h"
#include "backends/svxlink/own_codes_keeper.h"
#include "core/base/air_log.h"
#include "core/base/repeat_limiter.h"
#include "core/base/rotating_log_file.h"
#include "core/base/runtime.h"
#include "core/base/service_watchdog.h"
#include "core/dtmf/serial_fan_lines.h"
#include "core/parts/console_message_boxes.h"
#include "core/settings/program_conf.h"
#include "core/station/station.h"
#include "web/web_console.h"

namespace vox {

// The program in real time around a station: the Qt loop, the node backend that
// voxclock.conf names, the espeak-ng voice, the per-user store, the air log in air.log, control
// commands from standard input and sim.sock, and the stop signals. Needs a Qt application object.
// SIGTERM and SIGINT end the program from any state: during start-up waits, behind a message box
// or while running, with the shutdown sequence and exit status 0.
class ProgramHost {
public:
    // ui: the message boxes (null: the console, which also writes them to the event log).
    explicit ProgramHost(const std::string& home, UserInterface* ui = nullptr);
    ~ProgramHost();

    // Prepares the program folder and builds the station with the window hooks given.
    // False with a message when the folder cannot be used.
    bool prepare(WindowHooks hooks, std::string* error);
    // Start-up, the loop until the program ends, shutdown. Returns the exit status.
    int exec();
    // What a stop signal does: every wait ends, the loop ends, shutdown runs. Any state.
    void requestStop();
    bool stopRequested() const { return stopRequested_; }
    // Called on a stop request; the desktop closes its message boxes here, since a modal box
    // would otherwise hold start-up until someone clicks it.
    std::function<void()> onStopRequested;
    // Called once start-up is over and the station runs.
    std::function<void()> onRunning;

    Station& station() { return *station_; }
    // The node backend [node] backend names.
    NodeBackend& backend() { return *backend_; }
    // [fan] serial_port: the fan has lines of its own, not the node's.
    bool fanOnOwnLines() const { return fanLines_ != nullptr; }
    Runtime& runtime() { return runtime_; }
    // The speech engine and voice, and the voice dialog's way to change and try them.
    VoiceSwitch& voices() { return *voices_; }
    UserStore& userStore() { return store_; }
    const ProgramFolder& folder() const { return folder_; }
    // Reads control commands from standard input as well (the headless program).
    void readStandardInput(bool on) { readStdin_ = on; }
    // Called with what the control inputs answer; default: standard output.
    std::function<void(const std::string&)> onControlReply;

private:
    std::string handleControlLine(const std::string& line);
    // The control socket, and standard input when asked for.
    void openControlInputs();
    // What the node backend reports about itself (gone, back, a line it could not read).
    void nodeReport(const std::string& line);
    // Writes an air-log line to air.log; a failure is told, once a minute at most.
    void writeAirLine(const std::string& line);
    // The web console for [web_ui] listen, once the station exists; it listens once running.
    void createConsole(const ProgramConf& conf);

    ProgramFolder folder_;
    SystemClock clock_;
    QtEventLoop loop_;
    Runtime runtime_;
    // Readiness and the watchdog pings for a service manager, when one started the program.
    SystemdNotifier notifier_;
    ServiceWatchdog serviceWatchdog_;
    AirLog air_;
    std::unique_ptr<RotatingLogFile> airFile_;
    RepeatLimiter airReports_;
    bool reportingAir_ = false;  // the report is itself logged, and so written to air.log
    ConsoleMessageBoxes console_;
    UserInterface* ui_;
    QSettingsUserStore store_;
    std::unique_ptr<NodeBackend> backend_;
    RepeatLimiter failures_;
    RepeatLimiter nodeReports_;
    std::vector<std::string> earlyNodeReports_;
    std::unique_ptr<WebClient> web_;
    // [fan] serial_port: the fan's own lines; null = the node's.
    std::unique_ptr<SerialFanLines> fanLines_;
    std::unique_ptr<VoiceSwitch> voices_;  // before the station, whose voice it points to
    std::unique_ptr<Station> station_;
    std::unique_ptr<SimControlServer> server_;
    std::unique_ptr<StdinLineReader> stdin_;
    std::unique_ptr<StopSignals> signals_;
    // [web_ui] listen: the web console; null when it is off.
    std::unique_ptr<WebConsole> webConsole_;
    bool readStdin_ = false;
    bool stopRequested_ = false;
};

}  // namespace vox
