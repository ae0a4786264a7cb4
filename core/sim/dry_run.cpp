#include "core/sim/dry_run.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "backends/sim/sim_node_system.h"
#include "core/base/air_logging_voice.h"
#include "core/base/virtual_time.h"
#include "core/parts/console_message_boxes.h"
#include "core/parts/prepared_files.h"
#include "core/settings/program_conf.h"
#include "core/sim/events_file.h"
#include "core/sim/virtual_voice.h"
#include "core/station/station.h"

namespace vox {

namespace fs = std::filesystem;

namespace {

// Files of a live program folder that a dry run must not copy.
bool skipInCopy(const fs::path& name) {
    const std::string n = name.filename().string();
    return n == "air" || n == "air.log" || n == "voxclock.lock" || n == "sim.sock";
}

// The copy of the program folder a run works on: a scratch folder removed when the run ends, or
// the owner's work folder, which must not exist yet and is kept afterwards.
class RunFolder {
public:
    explicit RunFolder(const std::string& workdir) : workdir_(workdir) {
        if (!workdir_.empty())
            return;
        std::string pattern = (fs::temp_directory_path() / "voxclock-simulate-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data()))
            base_ = made;
    }
    ~RunFolder() {
        std::error_code ec;
        if (!base_.empty())
            fs::remove_all(base_, ec);
    }
    // False with a message when there is no folder to work in.
    bool ready(std::string* error) const {
        if (!workdir_.empty()) {
            std::error_code ec;
            if (fs::symlink_status(workdir_, ec).type() != fs::file_type::not_found) {
                *error = "--workdir " + workdir_ + " already exists: give a new folder";
                return false;
            }
            return true;
        }
        if (base_.empty())
            *error = "cannot create a scratch folder";
        return !base_.empty();
    }
    std::string home() const {
        return workdir_.empty() ? (fs::path(base_) / "home").string() : workdir_;
    }

    bool copyFrom(const std::string& source, std::string* error) {
        std::error_code ec;
        if (!fs::is_directory(source, ec))
            return true;  // a new folder: created on first use
        fs::create_directories(home(), ec);
        for (const auto& entry : fs::directory_iterator(source, ec)) {
            if (skipInCopy(entry.path()))
                continue;
            fs::copy(entry.path(), fs::path(home()) / entry.path().filename(),
                     fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
            if (ec) {
                *error = "cannot copy " + entry.path().string() + ": " + ec.message();
                return false;
            }
        }
        if (ec) {
            *error = "cannot read " + source + ": " + ec.message();
            return false;
        }
        return true;
    }

private:
    std::string workdir_;
    std::string base_;
};

// What a file fault leaves behind: bytes no reader expects (NULs, invalid UTF-8, a long line
// without an end, stray separators), different for each path.
std::string garbageFor(const std::string& path) {
    std::uint32_t x = 2166136261u;
    for (const unsigned char c : path)
        x = (x ^ c) * 16777619u;
    std::string bytes;
    const std::size_t size = 64 + x % 4096;
    for (std::size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        static constexpr char kPieces[] = {'\0', '\xFF', '\xC3', ',', '"', '<', '|', '\r', '='};
        bytes += (x % 3 == 0) ? kPieces[(x >> 8) % sizeof kPieces] : static_cast<char>(x >> 16);
    }
    return bytes;
}

bool applyFileFault(const ProgramFolder& folder, const ControlCommand& command, std::string* why) {
    std::string relative = command.text;
    std::replace(relative.begin(), relative.end(), '/', '\\');
    const std::string path = folder.findCaseInsensitive("\\" + relative);
    std::error_code ec;
    if (command.action == "remove") {
        fs::remove_all(path, ec);
    } else {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << garbageFor(command.text);
        if (!out)
            ec = std::make_error_code(std::errc::io_error);
    }
    if (ec)
        *why = "error: cannot " + command.action + " " + command.text + ": " + ec.message();
    return !ec;
}

}  // namespace

int runDryRun(const DryRunOptions& options, std::ostream& out, std::ostream& err) {
    const auto from = parseDateTime(options.from);
    const auto to = parseDateTime(options.to);
    if (!from || !to) {
        err << "simulate: --from and --to take \"YYYY-MM-DD HH:MM:SS\"" << std::endl;
        return 2;
    }
    if (toCalendarMs(*to) <= toCalendarMs(*from)) {
        err << "simulate: --to must come after --from" << std::endl;
        return 2;
    }
    std::vector<TimedCommand> events;
    if (!options.eventsFile.empty()) {
        std::ifstream in(options.eventsFile, std::ios::binary);
        if (!in) {
            err << "simulate: cannot read the events file " << options.eventsFile << std::endl;
            return 2;
        }
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!parseEventsFile(text.str(), *from, &events, &error)) {
            err << "simulate: " << error << std::endl;
            return 2;
        }
    }

    RunFolder scratch(options.workdir);
    std::string error;
    if (!scratch.ready(&error) || !scratch.copyFrom(options.home, &error)) {
        err << "simulate: " << error << std::endl;
        return 2;
    }
    const ProgramFolder folder(scratch.home());
    if (!prepareProgramFolder(folder, &error)) {
        err << "simulate: " << error << std::endl;
        return 2;
    }

    VirtualClock clock(*from);
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    AirLog air(clock);
    air.setSink([&out](const std::string& line) { out << line << '\n'; });

    const ConfResult conf = loadProgramConf(folder.path("\\voxclock.conf"));
    for (const auto& warning : conf.warnings)
        err << warning << std::endl;
    SimNodeSystem nodes(rt, conf.conf, &air);
    // Destroyed before the loop it posts to, after the station that uses it.
    const std::unique_ptr<HttpClient> web =
        options.webClient ? options.webClient(loop, conf.conf.web.timeoutSeconds) : nullptr;
    ConsoleMessageBoxes ui(err);
    // The voice the station made last, for the events file's voice faults.
    VirtualVoice* voice = nullptr;
    StationPorts ports{rt, folder, nodes, ui, air, [&]() -> std::unique_ptr<Voice> {
                           auto made = std::make_unique<VirtualVoice>(rt);
                           voice = made.get();
                           return std::make_unique<LoggedVoice>(std::move(made), air,
                                                                folder.root());
                       }};
    ports.cwid = conf.conf.cwid;
    ports.http = web.get();
    ports.web = conf.conf.web;
    ports.maxTxSeconds = conf.conf.maxTxSeconds;
    Station station(std::move(ports));
    ui.setEventLog(&station.eventLog());

    const std::int64_t startMs = toCalendarMs(*from);
    const double origin = rt.now();
    for (const auto& event : events) {
        rt.callAt(origin + static_cast<double>(toCalendarMs(event.when) - startMs) / 1000.0,
                  [&nodes, &err, &voice, &folder, &station, event] {
                      std::string why;
                      const ControlCommand& command = event.command;
                      bool done = true;
                      if (command.kind == ControlCommand::Kind::File) {
                          done = applyFileFault(folder, command, &why);
                      } else if (command.kind == ControlCommand::Kind::Voice) {
                          // Only the voice the station holds now is alive.
                          if (!station.voice())
                              voice = nullptr;
                          if (!voice)
                              why = "error: there is no voice";
                          else if (command.action == "fail")
                              voice->failNext(command.count);
                          else if (command.action == "stall")
                              voice->stallNext(command.count);
                          else
                              voice->hangNext();
                          done = voice != nullptr;
                      } else {
                          done = nodes.execute(command, &why);
                      }
                      if (!done)
                          err << "events file line " << event.line << ": " << why << std::endl;
                  });
    }
    rt.callAt(origin + static_cast<double>(toCalendarMs(*to) - startMs) / 1000.0,
              [&rt] { rt.requestQuit(); });

    const int status = runStation(station);
    out.flush();
    return status;
}

}  // namespace vox
