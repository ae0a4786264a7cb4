#include "src/program_host.h"

#include <unistd.h>

#include <iostream>

#include "adapters/serial_fan_port.h"
#include "backends/svxlink/fan_port_check.h"
#include "backends/svxlink/svxlink_codes.h"
#include "core/base/air_logging_voice.h"
#include "core/base/user_store.h"
#include "core/dtmf/serial_fan_lines.h"
#include "core/parts/prepared_files.h"
#include "core/settings/program_conf.h"
#include "core/settings/voice_conf.h"
#include "core/station/station.h"
#include "src/node_backends.h"

namespace vox {

ProgramHost::ProgramHost(const std::string& home, UserInterface* ui)
    : folder_(home),
      loop_(clock_),
      runtime_(clock_, loop_),
      notifier_(SystemdNotifier::fromEnvironment()),
      serviceWatchdog_(runtime_, notifier_),
      air_(clock_),
      console_(std::cerr),
      ui_(ui ? ui : &console_),
      // From the start: a stop before the station exists must still end the program cleanly.
      signals_(std::make_unique<StopSignals>([this] { requestStop(); })) {}

ProgramHost::~ProgramHost() {
    // The console looks at the station; the station goes before the node it holds.
    webConsole_.reset();
    server_.reset();
    stdin_.reset();
    station_.reset();
    voices_.reset();
    fanLines_.reset();
    web_.reset();
    backend_.reset();
}

bool ProgramHost::prepare(WindowHooks hooks, std::string* error) {
    // A folder without settings is a new install: it starts with the clearest voice.
    const bool newInstall = !isRegularFile(folder_.findCaseInsensitive("\\voxclock.ini"));
    if (!prepareProgramFolder(folder_, error))
        return false;
    const std::string confPath = folder_.findCaseInsensitive("\\voxclock.conf");
    ConfResult conf = loadProgramConf(confPath);
    if (newInstall && conf.conf.voice.engine.empty()) {
        std::string why;
        conf.conf.voice = voiceOfNewInstall();
        if (!writeVoiceChoice(confPath, conf.conf.voice, &why))
            std::cerr << why << std::endl;
    }
    for (const auto& warning : conf.warnings)
        std::cerr << warning << std::endl;
    constexpr std::uint64_t kMiB = 1024 * 1024;
    airFile_ = std::make_unique<RotatingLogFile>(
        folder_.path("air.log"), static_cast<std::uint64_t>(conf.conf.air.maxLogMb) * kMiB);
    air_.setSink([this](const std::string& line) { writeAirLine(line); });
    backend_ = createNodeBackend(
        conf.conf.backend,
        {runtime_, conf.conf, air_, [this](const std::string& line) { nodeReport(line); }});
    if (!backend_) {
        *error = "voxclock.conf: no node backend '" + conf.conf.backend + "'";
        return false;
    }
    NodeSystem& node = backend_->node();

    const std::uint64_t maxWavBytes = static_cast<std::uint64_t>(conf.conf.air.maxWavMb) * kMiB;
    std::string voiceFailed;
    try {
        voices_ =
            std::make_unique<VoiceSwitch>(clock_, loop_, folder_.root(), confPath, conf.conf.voice);
    } catch (const VoiceError& e) {
        voiceFailed = e.what();
    }
    StationPorts ports{runtime_,
                       folder_,
                       node,
                       *ui_,
                       air_,
                       [this, maxWavBytes, voiceFailed]() -> std::unique_ptr<Voice> {
                           if (!voices_)
                               throw VoiceError(voiceFailed);
                           auto voice = voices_->createVoice();
                           voice->airRecorder().setMaxBytes(maxWavBytes);
                           // A node that takes the voice's audio itself (SvxLink's announcement
                           // receiver).
                           if (auto output = backend_->voiceOutput())
                               voice->renderTo(std::move(output));
                           return std::make_unique<LoggedVoice>(std::move(voice), air_,
                                                                folder_.root());
                       }};
    ports.cwid = conf.conf.cwid;
    web_ = std::make_unique<WebClient>(loop_, conf.conf.web.timeoutSeconds);
    ports.http = web_.get();
    ports.web = conf.conf.web;
    ports.maxTxSeconds = conf.conf.maxTxSeconds;
    // A line for the owner: standard error and the event log.
    auto tell = [this](const std::string& line) {
        std::cerr << line << std::endl;
        if (station_)
            station_->eventLog().LogEvent(line);
    };
    std::string fanRefused;
    if (const FanConf& fan = conf.conf.fan; !fan.serialPort.empty()) {
        fanRefused = fanPortConflict(fan.serialPort, fan.svxlinkConf);
        if (fanRefused.empty()) {
            fanLines_ = std::make_unique<SerialFanLines>(
                fan.serialPort, openSerialFanPort, [this] { return runtime_.now(); }, tell);
            ports.fanLines = fanLines_.get();
        }
    }
    station_ = std::make_unique<Station>(std::move(ports), std::move(hooks));
    console_.setEventLog(&station_->eventLog());
    for (const std::string& line : earlyNodeReports_)
        station_->eventLog().LogEvent(line);
    earlyNodeReports_.clear();
    if (voices_ && !voices_->note().empty())
        tell(voices_->note());
    if (!fanRefused.empty())
        tell("Fan: serial_port refused, the fan stays on the node's lines: " + fanRefused);
    backend_->stationBuilt(*station_);
    createConsole(conf.conf);
    // A node that has gone fails every tick that asks it something: once a minute is enough.
    runtime_.onFailure = [this](const std::string& what) {
        const std::string line = failures_.pass(what, runtime_.now());
        if (!line.empty())
            std::cerr << "failure: " << line << std::endl;
    };
    return true;
}

void ProgramHost::createConsole(const ProgramConf& conf) {
    if (conf.webUi.listen.empty())
        return;
    WebConsoleOptions options;
    options.listen = conf.webUi.listen;
    options.confPath = folder_.path("\\voxclock.conf");
    auto number = [](double v) {
        std::string text = std::to_string(v);
        text.erase(text.find_last_not_of('0') + 1);
        if (!text.empty() && text.back() == '.')
            text.pop_back();
        return text;
    };
    options.confValues = {
        {"[node] backend", conf.backend},
        {"[web_ui] listen", conf.webUi.listen},
        {"[web] wwv_url", conf.web.wwvUrl},
        {"[web] bulletin_base_url", conf.web.bulletinBaseUrl},
        {"[web] lookup_url", conf.web.lookupUrl},
        {"[web] timeout_s", number(conf.web.timeoutSeconds)},
        {"[safety] max_tx_seconds", std::to_string(conf.maxTxSeconds)},
        {"[cwid] wpm", std::to_string(conf.cwid.wpm)},
        {"[cwid] tone_hz", std::to_string(conf.cwid.toneHz)},
        {"[cwid] amplitude", number(conf.cwid.amplitude)},
        {"[cwid] suffix", conf.cwid.suffix ? "1" : "0"},
        {"[fan] serial_port", conf.fan.serialPort},
        {"[air] max_log_mb", std::to_string(conf.air.maxLogMb)},
        {"[air] max_wav_mb", std::to_string(conf.air.maxWavMb)},
    };
    options.dtmfRefusal = backend_->codeRefusal();
    // The line the tests and the owner wait for: the console is up.
    options.onListening = [](const std::string& line) { std::cerr << line << std::endl; };
    webConsole_ = std::make_unique<WebConsole>(*station_, std::move(options));
}

void ProgramHost::nodeReport(const std::string& line) {
    std::cerr << line << std::endl;
    // Reports from before the station exists go to its event log once it does.
    if (!station_) {
        if (earlyNodeReports_.size() < 16)
            earlyNodeReports_.push_back(line);
        return;
    }
    // The owner sees it on the window and in the event log; a node that keeps failing the same
    // way is logged once a minute.
    station_->panel().setPanel(StatusPanel::Speech, line);
    const std::string logged = nodeReports_.pass(line, runtime_.now());
    if (!logged.empty())
        station_->eventLog().LogEvent(logged);
}

void ProgramHost::writeAirLine(const std::string& line) {
    std::string error;
    const bool written = airFile_->append(line, &error);
    // The page shows a line once air.log holds it.
    if (webConsole_)
        webConsole_->airLine(line);
    if (written || reportingAir_)
        return;
    // A full disk or a folder gone must not stop the station: the line is lost, the next one
    // tries again, and the owner hears of it without a flood.
    const std::string report = airReports_.pass("Air log: " + error, runtime_.now());
    if (report.empty())
        return;
    reportingAir_ = true;
    std::cerr << report << std::endl;
    if (station_)
        station_->eventLog().LogEvent(report);
    reportingAir_ = false;
}

namespace {

// The behaviour thread stops for good, as a fault would stop it: no tick, no ping, no stop signal
// handled. Only the service manager's watchdog (or a kill) ends the program then.
[[noreturn]] void hangBehaviourThread() {
    for (;;)
        pause();
}

}  // namespace

std::string ProgramHost::handleControlLine(const std::string& line) {
    // For testing the service watchdog, on the simulated node only; like every control command,
    // never from the radio.
    if (line == "hang" && backend_->simulator() != nullptr)
        hangBehaviourThread();
    return backend_->controlLine(line);
}

void ProgramHost::requestStop() {
    // The shutdown sequence follows, which releases PTT.
    serviceWatchdog_.stopping();
    stopRequested_ = true;
    // Exit_Program: the station's waits and loop all end on the runtime's quit.
    runtime_.requestQuit();
    if (onStopRequested)
        onStopRequested();
}

void ProgramHost::openControlInputs() {
    // Control inputs only once this is the one running instance (the socket is its own).
    auto reply = [this](const std::string& answer) {
        if (answer.empty())
            return;
        if (onControlReply)
            onControlReply(answer);
        else
            std::cout << answer << std::endl;
    };
    server_ = std::make_unique<SimControlServer>(
        folder_.path("sim.sock"), [this](const std::string& l) { return handleControlLine(l); });
    std::string error;
    if (!server_->listen(&error))
        std::cerr << error << std::endl;
    if (readStdin_) {
        stdin_ = std::make_unique<StdinLineReader>(
            [this, reply](const std::string& l) { reply(handleControlLine(l)); });
        stdin_->start();
    }
}

int ProgramHost::exec() {
    if (!station_)
        return 1;
    // Stopped before anything started: nothing to shut down.
    if (stopRequested_)
        return 0;
    const int status = runStation(*station_, [this] {
        backend_->stationRunning(*station_);
        openControlInputs();
        if (webConsole_) {
            std::string error;
            if (!webConsole_->start(&error)) {
                std::cerr << error << std::endl;
                station_->eventLog().LogEvent(error);
                webConsole_.reset();
            }
        }
        serviceWatchdog_.ready();
        if (onRunning)
            onRunning();
    });
    // Ended another way (the node closed, start-up failed): told once shutdown is over.
    serviceWatchdog_.stopping();
    server_.reset();
    webConsole_.reset();
    backend_->stationStopped();
    // A stop asked for is a clean end, whatever start-up came to.
    return stopRequested_ ? 0 : status;
}

}  // namespace vox
