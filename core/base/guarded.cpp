#include "core/base/guarded.h"

#include <cstdlib>
#include <iostream>

namespace vox {

void traceFailure(std::string_view what, std::string_view why) {
    static const bool enabled = std::getenv("VOXCLOCK_DEBUG") != nullptr;
    if (enabled)
        std::cerr << "voxclock: " << what << ": " << why << std::endl;
}

}  // namespace vox
