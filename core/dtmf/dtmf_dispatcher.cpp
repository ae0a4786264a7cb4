#include "dtmf/dtmf_dispatcher.h"

namespace vox {

DtmfDispatcher::DtmfDispatcher(PartContext ctx, Timer&, Timer& display, DtmfActions actions,
                               WeatherCommands& weather)
    : ctx_(std::move(ctx)), display_(display), actions_(std::move(actions)), weather_(weather) {}

void DtmfDispatcher::ELo_DTMFString(const std::string& digits) {
    if (digits == "A")
        ctx_.state.DtmfAbortRequest = "A";
    else
        ctx_.state.PendingDtmf = digits;
}
void DtmfDispatcher::DispatchDtmfCommand(const std::string&) {}

}  // namespace vox
