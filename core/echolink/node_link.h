#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace vox {

// A failing node member, as the node reports it: the source and a description.
class NodeError : public std::runtime_error {
public:
    NodeError(std::string source, std::string description)
        : std::runtime_error(source + ": " + description),
          source_(std::move(source)),
          description_(std::move(description)) {}
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

private:
    std::string source_;
    std::string description_;
};

// What the node tells us. Handlers only record what happened; timers do the work later.
class NodeEvents {
public:
    virtual ~NodeEvents() = default;
    virtual void onConnected(const std::string& call, const std::string& name,
                             const std::string& extra) = 0;
    virtual void onDisconnected(const std::string& call) = 0;
    virtual void onChatTextReceived(const std::string& text) = 0;  // "CALL>message"
    virtual void onStationListReceived() = 0;
    virtual void onDtmfString(const std::string& digits) = 0;
    virtual void onClosing() = 0;
};

// The node's automation object. Every member may throw NodeError; no member retries.
class NodeLink {
public:
    virtual ~NodeLink() = default;
    virtual void connectTo(const std::string& call) = 0;
    virtual void disconnectFrom(const std::string& call) = 0;
    virtual void setPtt(bool on) = 0;
    virtual bool isRemoteAudio() = 0;
    virtual bool isTransmitting() = 0;
    virtual bool isReceiving() = 0;
    virtual long connectedCount() = 0;
    virtual bool isConnected(const std::string& call) = 0;
    virtual void holdStationList() = 0;  // the StationList object: only held
    virtual std::string stationListXml() = 0;
    virtual void setNodeEnabled(bool on) = 0;
    virtual void startRecording() = 0;
    virtual void stopRecording() = 0;
    virtual void playAudio(const std::string& path) = 0;
    virtual int sysopPttControl() = 0;  // SysopSettings.PttControl: 2 = RTS keys, 3 = DTR keys
    virtual bool busy() = 0;
    virtual void setBusy(bool on) = 0;
    virtual void setRts(bool on) = 0;
    virtual void setDtr(bool on) = 0;
    virtual void sendChat(const std::string& text) = 0;
};

// "EchoLink.SetupConfig"
class SetupConfig {
public:
    virtual ~SetupConfig() = default;
    virtual std::string callsign() = 0;
    virtual bool sysopMode() = 0;
    virtual void setRecordingMode(int mode) = 0;
};

// "EchoLink.SysopConfig": created and held.
class SysopConfig {
public:
    virtual ~SysopConfig() = default;
};

// What the machine offers of the node program: its automation objects and its registry values.
class NodeSystem {
public:
    virtual ~NodeSystem() = default;
    // Each throws NodeError when the node program is missing or not answering.
    virtual std::unique_ptr<NodeLink> createNode(NodeEvents& events) = 0;
    virtual std::unique_ptr<SetupConfig> createSetupConfig() = 0;
    virtual std::unique_ptr<SysopConfig> createSysopConfig() = 0;
    // Registry values: "Options\SoundFilesDir", "Sysop\DTMFCommands", "Sysop\DTMFShortCuts".
    // Empty when missing.
    virtual std::string registryValue(const std::string& key, const std::string& name) = 0;
};

}  // namespace vox
