#include "core/base/node_capabilities.h"

namespace vox {
namespace {

// What a node without the capability cannot do, as its error says it.
const char* const kChat = "send chat";
const char* const kReportBusy = "report a busy state";
const char* const kSetBusy = "set a busy state";
const char* const kSwitch = "switch the node on or off from outside";
const char* const kRecord = "record from outside";
const char* const kPlay = "play a file over the link";
const char* const kList = "list the stations' details";
const char* const kRts = "drive RTS (set [fan] serial_port)";
const char* const kDtr = "drive DTR (set [fan] serial_port)";
const char* const kLines = "drive RTS or DTR (set [fan] serial_port)";

[[noreturn]] void cannot(const std::string& node, const std::string& what) {
    throw NodeError(node, node + " cannot " + what);
}

}  // namespace

void sendChat(NodeLink& link, const std::string& text) {
    NodeChat* chat = link.chat();
    if (!chat)
        cannot(link.name(), kChat);
    chat->sendChat(text);
}

bool nodeBusy(NodeLink& link) {
    NodeBusy* busy = link.busyFlag();
    if (!busy)
        cannot(link.name(), kReportBusy);
    return busy->busy();
}

void setNodeBusy(NodeLink& link, bool on) {
    NodeBusy* busy = link.busyFlag();
    if (!busy)
        cannot(link.name(), kSetBusy);
    busy->setBusy(on);
}

void setNodeEnabled(NodeLink& link, bool on) {
    NodeSwitch* power = link.powerSwitch();
    if (!power)
        cannot(link.name(), kSwitch);
    power->setNodeEnabled(on);
}

void startRecording(NodeLink& link) {
    NodeRecorder* recorder = link.recorder();
    if (!recorder)
        cannotRecord(link.name());
    recorder->startRecording();
}

void stopRecording(NodeLink& link) {
    NodeRecorder* recorder = link.recorder();
    if (!recorder)
        cannotRecord(link.name());
    recorder->stopRecording();
}

void playAudio(NodeLink& link, const std::string& path) {
    NodeRecorder* recorder = link.recorder();
    if (!recorder)
        cannot(link.name(), kPlay);
    recorder->playAudio(path);
}

void holdStationList(NodeLink& link) {
    if (NodeStationList* list = link.stationList())
        list->holdStationList();
}

std::string stationListXml(NodeLink& link) {
    NodeStationList* list = link.stationList();
    if (!list)
        cannot(link.name(), kList);
    return list->stationListXml();
}

int sysopPttControl(NodeLink& link) {
    NodeSerialLines* lines = link.serialLines();
    return lines ? lines->sysopPttControl() : 0;
}

void setRts(NodeLink& link, bool on) {
    NodeSerialLines* lines = link.serialLines();
    if (!lines)
        cannot(link.name(), kRts);
    lines->setRts(on);
}

void setDtr(NodeLink& link, bool on) {
    NodeSerialLines* lines = link.serialLines();
    if (!lines)
        cannot(link.name(), kDtr);
    lines->setDtr(on);
}

void cannotRecord(const std::string& node) {
    cannot(node, kRecord);
}

std::string lackingReason(const std::string& node, NodeCapability capability) {
    const char* what = "";
    switch (capability) {
        case NodeCapability::Chat:
            what = kChat;
            break;
        case NodeCapability::Busy:
            what = kSetBusy;
            break;
        case NodeCapability::Enable:
            what = kSwitch;
            break;
        case NodeCapability::Recording:
            what = kRecord;
            break;
        case NodeCapability::StationList:
            what = kList;
            break;
        case NodeCapability::SerialLines:
            what = kLines;
            break;
    }
    return node + " cannot " + what;
}

}  // namespace vox
