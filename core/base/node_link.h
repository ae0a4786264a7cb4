#pragma once

#include <initializer_list>
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

// What a node can do beyond what every node does. A backend declares its set; the link hands out
// the matching interface, or null when the node lacks it (core/base/node_capabilities.h says
// what the station does then).
enum class NodeCapability { Chat, Busy, Enable, Recording, StationList, SerialLines };
inline constexpr NodeCapability kNodeCapabilities[] = {
    NodeCapability::Chat,      NodeCapability::Busy,        NodeCapability::Enable,
    NodeCapability::Recording, NodeCapability::StationList, NodeCapability::SerialLines};

class NodeCapabilities {
public:
    NodeCapabilities() = default;
    NodeCapabilities(std::initializer_list<NodeCapability> all) {
        for (NodeCapability c : all)
            bits_ |= bit(c);
    }
    static NodeCapabilities every() {
        NodeCapabilities set;
        for (NodeCapability c : kNodeCapabilities)
            set.bits_ |= bit(c);
        return set;
    }
    bool has(NodeCapability c) const { return (bits_ & bit(c)) != 0; }

private:
    static unsigned bit(NodeCapability c) { return 1u << static_cast<unsigned>(c); }
    unsigned bits_ = 0;
};

// Text messages to the connected stations.
class NodeChat {
public:
    virtual ~NodeChat() = default;
    virtual void sendChat(const std::string& text) = 0;
};

// The node's busy flag, which callers see.
class NodeBusy {
public:
    virtual ~NodeBusy() = default;
    virtual bool busy() = 0;
    virtual void setBusy(bool on) = 0;
};

// Switching the node on and off from outside.
class NodeSwitch {
public:
    virtual ~NodeSwitch() = default;
    virtual void setNodeEnabled(bool on) = 0;
};

// Recording what the node hears, and playing a file over the link.
class NodeRecorder {
public:
    virtual ~NodeRecorder() = default;
    virtual void startRecording() = 0;
    virtual void stopRecording() = 0;
    virtual void playAudio(const std::string& path) = 0;
};

// The details of the stations the node knows.
class NodeStationList {
public:
    virtual ~NodeStationList() = default;
    virtual void holdStationList() = 0;  // the StationList object: only held
    virtual std::string stationListXml() = 0;
};

// The node's own serial port: its RTS and DTR lines.
class NodeSerialLines {
public:
    virtual ~NodeSerialLines() = default;
    virtual int sysopPttControl() = 0;  // SysopSettings.PttControl: 2 = RTS keys, 3 = DTR keys
    virtual void setRts(bool on) = 0;
    virtual void setDtr(bool on) = 0;
};

// The node's automation object: what every node does. Every member may throw NodeError; no
// member retries.
class NodeLink {
public:
    virtual ~NodeLink() = default;
    // The node's name, the source of its errors ("SvxLink").
    virtual std::string name() const = 0;
    virtual void connectTo(const std::string& call) = 0;
    virtual void disconnectFrom(const std::string& call) = 0;
    virtual void setPtt(bool on) = 0;
    virtual bool isRemoteAudio() = 0;
    virtual bool isTransmitting() = 0;
    virtual bool isReceiving() = 0;
    virtual long connectedCount() = 0;
    virtual bool isConnected(const std::string& call) = 0;

    // The capabilities the node has; null when it lacks one.
    virtual NodeChat* chat() { return nullptr; }
    virtual NodeBusy* busyFlag() { return nullptr; }
    virtual NodeSwitch* powerSwitch() { return nullptr; }
    virtual NodeRecorder* recorder() { return nullptr; }
    virtual NodeStationList* stationList() { return nullptr; }
    virtual NodeSerialLines* serialLines() { return nullptr; }
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
    // The node's name, the source of its errors ("SvxLink").
    virtual std::string name() const = 0;
    // What its links can do beyond what every node does.
    virtual NodeCapabilities capabilities() const = 0;
    // Each throws NodeError when the node program is missing or not answering.
    virtual std::unique_ptr<NodeLink> createNode(NodeEvents& events) = 0;
    virtual std::unique_ptr<SetupConfig> createSetupConfig() = 0;
    virtual std::unique_ptr<SysopConfig> createSysopConfig() = 0;
    // Registry values: "Options\SoundFilesDir", "Sysop\DTMFCommands", "Sysop\DTMFShortCuts".
    // Empty when missing.
    virtual std::string registryValue(const std::string& key, const std::string& name) = 0;
};

}  // namespace vox
