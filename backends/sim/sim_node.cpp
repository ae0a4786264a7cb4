#include "backends/sim/sim_node.h"

#include "core/base/text_helpers.h"

#include <algorithm>
#include <cctype>

namespace vox {

SimNode::SimNode(Runtime& rt, ProgramConf conf, AirLog* air)
    : rt_(rt), conf_(std::move(conf)), air_(air) {}

void SimNode::failNext(const std::string& member, int count) {
    if (count > 0)
        faults_[member] = count;
    else
        faults_.erase(member);
}

void SimNode::check(const std::string& member) {
    const auto it = faults_.find(member);
    if (it == faults_.end())
        return;
    if (--it->second == 0)
        faults_.erase(it);
    throw NodeError(member, "Injected failure");
}

void SimNode::detach(NodeEvents* events) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), events), listeners_.end());
}

bool SimNode::isConnected(const std::string& call) const {
    const std::string wanted = UpperAscii(call);
    return std::any_of(state_.connected.begin(), state_.connected.end(),
                       [&](const std::string& c) { return UpperAscii(c) == wanted; });
}

bool SimNode::addStation(const std::string& call) {
    if (isConnected(call))
        return false;
    state_.connected.push_back(call);
    changed();
    return true;
}

bool SimNode::removeStation(const std::string& call) {
    const std::string wanted = UpperAscii(call);
    const auto it = std::find_if(state_.connected.begin(), state_.connected.end(),
                                 [&](const std::string& c) { return UpperAscii(c) == wanted; });
    if (it == state_.connected.end())
        return false;
    state_.connected.erase(it);
    changed();
    return true;
}

void SimNode::startConnect(const std::string& call) {
    // The node may be gone when the delay ends; then nobody hears of it.
    std::weak_ptr<SimNode> self = weak_from_this();
    connecting_[UpperAscii(call)] = rt_.callAfter(conf_.connectDelayMs / 1000.0, [self, call] {
        const auto node = self.lock();
        if (!node)
            return;
        node->connecting_.erase(UpperAscii(call));
        // Switched off while the connection was being set up: it never completes.
        if (!node->state().nodeEnabled || !node->addStation(call))
            return;
        if (NodeEvents* events = node->events())
            events->onConnected(call, "", "");
    });
}

bool SimNode::isConnecting(const std::string& call) const {
    return connecting_.count(UpperAscii(call)) > 0;
}

bool SimNode::cancelConnect(const std::string& call) {
    const auto it = connecting_.find(UpperAscii(call));
    if (it == connecting_.end())
        return false;
    rt_.cancel(it->second);
    connecting_.erase(it);
    return true;
}

void SimNode::postDisconnected(const std::string& call) {
    std::weak_ptr<SimNode> self = weak_from_this();
    rt_.callAfter(0, [self, call] {
        const auto node = self.lock();
        if (!node)
            return;
        if (NodeEvents* events = node->events())
            events->onDisconnected(call);
    });
}

}  // namespace vox
