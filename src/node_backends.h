#pragma once

#include <memory>
#include <string>

#include "backends/node_backend.h"

namespace vox {

// The backend that [node] backend names; null for a name no backend has.
std::unique_ptr<NodeBackend> createNodeBackend(const std::string& name,
                                               const NodeBackendContext& ctx);

}  // namespace vox
