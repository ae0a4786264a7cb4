#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/fault/air_oracle.h"

namespace vox {

// One randomized dry run, built from a seed: the program folder it starts from, the events that
// mix a station's day with faults, and the window of time it covers. The same seed always gives
// the same run, so a failure can be replayed.
struct FaultPlan {
    std::uint64_t seed = 0;
    std::string from;  // "YYYY-MM-DD HH:MM:SS"
    std::string to;
    int maxTxSeconds = 180;
    double txDelaySeconds = 0;
    // The voice faults of the events file, in time order.
    std::vector<VoiceFault> voiceFaults;
    // Files of the program folder to write before the run: relative path, content.
    std::vector<std::pair<std::string, std::string>> files;
    std::string events;  // an events file
};

// `workdir` is where the run's copy of the program folder will live: the settings name files by
// their full path there.
FaultPlan makeFaultPlan(std::uint64_t seed, const std::string& workdir);

}  // namespace vox
