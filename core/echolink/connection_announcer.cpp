#include "echolink/connection_announcer.h"

namespace vox {

ConnectionAnnouncer::ConnectionAnnouncer(PartContext ctx, Timer& connections, Timer& chatText)
    : ctx_(std::move(ctx)) {
    connections.setOnTick([this] { tConnections_Timer(); });
    chatText.setOnTick([this] { tChatText_Timer(); });
}

void ConnectionAnnouncer::onConnected(const std::string& call) {
    ctx_.state.PendingConnect = call;
}
void ConnectionAnnouncer::onDisconnected(const std::string& call) {
    ctx_.state.PendingDisconnect = call;
}
void ConnectionAnnouncer::onChatTextReceived(const std::string& text) {
    ctx_.state.PendingChatText = text;
}
void ConnectionAnnouncer::AnnounceConnect(const std::string&) {}
void ConnectionAnnouncer::AnnounceDisconnect(const std::string&) {}
void ConnectionAnnouncer::ReadChatText(const std::string&) {}
void ConnectionAnnouncer::AnnounceRemoteNotice(const std::string&) {}
void ConnectionAnnouncer::SendChatMessage(const std::string&) {}
void ConnectionAnnouncer::tConnections_Timer() {}
void ConnectionAnnouncer::tChatText_Timer() {}

}  // namespace vox
