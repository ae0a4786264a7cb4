#pragma once

#include <memory>

#include "backends/node_backend.h"
#include "backends/sim/sim_node_system.h"

namespace vox {

// [node] backend = sim: the simulated node, driven by control commands and its window.
class SimBackend : public NodeBackend {
public:
    explicit SimBackend(const NodeBackendContext& ctx);

    NodeSystem& node() override { return nodes_; }
    std::string controlLine(const std::string& line) override { return nodes_.handleLine(line); }
    SimNodeSystem* simulator() override { return &nodes_; }

private:
    SimNodeSystem nodes_;
};

std::unique_ptr<NodeBackend> makeSimBackend(const NodeBackendContext& ctx);

}  // namespace vox
