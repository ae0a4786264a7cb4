#include "core/parts/timer_table.h"

#include <stdexcept>

#include "core/parts/controls.h"

namespace vox {

namespace {

struct TimerSpec {
    const char* name;
    int intervalMs;
    // The tick may speak or wait for the channel: it never runs while other work is keyed.
    bool needsFreeAir;
};
using namespace TimerName;
constexpr TimerSpec kTimers[] = {
    {tMain, 500, false},         {tTime, 1000, false},       {tLabelUpdate, 30000, false},
    {tRadioBusyID, 1000, false}, {tID, 60000, true},         {tVoiceAbort, 200, false},
    {tAutoConnect, 60000, true}, {tQuietTime, 30000, true},  {tStationList, 60000, false},
    {tConnections, 100, true},   {tActivity, 60000, true},   {tBusy, 60000, true},
    {tChatText, 1000, true},     {tDTMFInComing, 500, true}, {tDTMF, 15000, false},
    {tRecord, 60000, true},      {tFanLogic, 1000, false},   {tWxGet, 60000, false},
    {tWxWarn, 60000, true},      {tFreeWx, 60000, true},
};

}  // namespace

TimerTable::TimerTable(Runtime& rt) : rt_(rt) {
    for (const auto& entry : kTimers)
        rt_.addTimer(entry.name, entry.intervalMs).setNeedsFreeAir(entry.needsFreeAir);
}

Timer& TimerTable::operator[](const std::string& name) const {
    for (const auto& entry : kTimers)
        if (name == entry.name)
            if (Timer* t = rt_.findTimer(name))
                return *t;
    throw std::invalid_argument("no timer named \"" + name + "\"");
}

}  // namespace vox
