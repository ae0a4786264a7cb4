#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vox {

// One remote-node button and its weekly connect schedule. Times of day are "hh:mm".
struct RemoteNode {
    std::string Node;  // call sign or name shown on the button; kept in upper case in the file
    std::int16_t Auto = 0;
    std::string Slot1Start;
    std::string Slot1Stop;
    std::string Slot2Start;
    std::string Slot2Stop;
    std::string Slot3Start;
    std::string Slot3Stop;
    std::int32_t Delay = 0;
    std::int16_t Daily = 0;
    std::int16_t Mon = 0;
    std::int16_t Tue = 0;
    std::int16_t Wed = 0;
    std::int16_t Thu = 0;
    std::int16_t Fri = 0;
    std::int16_t Sat = 0;
    std::int16_t Sun = 0;
    std::string Dtmf;

    bool operator==(const RemoteNode&) const = default;
};

// Every setting of the station. A default-constructed record equals what a new settings file
// reads to. Flags are 0 = off, 1 = on; the first eight are the main window's check boxes.
struct Settings {
    std::int16_t TimeHour = 0;
    std::int16_t TimeHalfHour = 0;
    std::int16_t TimeQuarterHour = 0;
    std::int16_t FileHour = 0;
    std::int16_t FileHalfHour = 0;
    std::int16_t FileQuarterHour = 0;
    std::string InfoFilePath;
    std::string InfoFolder;
    std::int16_t FanRts = 0;
    std::int16_t FanDtr = 0;
    std::array<RemoteNode, 8> RemoteNodes{};
    std::int16_t CwIdAfterTime = 0;
    std::int16_t SoundDevice = 0;
    std::string DtmfPlayFile = "00#";
    std::string DtmfPlayTime = "00*";
    std::string DtmfWxForecast = "44*";
    std::string DtmfPlayHelp = "88*";
    std::string DtmfConnList = "77*";
    std::string DtmfAutoToggle = "*0*";
    std::string DtmfBusyToggle = "*1*";
    std::string DtmfRecordStart = "11*";
    std::string DtmfRecordStop = "22*";
    std::string DtmfRecordPlayback = "33*";
    std::string DtmfWx = "99*";
    std::string DtmfLock = "BADC";
    std::string DtmfSpeedDial = "411";
    std::int16_t RecordMax = 5;
    std::int16_t UsePreamble = 0;
    std::int16_t CwIdEnabled = 1;
    std::int16_t CwIdMinutes = 10;
    std::int16_t FanTime = 5;
    double TxDelaySeconds = 0.5;
    std::string WxUrl = "c:\\program files\\wxex\\";
    std::string WxArea = "Your QTH For Weather";
    std::string WxNodeCall = "Your Call Phonetically For Weather";
    std::int16_t WxIsMetric = 0;
    std::string QuietStart = "00:00";
    std::string QuietStop = "00:00";
    std::int16_t WxDtmf = 1;
    std::int16_t AllowRsgb = 0;
    std::int16_t ToneBurst = 0;
    std::int16_t ActiveMinutes = 5;
    std::int16_t ActiveReminder = 0;
    std::int16_t AllowWwv = 0;
    std::int16_t AllowInfo = 0;
    std::int16_t TtsLocalConnDisc = 1;
    std::int16_t TtsChatMsg = 0;
    std::int16_t TtsRemoteConnDisc = 0;
    std::int16_t VoiceTypeAtt = 0;
    double SpeechRate = 0;
    std::int16_t BusyMinutes = 0;
    std::int16_t BusyReminder = 0;
    std::int16_t TtsFullChatText = 0;
    std::string DtmfTextToggle = "*2*";
    std::int16_t VoiceIdAfterTime = 0;
    std::int16_t NodeOffIfQuiet = 0;
    std::string DtmfNodeQuietToggle = "D";
    std::int16_t SkipIfBusy = 0;
    std::int16_t TtsTime24 = 0;
    std::string DtmfLocalWx = "55*";
    std::string LocalWxFile;
    std::int16_t WxStationType = 0;
    std::int16_t WxWarnEnabled = 0;
    std::int16_t WxWarnMinutes = 20;
    std::string DtmfWxWarn = "33*";
    std::int16_t TimeAfterConnDisc = 0;
    std::int16_t CwIdPassive = 0;

    bool operator==(const Settings&) const = default;
};

}  // namespace vox
