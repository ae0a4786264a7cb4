// voxclock: the desktop program, the headless program, and the tools around them.
//
// The executable itself uses no Qt: the commands that need none (say, cwid) pay for no Qt
// library, and each program is a module loaded for it: voxclock-program (headless, simulate,
// lookup) or voxclock-desktop (the windows), so the headless program never loads the windows.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "adapters/installed_files.h"
#include "adapters/module_loader.h"
#include "adapters/say_command.h"
#include "core/base/program_folder.h"
#include "src/cwid_command.h"
#include "src/program_call.h"

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
    const std::string manual = vox::installedManual();
    std::fprintf(
        stderr, "The manual: %s\n",
        manual.empty() ? ("not found in " + vox::sharedFilesFolder()).c_str() : manual.c_str());
}

// Runs a command in its module; 1 when the module cannot be loaded.
int runInModule(const char* module, const char* entry, const VoxProgramCall& call) {
    std::string error;
    auto run = reinterpret_cast<VoxProgramEntry>(vox::loadModuleEntry(module, entry, &error));
    if (run == nullptr) {
        std::fprintf(stderr, "voxclock: %s\n", error.c_str());
        return 1;
    }
    return run(&call);
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
    VoxProgramCall call{argc, argv, "", "", "", "", "", "", ""};
    if (command == "lookup") {
        call.command = "lookup";
        return runInModule("voxclock-program", "voxclock_program", call);
    }
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
        call.command = "simulate";
        call.home = home.c_str();
        call.from = from.c_str();
        call.to = to.c_str();
        call.events = events.c_str();
        call.workdir = workdir.c_str();
        return runInModule("voxclock-program", "voxclock_program", call);
    }

    const std::string folder = vox::ProgramFolder::choose(home);
    call.folder = folder.c_str();
#ifdef VOXCLOCK_HAS_DESKTOP
    if (!headless) {
        if (displayAvailable()) {
            call.command = "desktop";
            return runInModule("voxclock-desktop", "voxclock_desktop", call);
        }
        std::fprintf(stderr, "No display found: running the headless program.\n");
    }
#else
    if (!headless)
        std::fprintf(stderr, "Built without the desktop: running the headless program.\n");
#endif
    call.command = "headless";
    return runInModule("voxclock-program", "voxclock_program", call);
}
