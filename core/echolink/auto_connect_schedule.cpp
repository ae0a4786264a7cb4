#include "echolink/auto_connect_schedule.h"

namespace vox {

AutoConnectSchedule::AutoConnectSchedule(PartContext ctx, Timer& autoConnect)
    : ctx_(std::move(ctx)) {
    autoConnect.setOnTick([this] { tAutoConnect_Timer(); });
}

bool AutoConnectSchedule::InSlot1(int) const {
    return false;
}
bool AutoConnectSchedule::InSlot2(int) const {
    return false;
}
bool AutoConnectSchedule::InSlot3(int) const {
    return false;
}
void AutoConnectSchedule::tAutoConnect_Timer() {}

}  // namespace vox
