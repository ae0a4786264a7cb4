// The voxclock-tools module: the commands that need no Qt (say, cwid), loaded by the executable
// for them only, so the programs that run for months carry none of their code.
#include <string>

#include "cwid_command.h"
#include "program_call.h"
#include "say_command.h"

extern "C" __attribute__((visibility("default"))) int voxclock_tools(const VoxProgramCall* call) {
    const std::string command = call->command;
    if (command == "say")
        return vox::runSayCommand(call->argc - 1, call->argv + 1);
    return vox::runCwidCommand(call->argc - 1, call->argv + 1);
}
