#include "backends/sim/sim_node_link.h"

#include "core/base/text_helpers.h"
#include "core/base/xml_escape.h"

#include <algorithm>
#include <cctype>

#include "backends/sim/sim_call_sign.h"

namespace vox {
namespace {

std::string xmlAttribute(const std::string& text) {
    return xmlEscape(text, {.apostrophe = true});
}

}  // namespace

SimNodeLink::SimNodeLink(std::shared_ptr<SimNode> node, NodeEvents& events)
    : node_(std::move(node)), events_(events) {
    node_->attach(&events_);
}

SimNodeLink::~SimNodeLink() {
    node_->detach(&events_);
}

void SimNodeLink::connectTo(const std::string& call) {
    node_->check("ConnectTo");
    if (call.empty())
        throw NodeError("EchoLink", "No station given to connect to");
    if (!plausibleNodeCall(call))
        throw NodeError("EchoLink", "Station " + call + " is not in the station list");
    if (!node_->state().nodeEnabled)
        throw NodeError("EchoLink", "The node is disabled");
    // The node answers with the station's own spelling, which is upper case.
    const std::string station = UpperAscii(call);
    node_->record("connect", {{"call", station}});
    if (node_->isConnected(station) || node_->isConnecting(station))
        return;
    node_->startConnect(station);
}

void SimNodeLink::disconnectFrom(const std::string& call) {
    node_->check("DisconnectFrom");
    node_->record("disconnect", {{"call", call}});
    // A connection still being set up is abandoned without a word; an unknown call is ignored.
    if (node_->cancelConnect(call))
        return;
    if (node_->removeStation(call))
        node_->postDisconnected(UpperAscii(call));
}

void SimNodeLink::setPtt(bool on) {
    node_->check("SetPtt");
    if (node_->state().ptt == on)
        return;
    node_->mutableState().ptt = on;
    node_->changed();
}

bool SimNodeLink::isRemoteAudio() {
    node_->check("IsRemoteAudio");
    return node_->state().remoteAudio;
}

bool SimNodeLink::isTransmitting() {
    node_->check("IsTransmitting");
    return node_->state().ptt;
}

bool SimNodeLink::isReceiving() {
    node_->check("IsReceiving");
    return node_->state().receiving;
}

long SimNodeLink::connectedCount() {
    node_->check("ConnectedCount");
    return static_cast<long>(node_->state().connected.size());
}

bool SimNodeLink::isConnected(const std::string& call) {
    node_->check("IsConnected");
    return node_->isConnected(call);
}

void SimNodeLink::holdStationList() {
    node_->check("StationList");
    node_->mutableState().stationListHeld = true;
}

std::string SimNodeLink::stationListXml() {
    node_->check("StationListXml");
    std::string xml = "<stations>";
    for (const std::string& call : node_->state().connected)
        xml += "<station call=\"" + xmlAttribute(call) + "\"/>";
    return xml + "</stations>";
}

void SimNodeLink::setNodeEnabled(bool on) {
    node_->check("SetNodeEnabled");
    node_->record("node", {{"on", on}});
    node_->mutableState().nodeEnabled = on;
    node_->changed();
}

void SimNodeLink::startRecording() {
    node_->check("StartRecording");
    node_->record("record", {{"on", true}});
    node_->mutableState().recording = true;
    node_->changed();
}

void SimNodeLink::stopRecording() {
    node_->check("StopRecording");
    node_->record("record", {{"on", false}});
    node_->mutableState().recording = false;
    node_->changed();
}

void SimNodeLink::playAudio(const std::string& path) {
    node_->check("PlayAudio");
    node_->record("playaudio", {{"file", path}});
}

int SimNodeLink::sysopPttControl() {
    node_->check("SysopSettings");
    return node_->conf().pttControl;
}

bool SimNodeLink::busy() {
    node_->check("Busy");
    return node_->state().busy;
}

void SimNodeLink::setBusy(bool on) {
    node_->check("Busy");
    node_->record("busy", {{"on", on}});
    node_->mutableState().busy = on;
    node_->changed();
}

void SimNodeLink::setRts(bool on) {
    node_->check("SetRts");
    if (node_->state().rts == on)
        return;
    node_->record("rts", {{"on", on}});
    node_->mutableState().rts = on;
    node_->changed();
}

void SimNodeLink::setDtr(bool on) {
    node_->check("SetDtr");
    if (node_->state().dtr == on)
        return;
    node_->record("dtr", {{"on", on}});
    node_->mutableState().dtr = on;
    node_->changed();
}

void SimNodeLink::sendChat(const std::string& text) {
    node_->check("SendChat");
    node_->record("chat", {{"text", text}});
    node_->chatSent(text);
}

std::string SimSetupConfig::callsign() {
    node_->check("Callsign");
    return node_->conf().callsign;
}

bool SimSetupConfig::sysopMode() {
    node_->check("SysopMode");
    return node_->conf().sysopMode != 0;
}

void SimSetupConfig::setRecordingMode(int mode) {
    node_->check("RecordingMode");
    node_->mutableState().recordingMode = mode;
    node_->changed();
}

}  // namespace vox
