#pragma once

#include <string>
#include <vector>

namespace vox {

// What the station's parts share: the main window's form-level state. Each member is written by
// the part named beside it and read by the others.
struct SharedState {
    bool TTSSleeping = false;       // the DTMF sleep switch: the voice says nothing
    bool gSamIsTalking = false;     // the identification is on the air: no courtesy beep after it
    bool DtmfLocked = false;        // the DTMF lock
    std::string DtmfAbortRequest;   // "A" from the node: silence the voice
    std::string PendingDtmf;        // the last DTMF string from the node, not yet handled
    bool RecordingActive = false;   // the node is recording
    bool RecordingRefused = false;  // the node refused the last start (SvxLink cannot record)
    int FanSeconds = 500;           // seconds since the last transmission (the fan's run-on)
    std::string OwnCall;            // the node's call sign without its suffix
    bool StationListFlag = false;   // the node has a fresh station list
    int WxWarnTicks = 0;
    std::string GreetingText;  // the greeting last built for the time of day
    // The node's own DTMF codes, and the folder its recordings go to.
    std::vector<std::string> EchoLinkDtmfCodes;
    std::string SoundFilesDir;
    bool StatusBarCreated = false;  // start-up has built the status panels
    // Recorded by the node's event handlers for the parts that act on them: one slot each, a
    // newer event replaces an older one, so nothing piles up however long the node runs.
    std::string PendingConnect;
    std::string PendingDisconnect;
    std::string PendingChatText;
};

}  // namespace vox
