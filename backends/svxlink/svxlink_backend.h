#pragma once

#include <memory>

#include "backends/node_backend.h"
#include "backends/svxlink/own_codes_keeper.h"
#include "backends/svxlink/svxlink_node.h"

namespace vox {

// [node] backend = svxlink: SvxLink's PTYs and announcement receiver, and its Tcl hook kept told
// which DTMF codes are ours while the station runs.
class SvxlinkBackend : public NodeBackend {
public:
    explicit SvxlinkBackend(const NodeBackendContext& ctx);
    ~SvxlinkBackend() override;

    NodeSystem& node() override { return node_; }
    std::shared_ptr<AudioOutput> voiceOutput() override { return node_.audio(); }
    void stationBuilt(Station& station) override;
    void stationRunning(Station& station) override;
    void stationStopped() override;
    std::string controlLine(const std::string& line) override;
    std::function<std::string(const std::string&)> codeRefusal() const override;

private:
    // Once the settings are read: the DTMF defaults SvxLink cannot carry are replaced, and each
    // code that cannot arrive whole is reported once.
    void checkCodes(Station& station);

    Runtime& rt_;
    SvxlinkNodeSystem node_;
    std::unique_ptr<OwnCodesKeeper> ownCodes_;
};

std::unique_ptr<NodeBackend> makeSvxlinkBackend(const NodeBackendContext& ctx);

}  // namespace vox
