// voxclock: the headless program and the tools around it (simulate, say, cwid, lookup). It links
// no Qt Widgets or Gui: with a display and no command it starts the desktop program,
// voxclock-desktop, which stands beside it.
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "adapters/say_command.h"
#include "adapters/web_client.h"
#include "core/base/program_folder.h"
#include "core/sim/dry_run.h"
#include "src/cwid_command.h"
#include "src/lookup_command.h"
#include "src/program_host.h"

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

int runHeadless(int argc, char** argv, const std::string& folder) {
    QCoreApplication app(argc, argv);
    vox::ProgramHost host(folder);
    host.readStandardInput(true);
    std::string error;
    if (!host.prepare({}, &error)) {
        std::cerr << error << std::endl;
        return 1;
    }
    return host.exec();
}

int runSimulate(int argc, char** argv, const vox::DryRunOptions& given) {
    // The web client's thread needs a Qt application; the run itself keeps virtual time.
    QCoreApplication app(argc, argv);
    vox::DryRunOptions options = given;
    options.webClient = [](vox::EventLoop& loop, double timeoutSeconds) {
        return std::make_unique<vox::WebClient>(loop, timeoutSeconds);
    };
    return vox::runDryRun(options, std::cout, std::cerr);
}

[[maybe_unused]] bool displayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* v = std::getenv(name); v && *v)
            return true;
    const char* qpa = std::getenv("QT_QPA_PLATFORM");
    return qpa && *qpa;
}

// Replaces this process with voxclock-desktop from the folder of this executable, with the same
// arguments (argv[0] too, so the windows carry the name they always had). Returns only when that
// fails: 1, with the reason on standard error.
[[maybe_unused]] int execDesktop(char** argv) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path desktop = self.parent_path() / "voxclock-desktop";
    if (!ec)
        execv(desktop.c_str(), argv);
    std::fprintf(stderr, "voxclock: cannot start the desktop program %s: %s\n", desktop.c_str(),
                 ec ? ec.message().c_str() : std::strerror(errno));
    std::fprintf(stderr, "voxclock: use --headless to run without windows\n");
    return 1;
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
        return runSimulate(argc, argv, {home, from, to, events, workdir});
    }

#ifdef VOXCLOCK_HAS_DESKTOP
    if (!headless) {
        if (displayAvailable())
            return execDesktop(argv);
        std::fprintf(stderr, "No display found: running the headless program.\n");
    }
#else
    if (!headless)
        std::fprintf(stderr, "Built without the desktop: running the headless program.\n");
#endif
    return runHeadless(argc, argv, vox::ProgramFolder::choose(home));
}
