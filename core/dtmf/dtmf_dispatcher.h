#pragma once

#include <functional>
#include <string>

#include "core/dtmf/weather_commands.h"
#include "core/parts/part_context.h"

namespace vox {

// What a DTMF command may set going, beyond speech: the station wires each one to the part that
// does it.
struct DtmfActions {
    // Runs a main-window control's click handler (CMDTime, cbRecordStart, cmdRemoteNode3, ...).
    std::function<void(const std::string& control)> press;
    // The quiet-time schedule runs (true) or is suspended.
    std::function<void(bool running)> quietTimeRunning;
    // Re-reads the node's own DTMF codes and its sound-files folder into the shared state.
    std::function<void()> refreshNodeCodes;
    std::function<void()> speakSpeedDial;
    std::function<void(const std::string& number)> speakBulletin;
    std::function<void()> speakWwvReport;
    // Sets the recording minute count to 0 (before a recording is started by DTMF).
    std::function<void()> resetRecordMinutes;
};

// The DTMF receiver and command dispatcher: keeps the last string the node decoded, hands it to
// the dispatcher on the half-second poll, and answers it on the air. Also keeps the DTMF lock and
// the sleep switch.
class DtmfDispatcher {
public:
    // Drives tDTMFInComing and tDTMF.
    DtmfDispatcher(PartContext ctx, Timer& incoming, Timer& display, DtmfActions actions,
                   WeatherCommands& weather);

    // The node's DTMF event: "A" asks the voice to stop; anything else waits for the poll.
    void ELo_DTMFString(const std::string& digits);
    // The DTMF pad's Send: dispatched at the next poll like a received string, "A" included.
    void injectFromPad(const std::string& digits) { ctx_.state.PendingDtmf = digits; }
    void DispatchDtmfCommand(const std::string& cmd);

    bool DtmfSleep = false;

private:
    void tDTMFInComing_Timer();
    void tDTMF_Timer();
    bool codeChain(const std::string& cmd);
    void speakNodeStatus();
    // Key, read a file, unkey; the transmitter never stays keyed when something fails.
    void transmitTextFile(const std::string& path);
    std::string appFile(const std::string& name) const;
    bool isNodeCode(const std::string& cmd);

    PartContext ctx_;
    Timer& display_;
    DtmfActions actions_;
    WeatherCommands& weather_;
};

}  // namespace vox
