#include "src/lookup_command.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <string>

#include "adapters/qt_runtime.h"
#include "adapters/web_client.h"
#include "core/base/program_folder.h"
#include "core/base/runtime.h"
#include "core/base/web_fetch.h"
#include "core/lookup/node_lookup.h"
#include "core/parts/event_log.h"
#include "core/settings/program_conf.h"

namespace vox {
namespace {

int usage() {
    std::fprintf(stderr, "usage: voxclock lookup [--home DIR] CALL\n");
    return 2;
}

}  // namespace

int runLookupCommand(int argc, char** argv) {
    std::string home, call;
    bool haveCall = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--home") {
            if (i + 1 >= argc)
                return usage();
            home = argv[++i];
        } else if ((arg.rfind("--", 0) == 0 && arg.size() > 2) || haveCall) {
            return usage();
        } else {
            call = arg;
            haveCall = true;
        }
    }
    if (!haveCall)
        return usage();

    const ProgramFolder folder(ProgramFolder::choose(home));
    const ConfResult loaded = loadProgramConf(folder.path("voxclock.conf"));
    for (const std::string& warning : loaded.warnings)
        std::fprintf(stderr, "voxclock lookup: %s\n", warning.c_str());
    const ProgramConf& conf = loaded.conf;

    // The web client's thread needs a Qt application.
    static int qtArgc = 1;
    static char qtName[] = "voxclock";
    static char* qtArgv[] = {qtName, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);

    LookupResult result;
    {
        SystemClock clock;
        QtEventLoop loop(clock);
        Runtime rt(clock, loop);
        WebClient http(loop, conf.web.timeoutSeconds);
        WebFetcher web(rt, &http, nullptr, conf.web.timeoutSeconds);
        // Why a lookup failed goes to the event log too, where the owner looks for it.
        EventLog eventLog(folder, clock);
        NodeLookup lookup(
            web, conf.web.lookupUrl, [&conf] { return conf.callsign; },
            {VOXCLOCK_VERSION_MAJOR, VOXCLOCK_VERSION_MINOR, VOXCLOCK_VERSION_PATCH},
            [&eventLog](const std::string& line) { eventLog.LogEvent(line); });
        result = lookup.find(call);
    }

    // What the window shows, ending its last line.
    std::fputs(result.text.c_str(), stdout);
    if (result.text.empty() || result.text.back() != '\n')
        std::fputc('\n', stdout);
    std::fflush(stdout);
    switch (result.outcome) {
        case LookupOutcome::Found:
            return 0;
        case LookupOutcome::NotFound:
            return 1;
        case LookupOutcome::Error:
            break;
    }
    std::fprintf(stderr, "voxclock lookup: %s\n", result.reason.c_str());
    return 2;
}

}  // namespace vox
