#pragma once

#include <string>

#include "core/base/node_link.h"

namespace vox {

// The node port's optional members, as the station uses them. A node that lacks the capability
// fails with NodeError("<node> cannot ..."), the same way a node refuses a member it has; the
// texts are here and nowhere else.
void sendChat(NodeLink& link, const std::string& text);
bool nodeBusy(NodeLink& link);
void setNodeBusy(NodeLink& link, bool on);
void setNodeEnabled(NodeLink& link, bool on);
void startRecording(NodeLink& link);
void stopRecording(NodeLink& link);
void playAudio(NodeLink& link, const std::string& path);
// Without a station list there is nothing to hold: nothing happens.
void holdStationList(NodeLink& link);
std::string stationListXml(NodeLink& link);
// Without serial lines neither line keys the transmitter: 0.
int sysopPttControl(NodeLink& link);
void setRts(NodeLink& link, bool on);
void setDtr(NodeLink& link, bool on);
// SetupConfig.SetRecordingMode on a node that cannot record.
[[noreturn]] void cannotRecord(const std::string& node);

// Why a control that needs the capability does nothing on this node ("SvxLink cannot send chat"),
// for the desktop's greyed controls.
std::string lackingReason(const std::string& node, NodeCapability capability);

}  // namespace vox
