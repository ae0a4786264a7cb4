#pragma once

#include <string>

namespace vox {

// A daily window of "hh:mm" texts (24-hour), compared as text the way the settings store them:
// true when now lies in [start, stop], both ends included; a start later than the stop runs
// across midnight. An empty start or stop, or a start equal to the stop, is no window at all.
// Texts that are not "hh:mm" are not checked: they compare as text, whatever that gives.
bool inTimeWindow(const std::string& now, const std::string& start, const std::string& stop);

}  // namespace vox
