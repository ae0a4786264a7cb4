#include "dtmf/recording.h"

namespace vox {

Recording::Recording(PartContext ctx, Timer& record, ControlRegistry& controls,
                     std::function<void(int mode)> setRecordingMode)
    : ctx_(std::move(ctx)),
      record_(record),
      controls_(controls),
      setRecordingMode_(std::move(setRecordingMode)) {}

void Recording::cbRecordStart_Click() {}
void Recording::cbRecordStop_Click() {}
void Recording::cbRecordPlayback_Click() {}
void Recording::tRecord_Timer() {}
std::string Recording::playbackPath() const {
    return {};
}

}  // namespace vox
