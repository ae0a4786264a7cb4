#pragma once

#include <string>

namespace vox {

// [svxlink]: how to reach an SvxLink node. Paths are the PTY symlinks SvxLink creates.
struct SvxlinkConf {
    std::string statePty = "/var/run/svxlink/state";         // main logic's STATE_PTY
    std::string dtmfCtrlPty = "/var/run/svxlink/dtmf_ctrl";  // main logic's DTMF_CTRL_PTY
    std::string squelchPty = "/var/run/svxlink/ann_sql";     // announcement logic's squelch
    std::string echolinkCommandPty = "/var/run/svxlink/echolink_cmd";  // empty: no EchoLink
    std::string audioHost = "127.0.0.1";  // the announcement logic's UDP RX audio
    int audioPort = 4000;
    int sampleRate = 16000;  // GLOBAL CARD_SAMPLE_RATE
    int channels = 1;        // GLOBAL CARD_CHANNELS
    // The file the Tcl hook reads to tell our DTMF codes from SvxLink's.
    std::string ownCodesFile = "/var/run/svxlink/voxclock_codes";
    // SvxLink's module codes: they take the place of the node's own DTMF codes.
    std::string dtmfCommands = "Help=0,Parrot=1,EchoLink=2";
    std::string echolinkModuleId = "2";  // connect: "<id><node number>#"
    std::string callsign = "N0CALL-L";

    bool operator==(const SvxlinkConf&) const = default;
};

}  // namespace vox
