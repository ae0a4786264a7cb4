#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "core/parts/part_context.h"

namespace vox {

// Stations connecting to and leaving the node, spoken on the air; the notices that nodes running
// this program exchange through the chat about them; and chat messages read aloud. The node's
// event handlers only record; tConnections and tChatText do the speaking.
//
// Connects and disconnects wait in one queue, in the order they came, so a station that connects
// while another is being announced is announced too. The queue is bounded: a flood of events
// drops the oldest. pendingConnect() and pendingDisconnect() show the latest of each kind still
// waiting (empty when none). Chat keeps one slot, pendingChatText(): a newer text replaces one not
// yet read, so strangers cannot stack up air time.
class ConnectionAnnouncer {
public:
    // Events kept waiting at most; beyond that the oldest go unannounced.
    static constexpr std::size_t kMaxWaiting = 64;

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
    // Passes a text unchanged to the node's chat. False when the node refused it.
    bool SendChatMessage(const std::string& text);

    // Connects and disconnects not yet announced.
    std::size_t waiting() const { return waiting_.size(); }
    const std::string& pendingConnect() const { return connect_; }
    const std::string& pendingDisconnect() const { return disconnect_; }
    const std::string& pendingChatText() const { return chatText_; }

private:
    struct Waiting {
        bool connect;
        std::string call;
    };

    void tConnections_Timer();
    void tChatText_Timer();
    void enqueue(bool connect, const std::string& call);
    // Keeps the latest connect and disconnect in step with the queue.
    void showWaiting();
    void announce(bool connect, const std::string& rawCall);
    // A stranger's call sign spelled for the configured voice, its characters escaped.
    std::string spellStranger(const std::string& call) const;

    PartContext ctx_;
    std::deque<Waiting> waiting_;
    bool overflowLogged_ = false;
    std::string connect_;
    std::string disconnect_;
    std::string chatText_;
};

}  // namespace vox
