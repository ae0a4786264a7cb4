// voxclock-desktop: the desktop program, the windows around the station. `voxclock` with a display
// and no command starts it with its own arguments.
#include <cstdio>
#include <string>

#include "core/base/program_folder.h"
#include "src/desktop_program.h"

int main(int argc, char** argv) {
    std::string home;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--home" && i + 1 < argc) {
            home = argv[++i];
            continue;
        }
        std::fprintf(stderr, "usage: voxclock-desktop [--home DIR]\n");
        return arg == "--help" || arg == "-h" ? 0 : 2;
    }
    return vox::runDesktop(argc, argv, vox::ProgramFolder::choose(home));
}
