#pragma once

#include <string>

#include "core/parts/control_registry.h"
#include "core/parts/part_context.h"

namespace vox {

// The eight remote-node buttons: each shows its node's call ("*" in front while connected) and
// connects or drops that node.
class RemoteNodeButtons {
public:
    // Answers cmdRemoteNode0 .. cmdRemoteNode7.
    RemoteNodeButtons(PartContext ctx, ControlRegistry& controls);

    // Rebuilds the eight captions from the settings and the node's connections.
    void LoadNodeButtons();
    void cmdRemoteNode_Click(int index);

private:
    // The node refused: the error in panel 4, and the call and the reason on the air.
    void reportNodeError(const std::string& call, const NodeError& error);

    PartContext ctx_;
};

}  // namespace vox
