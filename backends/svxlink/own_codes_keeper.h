#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/base/runtime.h"

namespace vox {

// Keeps SvxLink's Tcl hook told which DTMF codes are ours: writes them at once, again whenever
// they change (the DTMF setup) and every two and a half minutes, since the hook ignores a file
// older than five minutes (left by a run that died, it would swallow codes nobody answers); a write
// that failed is tried again every two seconds, and each new reason for failing is told once. The
// runtime wakes for it only while there is something to write.
class OwnCodesKeeper {
public:
    using Codes = std::vector<std::string>;
    using Write = std::function<bool(const Codes& codes, std::string* error)>;

    OwnCodesKeeper(Runtime& rt, std::function<Codes()> current, Write write,
                   std::function<void(const std::string&)> tell);
    ~OwnCodesKeeper();
    OwnCodesKeeper(const OwnCodesKeeper&) = delete;
    OwnCodesKeeper& operator=(const OwnCodesKeeper&) = delete;

    // Writes the codes now when they differ from those last written.
    void check();

private:
    bool due(const Codes& codes) const;

    Runtime& rt_;
    Timer& timer_;
    std::function<Codes()> current_;
    Write write_;
    std::function<void(const std::string&)> tell_;
    Codes written_;  // none at first: an empty list is never written
    double writtenAt_ = 0;
    std::string lastError_;
};

}  // namespace vox
