#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/parts/control_registry.h"
#include "core/parts/part_context.h"

namespace vox {

// Recording on the node: started, stopped and limited to RecordMax minutes here, made and played
// over the link by the node itself.
class Recording {
public:
    // Drives tRecord; answers cbRecordStart, cbRecordStop and cbRecordPlayback. setRecordingMode
    // puts the node configuration's RecordingMode (2 at start, 0 at stop).
    Recording(PartContext ctx, Timer& record, ControlRegistry& controls,
              std::function<void(int mode)> setRecordingMode);

    void cbRecordStart_Click();
    void cbRecordStop_Click();
    void cbRecordPlayback_Click();
    // The node refused the last start (a node that cannot record).
    bool startRefused() const { return startRefused_; }

    // "QSO_yyyy_mm_dd_hhmmss.wav" of the last recording started; empty before the first.
    std::string RecordFileName;
    std::int16_t RecordMinutes = 0;

private:
    void tRecord_Timer();
    // SoundFilesDir and the file name, joined with this platform's separator.
    std::string playbackPath() const;

    PartContext ctx_;
    Timer& record_;
    ControlRegistry& controls_;
    std::function<void(int)> setRecordingMode_;
    bool startRefused_ = false;
};

}  // namespace vox
