#include "echolink/remote_node_buttons.h"

namespace vox {

RemoteNodeButtons::RemoteNodeButtons(PartContext ctx, ControlRegistry& controls)
    : ctx_(std::move(ctx)) {
    for (int i = 0; i < Control::kRemoteNodes; ++i)
        controls.on(Control::cmdRemoteNode(i), [this, i] { cmdRemoteNode_Click(i); });
}

void RemoteNodeButtons::LoadNodeButtons() {
    for (int i = 0; i < Control::kRemoteNodes; ++i)
        ctx_.panel.setCaption(Control::cmdRemoteNode(i),
                              ctx_.settings.RemoteNodes[static_cast<std::size_t>(i)].Node);
}

void RemoteNodeButtons::cmdRemoteNode_Click(int) {
    ctx_.focus();
}

}  // namespace vox
