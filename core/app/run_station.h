#pragma once

#include <functional>

#include "app/station.h"

namespace vox {

// The life of a program around a station: start-up, the loop until the program ends, shutdown.
// onRunning runs once start-up has succeeded, before the loop (inputs that need the one running
// instance). Returns the exit status: 0 after a normal run, 1 when start-up failed.
int runStation(Station& station, const std::function<void()>& onRunning = {});

}  // namespace vox
