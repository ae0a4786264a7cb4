#include "core/base/time_window.h"

namespace vox {

bool inTimeWindow(const std::string& now, const std::string& start, const std::string& stop) {
    if (start.empty() || stop.empty() || start == stop)
        return false;
    if (start < stop)
        return now >= start && now <= stop;
    return now >= start || now <= stop;
}

}  // namespace vox
