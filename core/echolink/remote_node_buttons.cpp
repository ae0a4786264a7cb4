#include "core/echolink/remote_node_buttons.h"

#include "core/base/guarded.h"
#include "core/base/xml_escape.h"
#include "core/parts/speech_output.h"

namespace vox {
namespace {

// The part of a call that is spelled: up to its first "-" ("W1AW-L" -> "W1AW"). Characters that
// would open markup are dropped; a settings file can hold anything.
std::string spelledPart(const std::string& call) {
    std::string out;
    for (char c : call.substr(0, call.find('-')))
        if (c != '<' && c != '>' && c != '&')
            out += c;
    return out;
}

}  // namespace

RemoteNodeButtons::RemoteNodeButtons(PartContext ctx, ControlRegistry& controls)
    : ctx_(std::move(ctx)) {
    for (int i = 0; i < Control::kRemoteNodes; ++i)
        controls.on(Control::cmdRemoteNode(i), [this, i] { cmdRemoteNode_Click(i); });
}

void RemoteNodeButtons::LoadNodeButtons() {
    // A failing node leaves the buttons not reached yet as they were.
    guarded("remote-node captions", [&] {
        for (int i = 0; i < Control::kRemoteNodes; ++i) {
            const std::string node = ctx_.settings.RemoteNodes[static_cast<std::size_t>(i)].Node;
            const bool connected = ctx_.node.link().isConnected(node);
            ctx_.panel.setCaption(Control::cmdRemoteNode(i), connected ? "*" + node : node);
        }
    });
}

void RemoteNodeButtons::cmdRemoteNode_Click(int index) {
    if (index < 0 || index >= Control::kRemoteNodes)
        return;
    ctx_.focus();
    ctx_.panel.setPanel(StatusPanel::Speech, "");
    // A copy: the settings may be replaced while the error is being spoken.
    const std::string call = ctx_.settings.RemoteNodes[static_cast<std::size_t>(index)].Node;
    try {
        NodeLink& link = ctx_.node.link();
        if (link.isConnected(call))
            link.disconnectFrom(call);
        else
            link.connectTo(call);
        // The caption follows the node's Connected/Disconnected events, not the press.
        ctx_.focus();
    } catch (const NodeError& e) {
        reportNodeError(call, e);
    }
}

void RemoteNodeButtons::reportNodeError(const std::string& call, const NodeError& error) {
    ctx_.panel.setPanel(StatusPanel::Speech, error.source() + ": " + error.description());
    guarded("remote-node error", [&] {
        ctx_.speech.SpeakText(ctx_.speech.SpellCall(spelledPart(call)) + "," +
                              xmlEscape(error.description()));
    });
}

}  // namespace vox
