// The voxclock-desktop module: the windows on Qt Widgets, loaded by the executable only when it
// runs the desktop program.
#include "src/desktop_program.h"
#include "src/program_call.h"

extern "C" __attribute__((visibility("default"))) int voxclock_desktop(const VoxProgramCall* call) {
    return vox::runDesktop(call->argc, call->argv, call->folder);
}
