#pragma once

#include <functional>
#include <memory>
#include <string>

#include "backends/sim/control_command.h"
#include "backends/sim/sim_node.h"
#include "core/base/air_log.h"
#include "core/base/node_link.h"
#include "core/base/runtime.h"
#include "core/settings/program_conf.h"

namespace vox {

// A node program that lives inside this one: it answers the automation calls from its own state,
// records in the air log what reaches it, and takes control commands for what the outside world
// does (stations connecting, chat, tones, the receiver, injected failures).
class SimNodeSystem : public NodeSystem {
public:
    SimNodeSystem(Runtime& rt, ProgramConf conf, AirLog* air = nullptr);

    std::string name() const override { return "EchoLink"; }
    NodeCapabilities capabilities() const override { return NodeCapabilities::every(); }
    std::unique_ptr<NodeLink> createNode(NodeEvents& events) override;
    std::unique_ptr<SetupConfig> createSetupConfig() override;
    std::unique_ptr<SysopConfig> createSysopConfig() override;
    std::string registryValue(const std::string& key, const std::string& name) override;

    // Events raised here go to the newest link; without one they are dropped.
    bool execute(const ControlCommand& command, std::string* error);
    // One control line: "ok", the error line, or empty for a blank or comment line.
    std::string handleLine(const std::string& line);

    const SimNodeState& state() const { return node_->state(); }
    // Called after every change of the state, for a window that shows it live.
    void setOnChange(std::function<void()> fn) { node_->setOnChange(std::move(fn)); }
    // Called with every chat line the station sends (after the air log has it), so a test can
    // hand it to another node.
    void setOnChatSent(std::function<void(const std::string&)> fn) {
        node_->setOnChatSent(std::move(fn));
    }
    const ProgramConf& conf() const { return node_->conf(); }

private:
    std::shared_ptr<SimNode> node_;
};

// Two simulated nodes in one conference: every chat line one station sends arrives at the other
// as the sender's call sign, ">", and the line, as the node program delivers chat.
void joinChat(SimNodeSystem& a, SimNodeSystem& b);

}  // namespace vox
