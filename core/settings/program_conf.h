#pragma once

#include <string>
#include <vector>

#include "core/base/voice_choice.h"
#include "core/base/web_conf.h"
#include "core/settings/cw_id_conf.h"
#include "core/settings/svxlink_conf.h"

namespace vox {

// [fan]
struct FanConf {
    std::string serialPort;  // empty: the fan lines go through the node
    // Where SvxLink's ports are named, so the fan never takes one of them; empty: not checked.
    std::string svxlinkConf = "/etc/svxlink/svxlink.conf";

    bool operator==(const FanConf&) const = default;
};

// [air]: how much of the air log and the air recorder's WAV files is kept, in MiB; 0 = no limit.
struct AirConf {
    int maxLogMb = 64;
    int maxWavMb = 512;

    bool operator==(const AirConf&) const = default;
};

// What "voxclock.conf" in the program folder says about the node and its generated CW
// identification: the settings file has no place for these. Members hold the defaults.
struct ProgramConf {
    std::string backend = "sim";  // "sim" or "svxlink"
    // [sim]
    std::string callsign = "N0CALL-L";
    int sysopMode = 1;   // non-zero: the node runs in Sysop mode
    int pttControl = 1;  // 2 = RTS keys the transmitter, 3 = DTR, other = neither
    int connectDelayMs = 1500;
    std::string dtmfCommands;   // the node's "DTMFCommands": "name=code" items, comma-separated
    std::string dtmfShortcuts;  // the node's "DTMFShortCuts"
    std::string soundFilesDir;  // the node's "SoundFilesDir"
    // [cwid]
    CwIdConf cwid;
    // [web]: a malformed address is kept as written, so its feature fails with the reason.
    WebConf web;
    // [web_ui]
    WebUiConf webUi;
    SvxlinkConf svxlink;
    FanConf fan;
    // [safety]: PTT is forced off after this many seconds on the air; 0 = no time-out.
    int maxTxSeconds = 180;
    AirConf air;
    // [voice]: checked against the installed engines when the voice is made; empty when the
    // file does not say.
    VoiceChoice voice;

    bool operator==(const ProgramConf&) const = default;
};

struct ConfResult {
    ProgramConf conf;
    // One line for each line that cannot be used ("voxclock.conf line 3: ..."), in order.
    std::vector<std::string> warnings;
};

// A missing file gives the defaults without a warning. Whatever is bad in a file keeps its
// default; the rest is used.
ConfResult loadProgramConf(const std::string& path);

}  // namespace vox
