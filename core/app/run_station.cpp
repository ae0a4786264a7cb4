#include "app/run_station.h"

namespace vox {

int runStation(Station& station, const std::function<void()>& onRunning) {
    const Station::StartOutcome outcome = station.start();
    if (outcome == Station::StartOutcome::EndedAtOnce)
        return 1;
    if (outcome == Station::StartOutcome::Running) {
        if (onRunning)
            onRunning();
        station.runtime().run();
    }
    station.shutdown();
    return outcome == Station::StartOutcome::Running ? 0 : 1;
}

}  // namespace vox
