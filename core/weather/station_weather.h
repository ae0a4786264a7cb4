#pragma once

#include "core/dtmf/weather_commands.h"
#include "core/weather/local_weather_station.h"
#include "core/weather/weather_alerts.h"

namespace vox {

// The weather answers the DTMF dispatcher asks for, given by the weather parts.
class StationWeather : public WeatherCommands {
public:
    StationWeather(WeatherAlerts& alerts, LocalWeatherStation& station)
        : alerts_(alerts), station_(station) {}

    void AnnounceWeatherAlerts(bool fromTimer) override {
        alerts_.AnnounceWeatherAlerts(fromTimer);
    }
    void SpeakLocalWx() override { station_.SpeakLocalWx(); }
    void ReadFreeWxShort(bool speakNow) override { station_.ReadFreeWxShort(speakNow); }
    void ReadFreeWxFull(bool speakNow) override { station_.ReadFreeWxFull(speakNow); }

private:
    WeatherAlerts& alerts_;
    LocalWeatherStation& station_;
};

}  // namespace vox
