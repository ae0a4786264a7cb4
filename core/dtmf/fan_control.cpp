#include "core/dtmf/fan_control.h"

#include <algorithm>

#include "core/base/guarded.h"
#include "core/parts/controls.h"
#include "core/parts/speech_output.h"

namespace vox {

namespace {
constexpr int kIdleWrapAt = 2000;
constexpr int kIdleWrapTo = 1000;
// After a click the line stays off until the next transmission (for run-on times under 500 s).
constexpr int kAfterClick = 500;
}  // namespace

FanControl::FanControl(PartContext ctx, Timer& fanLogic, ControlRegistry& controls, FanLines* lines)
    : ctx_(std::move(ctx)), nodeLines_(ctx_.node), lines_(lines ? *lines : nodeLines_) {
    fanLogic.setOnTick([this] { tFanLogic_Timer(); });
    controls.on(Control::FanRTS, [this] { lineClicked(true); });
    controls.on(Control::FanDTR, [this] { lineClicked(false); });
}

void FanControl::tFanLogic_Timer() {
    FrontPanel& panel = ctx_.panel;
    int& seconds = ctx_.state.FanSeconds;
    guarded("fan", [&] {
        panel.setCaption(Control::frFan, "Fan");
        const int limit = ctx_.settings.FanTime * 60;
        // A run-on longer than the wrap is counted to its end before the count wraps.
        if (++seconds >= std::max(kIdleWrapAt, limit + 1)) {
            seconds = kIdleWrapTo;
            idleWrapped_ = true;
        }
        if (ctx_.node.link().isTransmitting()) {
            seconds = 0;
            idleWrapped_ = false;
        }
        // Run-on times past the value the count wraps to: once wrapped, the run-on is over.
        const bool on = seconds <= limit && !idleWrapped_;
        const std::string caption =
            on ? "Fan: On " + std::to_string(limit - seconds) + " sec" : std::string("Fan: Off");
        if (panel.checked(Control::FanRTS)) {
            lines_.setRts(on);
            panel.setCaption(Control::frFan, caption);
        }
        if (panel.checked(Control::FanDTR)) {
            lines_.setDtr(on);
            panel.setCaption(Control::frFan, caption);
        }
    });
}

void FanControl::lineClicked(bool rts) {
    guarded("fan line", [&] {
        if (rts)
            lines_.setRts(false);
        else
            lines_.setDtr(false);
    });
    ctx_.state.FanSeconds = kAfterClick;
    idleWrapped_ = false;
    ctx_.focus();
    ctx_.speech.CheckPTTControl();
}

}  // namespace vox
