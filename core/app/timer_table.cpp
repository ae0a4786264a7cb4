#include "app/timer_table.h"

#include <stdexcept>

#include "app/controls.h"

namespace vox {

namespace {

struct TimerSpec {
    const char* name;
    int intervalMs;
};
using namespace TimerName;
constexpr TimerSpec kTimers[] = {
    {tMain, 500},          {tTime, 1000},        {tLabelUpdate, 30000}, {tRadioBusyID, 1000},
    {tID, 60000},          {tVoiceAbort, 200},   {tAutoConnect, 60000}, {tQuietTime, 30000},
    {tStationList, 60000}, {tConnections, 100},  {tActivity, 60000},    {tBusy, 60000},
    {tChatText, 1000},     {tDTMFInComing, 500}, {tDTMF, 15000},        {tRecord, 60000},
    {tFanLogic, 1000},     {tWxGet, 60000},      {tWxWarn, 60000},      {tFreeWx, 60000},
};

}  // namespace

TimerTable::TimerTable(Runtime& rt) : rt_(rt) {
    for (const auto& entry : kTimers)
        rt_.addTimer(entry.name, entry.intervalMs);
}

Timer& TimerTable::operator[](const std::string& name) const {
    for (const auto& entry : kTimers)
        if (name == entry.name)
            if (Timer* t = rt_.findTimer(name))
                return *t;
    throw std::invalid_argument("no timer named \"" + name + "\"");
}

}  // namespace vox
