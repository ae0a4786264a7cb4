// The voxclock-program module: the programs on Qt Core, Network and SerialPort (headless,
// simulate, lookup), loaded by the executable for those commands only.
#include <QCoreApplication>
#include <iostream>
#include <string>

#include "adapters/web_client.h"
#include "core/sim/dry_run.h"
#include "src/lookup_command.h"
#include "src/program_call.h"
#include "src/program_host.h"

namespace {

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

int runSimulate(const VoxProgramCall& call) {
    // The web client's thread needs a Qt application; the run itself keeps virtual time.
    int argc = call.argc;
    QCoreApplication app(argc, call.argv);
    vox::DryRunOptions options{call.home, call.from, call.to, call.events, call.workdir};
    options.webClient = [](vox::EventLoop& loop, double timeoutSeconds) {
        return std::make_unique<vox::WebClient>(loop, timeoutSeconds);
    };
    return vox::runDryRun(options, std::cout, std::cerr);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int voxclock_program(const VoxProgramCall* call) {
    const std::string command = call->command;
    if (command == "simulate")
        return runSimulate(*call);
    if (command == "lookup")
        return vox::runLookupCommand(call->argc - 1, call->argv + 1);
    return runHeadless(call->argc, call->argv, call->folder);
}
