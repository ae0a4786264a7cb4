#pragma once

#include <string>

#include "app/part_context.h"

namespace vox {

// Stations connecting to and leaving the node, spoken on the air; the notices that nodes running
// this program exchange through the chat about them; and chat messages read aloud. The node's
// event handlers only record; tConnections and tChatText do the speaking.
class ConnectionAnnouncer {
public:
    // Drives tConnections and tChatText.
    ConnectionAnnouncer(PartContext ctx, Timer& connections, Timer& chatText);

    // The node's events (ELo_Connected, ELo_Disconnected, ELo_ChatTextReceived).
    void onConnected(const std::string& call);
    void onDisconnected(const std::string& call);
    void onChatTextReceived(const std::string& text);

    void AnnounceConnect(const std::string& call);
    void AnnounceDisconnect(const std::string& call);
    void ReadChatText(const std::string& text);
    void AnnounceRemoteNotice(const std::string& text);
    // Passes a text unchanged to the node's chat.
    void SendChatMessage(const std::string& text);

private:
    void tConnections_Timer();
    void tChatText_Timer();

    PartContext ctx_;
};

}  // namespace vox
