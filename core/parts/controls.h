#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vox {

// The main window's controls, by their names on the window. Use these, never a bare string: the
// front panel refuses a name that is not one of them.
namespace Control {
// Check boxes.
inline constexpr const char* cbHour = "cbHour";
inline constexpr const char* cbHalfHour = "cbHalfHour";
inline constexpr const char* cbQuarterHour = "cbQuarterHour";
inline constexpr const char* cbFileHour = "cbFileHour";
inline constexpr const char* cbFileHalfHour = "cbFileHalfHour";
inline constexpr const char* cbFileQuarterHour = "cbFileQuarterHour";
inline constexpr const char* cbAutoOverride = "cbAutoOverride";
inline constexpr const char* cbNoText = "cbNoText";
inline constexpr const char* FanRTS = "FanRTS";
inline constexpr const char* FanDTR = "FanDTR";
// Buttons.
inline constexpr const char* CMDTime = "CMDTime";
inline constexpr const char* CMDFile = "CMDFile";
inline constexpr const char* Command1 = "Command1";  // send the CW identification
inline constexpr const char* Command2 = "Command2";  // get the weather
inline constexpr const char* cbRecordStart = "cbRecordStart";
inline constexpr const char* cbRecordStop = "cbRecordStop";
inline constexpr const char* cbRecordPlayback = "cbRecordPlayback";
// Labels, frames and boxes that show a text.
inline constexpr const char* lblPTT = "lblPTT";
inline constexpr const char* lblTwo = "lblTwo";  // a click silences the voice
inline constexpr const char* frFan = "frFan";
inline constexpr const char* tbFileName = "tbFileName";

constexpr int kRemoteNodes = 8;
// "cmdRemoteNode0" .. "cmdRemoteNode7".
std::string cmdRemoteNode(int index);

// The check boxes and the buttons, in the window's order.
const std::vector<std::string>& checkBoxes();
const std::vector<std::string>& buttons();
// True for every name above and the eight remote-node buttons.
bool known(std::string_view name);
}  // namespace Control

// The status bar's panels.
enum class StatusPanel { Activity = 1, Dtmf = 2, Connected = 3, Speech = 4, Clock = 5 };

// The station's timers, by their names on the main window.
namespace TimerName {
inline constexpr const char* tMain = "tMain";
inline constexpr const char* tTime = "tTime";
inline constexpr const char* tLabelUpdate = "tLabelUpdate";
inline constexpr const char* tRadioBusyID = "tRadioBusyID";
inline constexpr const char* tID = "tID";
inline constexpr const char* tVoiceAbort = "tVoiceAbort";
inline constexpr const char* tAutoConnect = "tAutoConnect";
inline constexpr const char* tQuietTime = "tQuietTime";
inline constexpr const char* tStationList = "tStationList";
inline constexpr const char* tConnections = "tConnections";
inline constexpr const char* tActivity = "tActivity";
inline constexpr const char* tBusy = "tBusy";
inline constexpr const char* tChatText = "tChatText";
inline constexpr const char* tDTMFInComing = "tDTMFInComing";
inline constexpr const char* tDTMF = "tDTMF";
inline constexpr const char* tRecord = "tRecord";
inline constexpr const char* tFanLogic = "tFanLogic";
inline constexpr const char* tWxGet = "tWxGet";
inline constexpr const char* tWxWarn = "tWxWarn";
inline constexpr const char* tFreeWx = "tFreeWx";
}  // namespace TimerName

}  // namespace vox
