#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/weather/local_weather_station.h"
#include "core/weather/weather_alerts.h"
#include "core/weather/weather_exchange.h"
#include "tests/core/parts/part_rig.h"
#include "tests/support/temp_folder.h"

namespace vox {

// The sample folders under tests/data/weather.
inline std::string weatherSample(const std::string& relative) {
    return std::string(VOXCLOCK_TEST_DATA) + "/weather/" + relative;
}

// The weather parts on a part rig, with the settings of the sample station.
struct WeatherRig : PartRig, WeatherExchangePeers {
    explicit WeatherRig(LocalTime start = {2026, 6, 5, 15, 50, 0})
        : PartRig(start),
          station(context(), timers[TimerName::tFreeWx]),
          exchange(context(), timers[TimerName::tWxGet], *this),
          alerts(context(), timers[TimerName::tWxWarn]) {
        settings.WxUrl = weatherSample("wxex") + "/";
        settings.WxArea = "Boston Harbor";
        settings.WxNodeCall = "W one A W";
        state.OwnCall = "W1AW";
        log.onLine = [this](const std::string& text) { logged.push_back(text); };
    }

    std::string path(const std::string& relative) const {
        return (std::filesystem::path(dir.path) / relative).string();
    }
    std::string read(const std::string& relative) const { return readFile(path(relative)); }
    void write(const std::string& relative, const std::string& text) const {
        const std::filesystem::path p = path(relative);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    // A copy of a sample folder inside the program folder, to be changed by the test.
    std::string copySample(const std::string& sample, const std::string& as) const {
        std::filesystem::copy(weatherSample(sample), path(as),
                              std::filesystem::copy_options::recursive);
        return path(as) + "/";
    }

    // What went on the air, in order: "say TEXT", "play FILE", "ptt on", "ptt off".
    std::vector<std::string> transcript() const {
        std::vector<std::string> out;
        for (const std::string& line : lines) {
            if (line.find(R"("ev":"speak")") != std::string::npos)
                out.push_back("say " + field(line, "text"));
            else if (line.find(R"("ev":"play")") != std::string::npos)
                out.push_back("play " + field(line, "file"));
            else if (line.find(R"("ev":"ptt")") != std::string::npos)
                out.push_back(line.find(R"("on":true)") != std::string::npos ? "ptt on"
                                                                             : "ptt off");
        }
        return out;
    }
    static std::string field(const std::string& line, const std::string& key) {
        const std::size_t at = line.find("\"" + key + "\":\"");
        if (at == std::string::npos)
            return {};
        std::string value;
        for (std::size_t i = at + key.size() + 4; i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\')
                ++i;
            value += line[i];
        }
        return value;
    }

    LocalWeatherStation station;
    void readVwsDaily() override { station.ReadVwsDaily(); }

    WeatherExchange exchange;
    WeatherAlerts alerts;
    std::vector<std::string> logged;
};

}  // namespace vox
