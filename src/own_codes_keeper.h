#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/runtime.h"

namespace vox {

// Keeps SvxLink's Tcl hook told which DTMF codes are ours: writes them at once and again whenever
// they change (the DTMF setup); a write that failed is tried again every two seconds, and each
// new reason for failing is told once. The runtime wakes for it only while there is something to
// write.
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
    Timer& timer_;
    std::function<Codes()> current_;
    Write write_;
    std::function<void(const std::string&)> tell_;
    Codes written_;  // none at first: an empty list is never written
    std::string lastError_;
};

}  // namespace vox
