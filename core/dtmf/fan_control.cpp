#include "dtmf/fan_control.h"

namespace vox {

FanControl::FanControl(PartContext ctx, Timer&, ControlRegistry&) : ctx_(std::move(ctx)) {}
void FanControl::tFanLogic_Timer() {}
void FanControl::lineClicked(bool) {}

}  // namespace vox
