#pragma once

#include <string>

namespace vox {

// Virtual Weather Station's "daily.txt" (station types 0, 2 and 3): the file's last token (in
// practice its last line), cut into blank-separated fields whose places depend on the type.
struct VwsReading {
    std::string time, direction, speed, gust, humidity, temperature, pressure, rainYear, rainToday;
    std::string dewPoint, windChill, heatIndex;  // not on type 3
};

struct VwsRead {
    bool ok = false;
    VwsReading reading;
    std::string error;
};

VwsRead readVwsDaily(const std::string& text, int stationType);

struct VwsTextOptions {
    int stationType = 0;
    int month = 1;            // 1..12: October to March speak the wind chill, else the heat index
    std::string spelledCall;  // the node's own call, spelled for the voice
    std::string nodeCall;     // WxNodeCall
};

// The report, without its "<xml>" wrapping.
std::string vwsText(const VwsReading& reading, const VwsTextOptions& options);
std::string vwsSorryText(const std::string& nodeCall);

}  // namespace vox
