#pragma once

#include <memory>

#include "backends/sim/sim_node.h"
#include "core/base/node_link.h"

namespace vox {

// The node's automation object, on the simulated node.
class SimNodeLink : public NodeLink,
                    NodeChat,
                    NodeBusy,
                    NodeSwitch,
                    NodeRecorder,
                    NodeStationList,
                    NodeSerialLines {
public:
    SimNodeLink(std::shared_ptr<SimNode> node, NodeEvents& events);
    ~SimNodeLink() override;

    std::string name() const override { return "EchoLink"; }
    // The simulated node can do everything a node does.
    NodeChat* chat() override { return this; }
    NodeBusy* busyFlag() override { return this; }
    NodeSwitch* powerSwitch() override { return this; }
    NodeRecorder* recorder() override { return this; }
    NodeStationList* stationList() override { return this; }
    NodeSerialLines* serialLines() override { return this; }

    void connectTo(const std::string& call) override;
    void disconnectFrom(const std::string& call) override;
    void setPtt(bool on) override;
    bool isRemoteAudio() override;
    bool isTransmitting() override;
    bool isReceiving() override;
    long connectedCount() override;
    bool isConnected(const std::string& call) override;

private:
    void holdStationList() override;
    std::string stationListXml() override;
    void setNodeEnabled(bool on) override;
    void startRecording() override;
    void stopRecording() override;
    void playAudio(const std::string& path) override;
    int sysopPttControl() override;
    bool busy() override;
    void setBusy(bool on) override;
    void setRts(bool on) override;
    void setDtr(bool on) override;
    void sendChat(const std::string& text) override;

    std::shared_ptr<SimNode> node_;
    NodeEvents& events_;
};

class SimSetupConfig : public SetupConfig {
public:
    explicit SimSetupConfig(std::shared_ptr<SimNode> node) : node_(std::move(node)) {}
    std::string callsign() override;
    bool sysopMode() override;
    void setRecordingMode(int mode) override;

private:
    std::shared_ptr<SimNode> node_;
};

class SimSysopConfig : public SysopConfig {};

}  // namespace vox
