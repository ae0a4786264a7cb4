#pragma once

#include <string>
#include <vector>

#include "backends/sim/control_command.h"
#include "core/base/local_time.h"

namespace vox {

// One line of a dry run's events file, with the moment it happens.
struct TimedCommand {
    LocalTime when;
    ControlCommand command;
    int line = 0;
};

// Lines are "HH:MM:SS command" or "YYYY-MM-DD HH:MM:SS command"; blank lines and lines starting
// with "#" are ignored. A bare time is the first such moment at or after the start of the run and
// the previous event. False with "events file line N: ..." for the first bad line.
bool parseEventsFile(const std::string& text, const LocalTime& from, std::vector<TimedCommand>* out,
                     std::string* error);

}  // namespace vox
