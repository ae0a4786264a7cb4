#include "backends/svxlink/svxlink_backend.h"

#include <iostream>

#include "backends/svxlink/svxlink_codes.h"
#include "core/settings/program_conf.h"
#include "core/station/station.h"

namespace vox {

SvxlinkBackend::SvxlinkBackend(const NodeBackendContext& ctx)
    : rt_(ctx.rt), node_(ctx.conf.svxlink, ctx.report) {}

SvxlinkBackend::~SvxlinkBackend() {
    // The keeper writes through the node.
    ownCodes_.reset();
}

void SvxlinkBackend::stationBuilt(Station& station) {
    ownCodes_ = std::make_unique<OwnCodesKeeper>(
        rt_, [&station] { return svxlinkOwnCodes(station.settings()); },
        [this](const OwnCodesKeeper::Codes& codes, std::string* error) {
            return node_.writeOwnCodes(codes, error);
        },
        [](const std::string& line) { std::cerr << line << std::endl; });
}

void SvxlinkBackend::stationRunning(Station& station) {
    checkCodes(station);
}

void SvxlinkBackend::stationStopped() {
    // Stopped: the Tcl hook must stop swallowing the codes nobody answers now.
    ownCodes_.reset();
    node_.removeOwnCodes();
}

std::string SvxlinkBackend::controlLine(const std::string&) {
    // The commands act on the simulated node, which is not the station's node here: an "ok"
    // would claim an effect there is not.
    return "error: the node is SvxLink; node control commands drive only the simulator "
           "([node] backend = sim)";
}

std::function<std::string(const std::string&)> SvxlinkBackend::codeRefusal() const {
    return svxlinkCodeRefusal;
}

void SvxlinkBackend::checkCodes(Station& station) {
    Settings settings = station.settings();
    if (applySvxlinkCodeDefaults(settings)) {
        station.applySettings(settings);
        station.eventLog().LogEvent(
            "DTMF: SvxLink cannot carry the default codes 00# and BADC: the INFO file is now 01* "
            "and the DTMF lock *8*");
    }
    for (const std::string& problem : svxlinkCodeProblems(station.settings())) {
        const std::string line = "DTMF on SvxLink: " + problem;
        std::cerr << line << std::endl;
        station.eventLog().LogEvent(line);
    }
}

std::unique_ptr<NodeBackend> makeSvxlinkBackend(const NodeBackendContext& ctx) {
    return std::make_unique<SvxlinkBackend>(ctx);
}

}  // namespace vox
