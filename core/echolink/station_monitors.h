#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/parts/part_context.h"

namespace vox {

// The nodes that publish the station list: a node exports when its own call sign contains one of
// these. They stand for the directory nodes that serve the list to others; a node owner's own
// call is never among them, so an ordinary node writes nothing.
inline constexpr std::array<std::string_view, 3> kStationListExportCalls = {"K1VXC", "W7VXC",
                                                                            "N4VXC"};

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

    // Minutes counted by the two reminders; above 100 they go on from 60 and 50.
    std::int16_t gATTicks = 0;
    std::int16_t gBusyTicks = 0;
    // The node has a fresh station list, for the next tStationList tick.
    bool StationListFlag = false;

private:
    void tStationList_Timer();
    void tActivity_Timer();
    void tBusy_Timer();
    // The prepared file when it is there, else empty.
    std::string preparedWav(const std::string& relative) const;
    bool speaking();

    PartContext ctx_;
    std::function<std::string()> nodeCallsign_;
};

}  // namespace vox
