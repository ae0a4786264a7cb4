#include "backends/svxlink/own_codes_keeper.h"

namespace vox {

namespace {
constexpr int kRetryMs = 2000;
// Half of what the Tcl hook takes as stale, so a late write never lets a running program's file go
// stale.
constexpr double kRefreshSeconds = 150;
}  // namespace

OwnCodesKeeper::OwnCodesKeeper(Runtime& rt, std::function<Codes()> current, Write write,
                               std::function<void(const std::string&)> tell)
    : rt_(rt),
      timer_(rt.addTimer("svxlinkCodes", kRetryMs)),
      current_(std::move(current)),
      write_(std::move(write)),
      tell_(std::move(tell)) {
    check();
    timer_.setOnTick([this] { check(); });
    timer_.setIdleWhen([this] { return !due(current_()); });
    timer_.setEnabled(true);
}

OwnCodesKeeper::~OwnCodesKeeper() {
    // The timer lives as long as the runtime.
    timer_.setEnabled(false);
    timer_.setOnTick({});
    timer_.setIdleWhen({});
}

void OwnCodesKeeper::check() {
    Codes codes = current_();
    if (!due(codes))
        return;
    std::string error;
    if (!write_(codes, &error)) {
        // Once per problem, not every two seconds.
        if (error != lastError_)
            tell_("SvxLink: cannot write our DTMF codes: " + error);
        lastError_ = error;
        return;
    }
    lastError_.clear();
    written_ = std::move(codes);
    writtenAt_ = rt_.now();
}

bool OwnCodesKeeper::due(const Codes& codes) const {
    return codes != written_ || rt_.now() - writtenAt_ >= kRefreshSeconds;
}

}  // namespace vox
