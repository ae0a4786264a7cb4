#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/part_context.h"

namespace vox {

// Three minute-timers that act unasked: the station-list export to "db/NodeList.xml" on the
// exporting nodes, the activity reminder while stations are connected, and the busy reminder
// while the node is busy.
class StationMonitors {
public:
    // Drives tStationList, tActivity and tBusy. nodeCallsign reads the node's own call sign
    // (the setup configuration's Callsign); it may throw NodeError.
    StationMonitors(PartContext ctx, Timer& stationList, Timer& activity, Timer& busy,
                    std::function<std::string()> nodeCallsign);

    // ELo_StationListReceived.
    void onStationListReceived();
    void RefreshStationList();
    void ExportStationList();

    std::int16_t gATTicks = 0;
    std::int16_t gBusyTicks = 0;

private:
    void tStationList_Timer();
    void tActivity_Timer();
    void tBusy_Timer();

    PartContext ctx_;
    std::function<std::string()> nodeCallsign_;
};

}  // namespace vox
