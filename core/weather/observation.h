#pragma once

#include <array>
#include <string>
#include <vector>

namespace vox {

// Weather Exchange's observation record ("csv\data.csv"): 39 comma-separated tokens.
inline constexpr int kObservationTokens = 39;

struct Observation {
    std::array<std::string, kObservationTokens> tokens;  // token n is tokens[n - 1]
    int condition = 0;                                   // token 19, read as a 16-bit integer
    int tokensRead = 0;

    const std::string& token(int n) const { return tokens[static_cast<std::size_t>(n - 1)]; }
};

struct ObservationRead {
    bool ok = false;
    Observation record;  // what was read before a failure, for the diagnostics
    std::string error;
};

ObservationRead readObservation(const std::string& text);

// What the conditions text depends on besides the record.
struct WxTextOptions {
    std::string area;           // WxArea
    std::string nodeCall;       // WxNodeCall
    bool metric = false;        // WxIsMetric
    bool forecastHint = false;  // WxDtmf = 1
    std::string forecastCode;   // DtmfWxForecast
};

struct ConditionsText {
    bool ok = false;
    std::vector<std::string> lines;  // wx.txt, one sentence per line
    std::string error;
};

// The current-conditions sentences. Fails when a value that must be converted is not a number
// (temperature, dew point, heat index, wind chill) or the time is not a time of day.
ConditionsText buildConditions(const Observation& record, const WxTextOptions& options);

// The lines joined as the speakable files hold them: each ended by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

}  // namespace vox
