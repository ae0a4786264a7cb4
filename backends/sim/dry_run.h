#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "core/base/event_loop.h"
#include "core/base/http_client.h"

namespace vox {

struct DryRunOptions {
    std::string home;        // the program folder whose configuration is tried
    std::string from;        // "YYYY-MM-DD HH:MM:SS"
    std::string to;          // "YYYY-MM-DD HH:MM:SS"
    std::string eventsFile;  // optional
    // Optional: the run works in this folder (it must not exist yet) and leaves it behind, so
    // the files the run wrote can be read afterwards.
    std::string workdir = {};
    // Optional: makes the web port for the spoken reports over the run's event loop, with the
    // configured time-out. Fetches really happen and take no virtual time; without it every
    // fetch fails.
    std::function<std::unique_ptr<HttpClient>(EventLoop& loop, double timeoutSeconds)> webClient =
        {};
    // Optional: the settings file's text the run starts from instead of the copied one (a
    // running program's settings, which reach its file only at the next save).
    std::string settingsText = {};
};

// Runs the whole program, start-up and shutdown included, in virtual time with the node simulator
// and a virtual voice, and writes the air log to out. The run works on a copy of the program
// folder (a scratch one, or the work folder asked for), so the owner's settings, log and
// recordings are never touched. Returns the exit status:
// 0 after a normal run, 1 when start-up ended the program, 2 for bad arguments or events.
int runDryRun(const DryRunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vox
