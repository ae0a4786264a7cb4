#include "backends/svxlink/svxlink_node.h"

#include <algorithm>
#include <filesystem>

#include "backends/svxlink/svxlink_codes.h"
#include "core/base/atomic_file.h"
#include "core/base/node_capabilities.h"

namespace vox {
namespace {

const char* const kSource = "SvxLink";

class SvxlinkNodeLink : public NodeLink {
public:
    SvxlinkNodeLink(SvxlinkNodeSystem& sys, NodeEvents& events) : sys_(sys) {
        sys_.setEvents(&events);
    }
    ~SvxlinkNodeLink() override {
        sys_.setEvents(nullptr);
        sys_.audio()->unkey();
    }

    // SvxLink has none of the capabilities beyond what every node does.
    std::string name() const override { return kSource; }

    void connectTo(const std::string& call) override {
        sys_.requireNode("connect");
        // The EchoLink module connects by node number; calls need the directory's lookup.
        if (call.empty() ||
            !std::all_of(call.begin(), call.end(), [](char c) { return c >= '0' && c <= '9'; }))
            throw NodeError(kSource,
                            "SvxLink connects by EchoLink node number only, not '" + call + "'");
        sys_.command(sys_.dtmf(), sys_.conf().echolinkModuleId + call + "#", "connect");
    }
    void disconnectFrom(const std::string& call) override {
        sys_.requireNode("disconnect");
        PtyChannel* el = sys_.echolink();
        if (!el)
            throw NodeError(kSource, "no EchoLink command PTY configured");
        sys_.command(*el, "DISC " + call + "\n", "disconnect");
    }
    void setPtt(bool on) override {
        if (!on) {
            sys_.audio()->unkey();
            return;
        }
        sys_.requireNode("key the transmitter");
        std::string error;
        if (!sys_.audio()->key(&error))
            throw NodeError(kSource, "cannot key the transmitter: " + error);
    }
    bool isRemoteAudio() override {
        sys_.requireNode("report remote audio");
        return sys_.tracker().remoteAudio();
    }
    bool isTransmitting() override {
        sys_.requireNode("report the transmitter");
        return sys_.tracker().transmitting();
    }
    bool isReceiving() override {
        sys_.requireNode("report the receiver");
        return sys_.tracker().receiving();
    }
    long connectedCount() override {
        sys_.requireNode("count stations");
        return sys_.tracker().connectedCount();
    }
    bool isConnected(const std::string& call) override {
        sys_.requireNode("report stations");
        return sys_.tracker().isConnected(call);
    }

private:
    SvxlinkNodeSystem& sys_;
};

class SvxlinkSetupConfig : public SetupConfig {
public:
    explicit SvxlinkSetupConfig(std::string call) : call_(std::move(call)) {}
    std::string callsign() override { return call_; }
    // A node with a radio.
    bool sysopMode() override { return true; }
    void setRecordingMode(int) override { cannotRecord(kSource); }

private:
    std::string call_;
};

class SvxlinkSysopConfig : public SysopConfig {};

}  // namespace

SvxlinkNodeSystem::SvxlinkNodeSystem(SvxlinkConf conf, std::function<void(const std::string&)> log)
    : conf_(std::move(conf)), log_(std::move(log)) {
    const auto quietState = [this](bool, const std::string& line) {
        if (log_)
            log_(line);
    };
    const auto drop = [](const std::string&) {};  // DTMF_CTRL_PTY echoes what we write
    dtmf_ = std::make_unique<PtyChannel>(conf_.dtmfCtrlPty, drop, quietState);
    squelch_ = std::make_unique<PtyChannel>(conf_.squelchPty, drop, quietState);
    if (!conf_.echolinkCommandPty.empty())
        echolink_ = std::make_unique<PtyChannel>(conf_.echolinkCommandPty, drop, quietState);
    audio_ = std::make_shared<UdpAudioSink>(
        conf_.audioHost, conf_.audioPort, conf_.sampleRate, conf_.channels,
        [this](char c, std::string* error) { return squelch_->write(std::string(1, c), error); },
        log_);
    // Last: opening it may reach for the others at once.
    state_ = std::make_unique<PtyChannel>(
        conf_.statePty, [this](const std::string& b) { stateData(b); },
        [this](bool open, const std::string& line) { stateChanged(open, line); });
}

SvxlinkNodeSystem::~SvxlinkNodeSystem() {
    // The sink closes the squelch while the PTY is still open; the voice may hold it longer.
    audio_->shutdown();
}

void SvxlinkNodeSystem::stateData(const std::string& bytes) {
    partial_ += bytes;
    std::size_t nl;
    while ((nl = partial_.find('\n')) != std::string::npos) {
        const std::string line = partial_.substr(0, nl);
        partial_.erase(0, nl + 1);
        const std::string outcome = tracker_.feed(line);
        if (!outcome.empty() && log_ && outcome.rfind("ignored: unknown event", 0) != 0)
            log_("SvxLink state line " + outcome + ": " + line.substr(0, 80));
    }
    // A line never runs this long: drop it rather than grow.
    if (partial_.size() > 8192)
        partial_.clear();
}

void SvxlinkNodeSystem::stateChanged(bool open, const std::string& line) {
    if (log_)
        log_(line);
    partial_.clear();
    if (open) {
        // SvxLink is back: its other PTYs are there too.
        dtmf_->tryOpen();
        squelch_->tryOpen();
        if (echolink_)
            echolink_->tryOpen();
        // Before anything else: a squelch left open by an earlier run that died while keyed
        // would hold the transmitter and hide our own keying.
        if (squelch_->isOpen())
            audio_->clearStale();
        return;
    }
    // SvxLink is gone: nothing we keyed stays keyed, no station stays connected.
    audio_->unkey();
    tracker_.nodeGone();
}

void SvxlinkNodeSystem::requireNode(const char* what) const {
    if (!state_->isOpen())
        throw NodeError(kSource, std::string("SvxLink is not running (") + conf_.statePty +
                                     " is not open): cannot " + what);
}

void SvxlinkNodeSystem::command(PtyChannel& pty, const std::string& text, const char* what) {
    std::string error;
    if (!pty.write(text, &error))
        throw NodeError(kSource, std::string("cannot ") + what + ": " + error);
}

bool SvxlinkNodeSystem::writeOwnCodes(const std::vector<std::string>& codes, std::string* error) {
    return writeFileAtomically(conf_.ownCodesFile, svxlinkOwnCodesText(codes), error);
}

void SvxlinkNodeSystem::removeOwnCodes() {
    std::error_code ec;
    std::filesystem::remove(conf_.ownCodesFile, ec);
}

std::string SvxlinkNodeSystem::name() const {
    return kSource;
}

NodeCapabilities SvxlinkNodeSystem::capabilities() const {
    return {};
}

std::unique_ptr<NodeLink> SvxlinkNodeSystem::createNode(NodeEvents& events) {
    return std::make_unique<SvxlinkNodeLink>(*this, events);
}

std::unique_ptr<SetupConfig> SvxlinkNodeSystem::createSetupConfig() {
    return std::make_unique<SvxlinkSetupConfig>(conf_.callsign);
}

std::unique_ptr<SysopConfig> SvxlinkNodeSystem::createSysopConfig() {
    return std::make_unique<SvxlinkSysopConfig>();
}

std::string SvxlinkNodeSystem::registryValue(const std::string& key, const std::string& name) {
    return svxlinkRegistryValue(conf_, key, name);
}

}  // namespace vox
