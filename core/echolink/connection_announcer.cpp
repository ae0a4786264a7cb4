#include "core/echolink/connection_announcer.h"

#include "core/base/node_capabilities.h"

#include <cctype>

#include "core/base/guarded.h"
#include "core/base/text_helpers.h"
#include "core/base/xml_escape.h"
#include "core/parts/call_spelling.h"
#include "core/parts/controls.h"
#include "core/parts/speech_output.h"
#include "core/parts/time_phrases.h"

namespace vox {

namespace {

constexpr const char* kConnectNotice = "|ET|CO|";
constexpr const char* kDisconnectNotice = "|ET|DI|";

// Position of `what` in `text`, letter case ignored; npos when absent.
std::size_t findNoCase(const std::string& text, const std::string& what) {
    return LowerAscii(text).find(LowerAscii(what));
}

bool endsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           LowerAscii(text.substr(text.size() - tail.size())) == LowerAscii(tail);
}

// Text from a stranger, made safe for the speech markup: the markup reader turns the entities
// back into the characters, so it is heard as written and can never be a tag.
std::string escapeStranger(const std::string& text) {
    return xmlEscape(text, {.blankControls = true});
}

// One line per event in the log, whatever a call sign holds.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return text;
}

// A chat sender or the node named in a notice: the text before the first ">", cut before its
// first "-". Empty when there is no ">".
std::string senderOf(const std::string& text) {
    const std::size_t gt = text.find('>');
    if (gt == std::string::npos)
        return {};
    const std::string sender = text.substr(0, gt);
    return sender.substr(0, sender.find('-'));
}

}  // namespace

ConnectionAnnouncer::ConnectionAnnouncer(PartContext ctx, Timer& connections, Timer& chatText)
    : ctx_(std::move(ctx)) {
    connections.setOnTick([this] { tConnections_Timer(); });
    chatText.setOnTick([this] { tChatText_Timer(); });
    // Nothing waiting, nothing to tick for: the runtime need not wake ten times a second for it.
    connections.setIdleWhen([this] { return waiting_.empty(); });
    chatText.setIdleWhen([this] { return chatText_.empty(); });
}

void ConnectionAnnouncer::onConnected(const std::string& call) {
    if (call.empty())
        return;
    if (ctx_.settings.TtsRemoteConnDisc == 1)
        SendChatMessage(kConnectNotice + call + "|");
    enqueue(true, call);
}

void ConnectionAnnouncer::onDisconnected(const std::string& call) {
    if (call.empty())
        return;
    if (ctx_.settings.TtsRemoteConnDisc == 1)
        SendChatMessage(kDisconnectNotice + call + "|");
    enqueue(false, call);
}

void ConnectionAnnouncer::onChatTextReceived(const std::string& text) {
    chatText_ = text;
}

void ConnectionAnnouncer::enqueue(bool connect, const std::string& call) {
    if (waiting_.size() >= kMaxWaiting) {
        waiting_.pop_front();
        // Once per flood, not once per event: the log must not grow with it.
        if (!overflowLogged_)
            ctx_.log.LogEvent(
                "<EchoLink> too many connects and disconnects at once: the oldest "
                "are not announced");
        overflowLogged_ = true;
    }
    waiting_.push_back({connect, call});
    showWaiting();
}

void ConnectionAnnouncer::showWaiting() {
    connect_.clear();
    disconnect_.clear();
    for (const Waiting& w : waiting_)
        (w.connect ? connect_ : disconnect_) = w.call;
    if (waiting_.empty())
        overflowLogged_ = false;
}

void ConnectionAnnouncer::tConnections_Timer() {
    if (waiting_.empty())
        return;
    const Waiting next = waiting_.front();
    waiting_.pop_front();
    showWaiting();
    if (next.connect)
        AnnounceConnect(next.call);
    else
        AnnounceDisconnect(next.call);
}

void ConnectionAnnouncer::AnnounceConnect(const std::string& call) {
    guarded("connect announcement", [&] { announce(true, call); });
}

void ConnectionAnnouncer::AnnounceDisconnect(const std::string& call) {
    guarded("disconnect announcement", [&] { announce(false, call); });
}

std::string ConnectionAnnouncer::spellStranger(const std::string& call) const {
    if (ctx_.settings.VoiceTypeAtt != 0)
        return escapeStranger(ATTCall(call));
    std::string out;
    for (char c : call)
        out += "<spell>" + escapeStranger(std::string(1, c)) + "</spell> ";
    return out;
}

void ConnectionAnnouncer::announce(bool connect, const std::string& rawCall) {
    ctx_.log.LogEvent((connect ? "<EchoLink> connected: " : "<EchoLink> disconnected: ") +
                      oneLine(rawCall));
    std::string call = rawCall;
    std::erase(call, '*');
    if (call.empty())
        return;
    for (int i = 0; i < Control::kRemoteNodes; ++i) {
        const std::string& node = ctx_.settings.RemoteNodes[static_cast<std::size_t>(i)].Node;
        if (!node.empty() && LowerAscii(node) == LowerAscii(call))
            ctx_.panel.setCaption(Control::cmdRemoteNode(i), connect ? "*" + node : node);
    }
    if (ctx_.speech.reportSleeping())
        return;
    if (ctx_.settings.TtsLocalConnDisc == 0)
        return;
    NodeLink& link = ctx_.node.link();
    if (ctx_.settings.SkipIfBusy == 1) {
        // A connecting station usually talks at once; give it the chance first.
        if (connect)
            ctx_.rt.waitSeconds(2);
        if (link.isRemoteAudio() || link.isReceiving())
            return;
    }
    const std::string suffix =
        ctx_.settings.TimeAfterConnDisc == 1
            ? " at " + connDiscTimePhrase(ctx_.rt.localNow(), ctx_.settings.TtsTime24) + "."
            : ".";
    ctx_.rt.waitWhile([&] { return ctx_.node.link().isReceiving(); });
    ctx_.rt.waitSeconds(2);

    const std::string verb = connect ? ", connected" : ", dis connected";
    std::string sentence;
    if (call.find('-') != std::string::npos) {
        std::string kind;
        if (endsWithNoCase(call, "-L"))
            kind = "Link";
        else if (endsWithNoCase(call, "-R"))
            kind = "Repeater";
        if (!kind.empty())
            call.resize(call.size() - 2);
        if (call.empty())
            return;
        const std::string between = ctx_.settings.VoiceTypeAtt == 0 ? "," : " ";
        sentence = spellStranger(call) + between + kind + verb + suffix;
    } else {
        sentence = spellStranger(call) + verb + suffix;
    }
    ctx_.rt.waitWhile([&] { return ctx_.node.link().isRemoteAudio(); });
    ctx_.speech.SpeakText(sentence);
}

void ConnectionAnnouncer::tChatText_Timer() {
    if (ctx_.panel.checked(Control::cbNoText)) {
        chatText_.clear();
        return;
    }
    if (!chatText_.empty())
        ReadChatText(chatText_);
}

void ConnectionAnnouncer::ReadChatText(const std::string& given) {
    // The slot may be what we were handed: keep our own copy before emptying it.
    const std::string text = given;
    chatText_.clear();
    guarded("chat text", [&] {
        if (ctx_.speech.reportSleeping())
            return;
        if (findNoCase(text, "|ET|") != std::string::npos) {
            // Our own notice coming back names us. An unknown own call is found in every text,
            // so then no notice is spoken rather than one about ourselves.
            if (findNoCase(text, ctx_.state.OwnCall) == std::string::npos)
                AnnounceRemoteNotice(text);
            return;
        }
        if (ctx_.settings.TtsChatMsg == 0)
            return;
        const std::size_t gt = text.find('>');
        if (gt == std::string::npos)
            return;
        const std::string sender = senderOf(text);
        if (sender.empty())
            return;
        const std::string message = text.substr(gt + 1);
        const std::string spelled = spellStranger(sender);
        ctx_.rt.waitWhile([&] {
            if (!ctx_.node.link().isRemoteAudio())
                return false;
            ctx_.panel.setPanel(StatusPanel::Speech, "TTS is Waiting");
            return true;
        });
        if (ctx_.settings.TtsFullChatText == 1)
            ctx_.speech.SpeakText("Text Message from " + spelled + ". " + escapeStranger(message) +
                                  " .");
        else
            ctx_.speech.SpeakText("Text Message from " + spelled + " .");
    });
}

void ConnectionAnnouncer::AnnounceRemoteNotice(const std::string& given) {
    const std::string text = given;
    chatText_.clear();
    guarded("remote notice", [&] {
        const std::size_t et = findNoCase(text, "|ET|");
        if (ctx_.settings.TtsRemoteConnDisc == 0 || et == std::string::npos ||
            ctx_.state.TTSSleeping)
            return;
        const std::string sender = senderOf(text);
        if (sender.empty())
            return;
        // The kind must be written in capitals, and closed by its bar.
        const std::string kind = text.substr(et + 4, 2);
        const bool connect = kind == "CO";
        if ((!connect && kind != "DI") || text.size() < et + 7 || text[et + 6] != '|')
            return;
        // The station runs to the notice's closing bar, which ends the line: a notice without
        // one is cut short, and a line with a second notice in it is no notice we can read.
        std::string station = text.substr(et + 7);
        if (station.empty() || station.back() != '|')
            return;
        station.pop_back();
        if (station.empty() || station.find('|') != std::string::npos)
            return;

        NodeLink& link = ctx_.node.link();
        ctx_.rt.waitWhile([&] { return ctx_.node.link().isReceiving(); });
        ctx_.rt.waitSeconds(2);
        // A station is talking: our courtesy beep would only cut into it.
        if (link.isRemoteAudio())
            ctx_.state.gSamIsTalking = true;

        std::string kindWord;
        if (station.find('-') != std::string::npos) {
            if (station.back() == 'L')
                kindWord = "Link";
            else if (station.back() == 'R')
                kindWord = "Repeater";
            station.resize(station.size() >= 2 ? station.size() - 2 : 0);
        }
        if (station.empty())
            return;
        const std::string verb = connect ? " connected to " : " dis connected from ";
        std::string spokenStation, spokenSender;
        if (ctx_.settings.VoiceTypeAtt == 0) {
            spokenStation = spellStranger(station);
            spokenSender = spellStranger(sender);
        } else {
            spokenStation = connect ? escapeStranger(station) : spellStranger(station);
            spokenSender = escapeStranger(sender);
        }
        std::string sentence = spokenStation;
        if (!kindWord.empty())
            sentence += ", " + kindWord + ", ";
        sentence += verb + spokenSender;
        ctx_.rt.waitWhile([&] { return ctx_.node.link().isRemoteAudio(); });
        ctx_.speech.SpeakText(sentence);
    });
}

bool ConnectionAnnouncer::SendChatMessage(const std::string& text) {
    return guarded("chat message", [&] { vox::sendChat(ctx_.node.link(), text); });
}

}  // namespace vox
