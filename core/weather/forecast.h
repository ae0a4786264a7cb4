#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/weather/observation.h"

namespace vox {

inline constexpr int kForecastDays = 5;

struct ForecastDay {
    bool present = false;  // the file had this day
    std::string name, high, low, conditions;
};

// The forecast section of Weather Exchange's "data\metar.txt": the tokens after "FORECAST:".
struct ForecastRead {
    bool ok = true;
    bool found = false;  // "FORECAST:" was there
    std::array<ForecastDay, kForecastDays> days;
    std::string error;
};

// Each day is a token holding "Day:" followed by eight tokens (name, high, low and conditions in
// the even places). A day cut off by the end of the file is a failure; days the file does not
// have are left out. Keys are removed ("DayFull:", "High:", "Low:", "Conds:") and "T-storms"
// becomes "Thunder Storms".
ForecastRead readForecast(const std::string& text);

struct ForecastText {
    bool ok = false;
    bool available = false;  // false: the not-available sentence
    std::vector<std::string> lines;
    std::array<std::string, kForecastDays> spokenHigh, spokenLow;  // for the diagnostics
    std::string error;
};

// The forecast sentences. In metric mode a high or low that is not a number is a failure.
ForecastText buildForecast(const ForecastRead& forecast, const WxTextOptions& options);

}  // namespace vox
