#include "echolink/quiet_time.h"

namespace vox {

QuietTime::QuietTime(PartContext ctx, Timer& quietTime, std::function<void()> loadNodeButtons)
    : ctx_(std::move(ctx)), loadNodeButtons_(std::move(loadNodeButtons)) {
    quietTime.setOnTick([this] { tQuietTime_Timer(); });
}

void QuietTime::tQuietTime_Timer() {}

}  // namespace vox
