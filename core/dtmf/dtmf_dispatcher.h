#pragma once

#include <string>

#include "core/parts/part_context.h"

namespace vox {

// What a DTMF command asks of the other parts; the station answers each with the part that does
// it.
class DtmfPeers {
public:
    virtual ~DtmfPeers() = default;
    // What the main window's CMDTime and CMDFile buttons say.
    virtual void speakTime() = 0;
    virtual void transmitInfoFile() = 0;
    // The remote-node button at index (0..7).
    virtual void remoteNode(int index) = 0;
    // Starts recording from minute 0; false when the node refused to record.
    virtual bool startRecording() = 0;
    virtual void stopRecording() = 0;
    virtual void playRecording() = 0;
    // The quiet-time schedule runs (true) or is suspended.
    virtual void quietTimeRunning(bool running) = 0;
    // Re-reads the node's own DTMF codes and its sound-files folder into the shared state.
    virtual void refreshNodeCodes() = 0;
    virtual void speakSpeedDial() = 0;
    virtual void speakBulletin(const std::string& number) = 0;
    virtual void speakWwvReport() = 0;
    // The active weather warnings; fromTimer false = a radio user asked (answered even when none).
    virtual void announceWeatherAlerts(bool fromTimer) = 0;
    // The home weather-station report (station types 0, 2 and 3).
    virtual void speakLocalWx() = 0;
    // The FreeWx station (type 1): short report and full report.
    virtual void readFreeWxShort(bool speakNow) = 0;
    virtual void readFreeWxFull(bool speakNow) = 0;
};

// The DTMF receiver and command dispatcher: keeps the last string the node decoded, hands it to
// the dispatcher on the half-second poll, and answers it on the air. Also keeps the DTMF lock and
// the sleep switch.
class DtmfDispatcher {
public:
    // Drives tDTMFInComing and tDTMF.
    DtmfDispatcher(PartContext ctx, Timer& incoming, Timer& display, DtmfPeers& peers);

    // The node's DTMF event: "A" asks the voice to stop; anything else waits for the poll.
    void ELo_DTMFString(const std::string& digits);
    // The DTMF pad's Send: dispatched at the next poll like a received string, "A" included.
    void injectFromPad(const std::string& digits) { pending_ = digits; }
    void DispatchDtmfCommand(const std::string& cmd);

    // The last string from the node (or the pad) not yet dispatched.
    const std::string& pending() const { return pending_; }

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
    DtmfPeers& peers_;
    std::string pending_;
};

}  // namespace vox
