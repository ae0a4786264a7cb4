#pragma once

#include <functional>
#include <memory>
#include <string>

#include "backends/svxlink/pty_channel.h"
#include "backends/svxlink/svxlink_state.h"
#include "backends/svxlink/udp_audio_sink.h"
#include "core/base/node_link.h"
#include "core/settings/svxlink_conf.h"

namespace vox {

// SvxLink behind the node port: events from the main logic's STATE_PTY, commands through
// DTMF_CTRL_PTY and the EchoLink module's COMMAND_PTY, and our audio through the announcement
// logic (its PTY squelch and its UDP receiver). Runs on the Qt loop's thread.
class SvxlinkNodeSystem : public NodeSystem {
public:
    SvxlinkNodeSystem(SvxlinkConf conf, std::function<void(const std::string&)> log);
    ~SvxlinkNodeSystem() override;

    std::string name() const override;
    NodeCapabilities capabilities() const override;
    std::unique_ptr<NodeLink> createNode(NodeEvents& events) override;
    std::unique_ptr<SetupConfig> createSetupConfig() override;
    std::unique_ptr<SysopConfig> createSysopConfig() override;
    std::string registryValue(const std::string& key, const std::string& name) override;

    // Where the voice's audio goes.
    std::shared_ptr<UdpAudioSink> audio() { return audio_; }
    // Writes the codes SvxLink must leave to us, for the Tcl hook; false with the reason.
    bool writeOwnCodes(const std::vector<std::string>& codes, std::string* error);
    // At a clean exit: SvxLink's modules get every code again.
    void removeOwnCodes();

    // For the link.
    const SvxlinkConf& conf() const { return conf_; }
    // Throws NodeError when SvxLink is not there (its state PTY is closed).
    void requireNode(const char* what) const;
    void command(PtyChannel& pty, const std::string& text, const char* what);
    PtyChannel& dtmf() { return *dtmf_; }
    PtyChannel* echolink() { return echolink_.get(); }
    SvxlinkStateTracker& tracker() { return tracker_; }
    void setEvents(NodeEvents* events) { events_ = events; }

private:
    // Forwards to the current link's handlers; the tracker outlives links.
    struct Forward : NodeEvents {
        SvxlinkNodeSystem& sys;
        explicit Forward(SvxlinkNodeSystem& s) : sys(s) {}
        void onConnected(const std::string& c, const std::string& n,
                         const std::string& e) override {
            if (sys.events_)
                sys.events_->onConnected(c, n, e);
        }
        void onDisconnected(const std::string& c) override {
            if (sys.events_)
                sys.events_->onDisconnected(c);
        }
        void onChatTextReceived(const std::string& t) override {
            if (sys.events_)
                sys.events_->onChatTextReceived(t);
        }
        void onStationListReceived() override {}
        void onDtmfString(const std::string& d) override {
            if (sys.events_)
                sys.events_->onDtmfString(d);
        }
        void onClosing() override {}
    };
    void stateData(const std::string& bytes);
    void stateChanged(bool open, const std::string& line);

    SvxlinkConf conf_;
    std::function<void(const std::string&)> log_;
    NodeEvents* events_ = nullptr;
    Forward forward_{*this};
    SvxlinkStateTracker tracker_{forward_};
    std::string partial_;
    std::unique_ptr<PtyChannel> state_;
    std::unique_ptr<PtyChannel> dtmf_;
    std::unique_ptr<PtyChannel> squelch_;
    std::unique_ptr<PtyChannel> echolink_;
    std::shared_ptr<UdpAudioSink> audio_;
};

}  // namespace vox
