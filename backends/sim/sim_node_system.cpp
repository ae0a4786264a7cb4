#include "backends/sim/sim_node_system.h"

#include "core/base/text_helpers.h"

#include <algorithm>
#include <cctype>

#include "backends/sim/sim_node_link.h"

namespace vox {
namespace {

// "Options" or the full "SOFTWARE\QR7QR\EchoLink\Options"; the registry ignores letter case.
bool keyIs(const std::string& key, const std::string& last) {
    const std::string k = LowerAscii(key), l = LowerAscii(last);
    return k == l || (k.size() > l.size() && k.compare(k.size() - l.size(), l.size(), l) == 0 &&
                      k[k.size() - l.size() - 1] == '\\');
}

}  // namespace

SimNodeSystem::SimNodeSystem(Runtime& rt, ProgramConf conf, AirLog* air)
    : node_(std::make_shared<SimNode>(rt, std::move(conf), air)) {}

std::unique_ptr<NodeLink> SimNodeSystem::createNode(NodeEvents& events) {
    node_->check("CreateNode");
    return std::make_unique<SimNodeLink>(node_, events);
}

std::unique_ptr<SetupConfig> SimNodeSystem::createSetupConfig() {
    node_->check("CreateSetupConfig");
    return std::make_unique<SimSetupConfig>(node_);
}

std::unique_ptr<SysopConfig> SimNodeSystem::createSysopConfig() {
    node_->check("CreateSysopConfig");
    return std::make_unique<SimSysopConfig>();
}

std::string SimNodeSystem::registryValue(const std::string& key, const std::string& name) {
    const ProgramConf& conf = node_->conf();
    const std::string n = LowerAscii(name);
    if (keyIs(key, "Options") && n == "soundfilesdir")
        return conf.soundFilesDir;
    if (keyIs(key, "Sysop") && n == "dtmfcommands")
        return conf.dtmfCommands;
    if (keyIs(key, "Sysop") && n == "dtmfshortcuts")
        return conf.dtmfShortcuts;
    return {};
}

bool SimNodeSystem::execute(const ControlCommand& command, std::string* error) {
    using Kind = ControlCommand::Kind;
    SimNodeState& state = node_->mutableState();
    NodeEvents* events = node_->events();
    const bool needsText = command.kind == Kind::Connect || command.kind == Kind::Disconnect ||
                           command.kind == Kind::Dtmf || command.kind == Kind::Fail;
    if (needsText && command.text.empty()) {
        if (error)
            *error = "error: command without its argument";
        return false;
    }
    try {
        switch (command.kind) {
            case Kind::Connect:
                // A node switched off takes no one.
                if (!state.nodeEnabled) {
                    if (error)
                        *error = "error: the node is disabled";
                    return false;
                }
                // The station beat our own request to it.
                node_->cancelConnect(command.text);
                // One already connected is no news.
                if (node_->addStation(command.text) && events)
                    events->onConnected(command.text, "", "");
                break;
            case Kind::Disconnect:
                // A station that never finished connecting has nothing to leave.
                node_->cancelConnect(command.text);
                if (node_->removeStation(command.text) && events)
                    events->onDisconnected(command.text);
                break;
            case Kind::Chat:
                if (events)
                    events->onChatTextReceived(command.text);
                break;
            case Kind::Dtmf:
                if (events)
                    events->onDtmfString(command.text);
                break;
            case Kind::Receiving:
                state.receiving = command.on;
                node_->changed();
                break;
            case Kind::RemoteAudio:
                state.remoteAudio = command.on;
                node_->changed();
                break;
            case Kind::Busy:
                state.busy = command.on;
                node_->changed();
                break;
            case Kind::StationList:
                if (events)
                    events->onStationListReceived();
                break;
            case Kind::Close:
                if (events)
                    events->onClosing();
                break;
            case Kind::Fail: {
                const std::string member = nodeMemberName(command.text);
                if (member.empty()) {
                    if (error)
                        *error = "error: unknown node member '" + command.text + "'";
                    return false;
                }
                node_->failNext(member, command.count);
                break;
            }
            case Kind::Voice:
            case Kind::File:
                if (error)
                    *error = "error: 'voice' and 'file' work in a dry run only";
                return false;
        }
    } catch (const std::exception& e) {
        // A handler's failure must not unwind into the socket or stdin reader.
        if (error)
            *error = std::string("error: ") + e.what();
        return false;
    }
    return true;
}

void joinChat(SimNodeSystem& a, SimNodeSystem& b) {
    const auto forward = [](SimNodeSystem& from, SimNodeSystem& to) {
        return [&from, &to](const std::string& text) {
            ControlCommand chat;
            chat.kind = ControlCommand::Kind::Chat;
            chat.text = from.conf().callsign + ">" + text;
            to.execute(chat, nullptr);
        };
    };
    a.setOnChatSent(forward(a, b));
    b.setOnChatSent(forward(b, a));
}

std::string SimNodeSystem::handleLine(const std::string& line) {
    std::string error;
    const auto command = parseControlCommand(line, &error);
    if (!command)
        return error;
    if (!execute(*command, &error))
        return error;
    return "ok";
}

}  // namespace vox
