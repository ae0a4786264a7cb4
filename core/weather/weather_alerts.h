#pragma once

#include "core/parts/part_context.h"
#include "core/weather/wx_error_file.h"

namespace vox {

// Weather alerts from Weather Exchange's alert file, spoken every WxWarnMinutes while enabled
// (only when there are alerts) and whenever a radio user asks (then also when there are none).
class WeatherAlerts {
public:
    // Drives tWxWarn.
    WeatherAlerts(PartContext ctx, Timer& wxWarn);

    // fromTimer false: a radio user asked.
    void AnnounceWeatherAlerts(bool fromTimer);

    // Minutes of tWxWarn since the last timed announcement.
    int WxWarnTicks = 0;

private:
    void tWxWarn_Timer();
    // The closing text of "info\wxwarn.txt": false when the file is not there.
    bool closingLine(std::string* line) const;
    void failed(const std::string& why);

    PartContext ctx_;
    WxErrorFile errors_;
    FailureLogLimiter failureLog_;
};

}  // namespace vox
