#include "src/node_backends.h"

#include "backends/sim/sim_backend.h"
#include "backends/svxlink/svxlink_backend.h"

namespace vox {
namespace {

using Factory = std::unique_ptr<NodeBackend> (*)(const NodeBackendContext&);

// The node backends there are, by their name in [node] backend: a new backend is one line here.
struct Entry {
    const char* name;
    Factory make;
};
constexpr Entry kBackends[] = {
    {"sim", makeSimBackend},
    {"svxlink", makeSvxlinkBackend},
};

}  // namespace

std::unique_ptr<NodeBackend> createNodeBackend(const std::string& name,
                                               const NodeBackendContext& ctx) {
    for (const Entry& entry : kBackends)
        if (name == entry.name)
            return entry.make(ctx);
    return nullptr;
}

}  // namespace vox
