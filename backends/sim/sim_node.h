#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/base/air_log.h"
#include "core/base/node_link.h"
#include "core/base/runtime.h"
#include "core/settings/program_conf.h"

namespace vox {

// What the simulated node shows: enough for a window and for tests.
struct SimNodeState {
    std::vector<std::string> connected;  // in the order they connected
    bool ptt = false;                    // also what IsTransmitting reports
    bool receiving = false;
    bool remoteAudio = false;
    bool busy = false;
    bool nodeEnabled = true;
    bool recording = false;
    int recordingMode = 0;
    bool rts = false;
    bool dtr = false;
    bool stationListHeld = false;
};

// The one simulated node behind a system: every link and configuration object it hands out
// shares it. Lives on the behaviour thread.
class SimNode : public std::enable_shared_from_this<SimNode> {
public:
    SimNode(Runtime& rt, ProgramConf conf, AirLog* air);

    Runtime& runtime() { return rt_; }
    const ProgramConf& conf() const { return conf_; }
    const SimNodeState& state() const { return state_; }
    SimNodeState& mutableState() { return state_; }
    void setOnChange(std::function<void()> fn) { onChange_ = std::move(fn); }
    // Called with every chat line the station sends, after it is logged.
    void setOnChatSent(std::function<void(const std::string&)> fn) { onChatSent_ = std::move(fn); }
    void chatSent(const std::string& text) {
        if (onChatSent_)
            onChatSent_(text);
    }
    void changed() {
        if (onChange_)
            onChange_();
    }
    void record(const std::string& ev, std::initializer_list<AirField> fields) {
        if (air_)
            air_->record(ev, fields);
    }

    // Injected failures: the next `count` calls of the member throw NodeError.
    void failNext(const std::string& member, int count);
    void check(const std::string& member);

    // Events go to the newest link that is still alive, or nowhere.
    void attach(NodeEvents* events) { listeners_.push_back(events); }
    void detach(NodeEvents* events);
    NodeEvents* events() const { return listeners_.empty() ? nullptr : listeners_.back(); }

    bool isConnected(const std::string& call) const;
    // A station joins or leaves; false when nothing changed.
    bool addStation(const std::string& call);
    bool removeStation(const std::string& call);

    // Our own connect requests: Connected follows after the configured delay.
    void startConnect(const std::string& call);
    bool isConnecting(const std::string& call) const;
    bool cancelConnect(const std::string& call);
    // Disconnected is raised from a posted call, not from inside the request.
    void postDisconnected(const std::string& call);

private:
    Runtime& rt_;
    ProgramConf conf_;
    AirLog* air_;
    SimNodeState state_;
    std::function<void()> onChange_;
    std::function<void(const std::string&)> onChatSent_;
    std::map<std::string, int> faults_;
    std::vector<NodeEvents*> listeners_;
    std::map<std::string, std::uint64_t> connecting_;  // upper-case call -> pending call id
};

}  // namespace vox
