#include "echolink/station_monitors.h"

namespace vox {

StationMonitors::StationMonitors(PartContext ctx, Timer& stationList, Timer& activity, Timer& busy,
                                 std::function<std::string()> nodeCallsign)
    : ctx_(std::move(ctx)), nodeCallsign_(std::move(nodeCallsign)) {
    stationList.setOnTick([this] { tStationList_Timer(); });
    activity.setOnTick([this] { tActivity_Timer(); });
    busy.setOnTick([this] { tBusy_Timer(); });
}

void StationMonitors::onStationListReceived() {
    ctx_.state.StationListFlag = true;
}
void StationMonitors::RefreshStationList() {}
void StationMonitors::ExportStationList() {}
void StationMonitors::tStationList_Timer() {}
void StationMonitors::tActivity_Timer() {}
void StationMonitors::tBusy_Timer() {}

}  // namespace vox
