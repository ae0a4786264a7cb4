// voxclock: the desktop program, the headless program, and the tools around them.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "base/program_folder.h"
#include "cwid_command.h"
#include "lookup_command.h"
#include "program_host.h"
#include "qt_http_client.h"
#include "say_command.h"
#include "sim/dry_run.h"
#ifdef VOXCLOCK_HAS_DESKTOP
#include "desktop_program.h"
#endif

namespace {

void usage() {
    std::fprintf(
        stderr,
        "usage: voxclock [--home DIR]                 desktop program (headless without a "
        "display)\n"
        "       voxclock --headless [--home DIR]      without windows; control commands on stdin\n"
        "       voxclock simulate --home DIR --from \"YYYY-MM-DD HH:MM:SS\" --to \"YYYY-MM-DD "
        "HH:MM:SS\" [--events FILE] [--workdir NEWDIR]\n"
        "       voxclock say [--home DIR] [--wav FILE] TEXT\n"
        "       voxclock cwid [--home DIR] [--wpm N] [--tone HZ] TEXT --wav FILE\n"
        "       voxclock lookup [--home DIR] CALL\n"
        "       voxclock --version\n");
}

int runHeadless(int argc, char** argv, const std::string& home) {
    QCoreApplication app(argc, argv);
    vox::ProgramHost host(home);
    host.readStandardInput(true);
    std::string error;
    if (!host.prepare({}, &error)) {
        std::cerr << error << std::endl;
        return 1;
    }
    return host.exec();
}

[[maybe_unused]] bool displayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* v = std::getenv(name); v && *v)
            return true;
    const char* qpa = std::getenv("QT_QPA_PLATFORM");
    return qpa && *qpa;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "say")
        return vox::runSayCommand(argc - 1, argv + 1);
    if (command == "cwid")
        return vox::runCwidCommand(argc - 1, argv + 1);
    if (command == "lookup")
        return vox::runLookupCommand(argc - 1, argv + 1);
    if (command == "--version") {
        std::printf("Voxclock TTS %d.%d.%d\n", VOXCLOCK_VERSION_MAJOR, VOXCLOCK_VERSION_MINOR,
                    VOXCLOCK_VERSION_PATCH);
        return 0;
    }

    std::string home, from, to, events, workdir;
    bool headless = false;
    const bool simulate = command == "simulate";
    for (int i = simulate ? 2 : 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        bool ok = true;
        if (arg == "--home")
            ok = value(home);
        else if (arg == "--headless" && !simulate)
            headless = true;
        else if (simulate && arg == "--from")
            ok = value(from);
        else if (simulate && arg == "--to")
            ok = value(to);
        else if (simulate && arg == "--events")
            ok = value(events);
        else if (simulate && arg == "--workdir")
            ok = value(workdir);
        else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else
            ok = false;
        if (!ok) {
            usage();
            return 2;
        }
    }

    if (simulate) {
        if (home.empty() || from.empty() || to.empty()) {
            usage();
            return 2;
        }
        // The web client's thread needs a Qt application; the run itself keeps virtual time.
        QCoreApplication app(argc, argv);
        vox::DryRunOptions options{home, from, to, events, workdir};
        options.webClient = [](vox::EventLoop& loop, double timeoutSeconds) {
            return std::make_unique<vox::QtHttpClient>(loop, timeoutSeconds);
        };
        return vox::runDryRun(options, std::cout, std::cerr);
    }

    const std::string folder = vox::ProgramFolder::choose(home);
#ifdef VOXCLOCK_HAS_DESKTOP
    if (!headless) {
        if (displayAvailable())
            return vox::runDesktop(argc, argv, folder);
        std::fprintf(stderr, "No display found: running the headless program.\n");
    }
#else
    if (!headless)
        std::fprintf(stderr, "Built without the desktop: running the headless program.\n");
#endif
    return runHeadless(argc, argv, folder);
}
