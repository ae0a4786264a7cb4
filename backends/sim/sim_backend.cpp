#include "backends/sim/sim_backend.h"

namespace vox {

SimBackend::SimBackend(const NodeBackendContext& ctx) : nodes_(ctx.rt, ctx.conf, &ctx.air) {}

std::unique_ptr<NodeBackend> makeSimBackend(const NodeBackendContext& ctx) {
    return std::make_unique<SimBackend>(ctx);
}

}  // namespace vox
