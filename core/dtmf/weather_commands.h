#pragma once

namespace vox {

// The weather answers a DTMF command can ask for. The weather parts give them; until a station
// has weather, NoWeather answers nothing.
class WeatherCommands {
public:
    virtual ~WeatherCommands() = default;
    // The active weather warnings; fromTimer false = a radio user asked (answered even when none).
    virtual void AnnounceWeatherAlerts(bool fromTimer) = 0;
    // The home weather-station report (station types 0, 2 and 3).
    virtual void SpeakLocalWx() = 0;
    // The FreeWx station (type 1): short report and full report.
    virtual void ReadFreeWxShort(bool speakNow) = 0;
    virtual void ReadFreeWxFull(bool speakNow) = 0;
};

class NoWeather : public WeatherCommands {
public:
    void AnnounceWeatherAlerts(bool) override {}
    void SpeakLocalWx() override {}
    void ReadFreeWxShort(bool) override {}
    void ReadFreeWxFull(bool) override {}
};

}  // namespace vox
