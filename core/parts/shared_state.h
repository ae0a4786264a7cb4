#pragma once

#include <string>
#include <vector>

namespace vox {

// What the station's parts share: the main window's form-level state. Each member is written by
// the part named beside it and read by the others.
struct SharedState {
    bool TTSSleeping = false;      // the DTMF sleep switch: the voice says nothing
    bool gSamIsTalking = false;    // the identification is on the air: no courtesy beep after it
    bool DtmfLocked = false;       // the DTMF lock
    std::string DtmfAbortRequest;  // "A" from the node: silence the voice
    bool RecordingActive = false;  // the node is recording
    int FanSeconds = 500;          // seconds since the last transmission (the fan's run-on)
    std::string OwnCall;           // the node's call sign without its suffix
    std::string GreetingText;      // the greeting last built for the time of day
    // The node's own DTMF codes, and the folder its recordings go to.
    std::vector<std::string> EchoLinkDtmfCodes;
    std::string SoundFilesDir;
    bool StatusBarCreated = false;  // start-up has built the status panels
};

}  // namespace vox
