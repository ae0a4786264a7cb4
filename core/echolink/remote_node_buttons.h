#pragma once

#include "app/control_registry.h"
#include "app/part_context.h"

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
    PartContext ctx_;
};

}  // namespace vox
