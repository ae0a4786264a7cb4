#pragma once

#include <string>

#include "core/parts/part_context.h"
#include "core/weather/forecast.h"
#include "core/weather/observation.h"
#include "core/weather/wx_error_file.h"

namespace vox {

// What the weather refresh asks of the other parts; the station answers.
class WeatherExchangePeers {
public:
    virtual ~WeatherExchangePeers() = default;
    // The home weather station's reader, after each refresh.
    virtual void readVwsDaily() = 0;
};

// Current conditions and forecast from Weather Exchange: every two minutes (and on "Get WX") the
// observation and forecast files in WxUrl become "wx.txt" and "wxfc.txt" in the program folder,
// which the DTMF commands play. Nothing is spoken here. Failures go to "WxError.txt" and, once
// an hour while the same failure lasts, to the event log.
class WeatherExchange {
public:
    // Drives tWxGet.
    WeatherExchange(PartContext ctx, Timer& wxGet, WeatherExchangePeers& peers);

    void UpdateWeatherExchange();
    // The "Get WX" button: the refresh and the station reader, now.
    void getWeatherNow();

    int WxGetTicks = 0;

private:
    void tWxGet_Timer();
    WxTextOptions textOptions() const;
    // Ends a refresh that failed: status, diagnostics record, log line.
    void failed(const std::string& stage, const std::string& why, const Observation& record,
                const ForecastRead& forecast, const ForecastText& spoken);
    void forecastMissing();
    bool writeSpeakable(const char* name, const std::vector<std::string>& lines,
                        std::string* error);

    PartContext ctx_;
    WeatherExchangePeers& peers_;
    WxErrorFile errors_;
    FailureLogLimiter failureLog_;
};

}  // namespace vox
