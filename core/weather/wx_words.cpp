#include "core/weather/wx_words.h"

namespace vox {

std::string compassWord(double d) {
    struct Range {
        double from, to;
        const char* word;
    };
    static const Range kRanges[] = {
        {349, 360, "North"},
        {0, 11, "North"},
        {12, 33, "North North East"},
        {34, 56, "North East"},
        {57, 78, "East North East"},
        {79, 101, "East"},
        {102, 123, "East South East"},
        {124, 146, "South East"},
        {147, 168, "South South East"},
        {169, 191, "South"},
        {192, 213, "South South West"},
        {214, 236, "South West"},
        {237, 258, "West South West"},
        {259, 281, "West"},
        {282, 303, "West North West"},
        {304, 326, "North West"},
        {327, 348, "North North West"},
    };
    for (const Range& r : kRanges)
        if (d >= r.from && d <= r.to)
            return r.word;
    return {};
}

std::string conditionWord(int code) {
    static const char* const kWords[] = {
        "chance of storms",
        "chance of flurries",
        "chance of rain",
        "chance of sleat",
        "clear",
        "cloudy",
        "flurries",
        "hazy",
        "mostly cloudy",
        "chance of storms",
        "partly cloudy",
        "partly sunny",
        "rain",
        "sleat",
        "snow",
        "sunny",
        "thunderstorms",
        "unknown",
    };
    if (code < 1 || code > 18)
        return {};
    return kWords[code - 1];
}

}  // namespace vox
