#include "core/weather/forecast.h"

#include "core/base/text_helpers.h"
#include "core/base/xml_escape.h"
#include "core/weather/wx_input.h"
#include "core/weather/wx_numbers.h"

namespace vox {

namespace {
constexpr int kTokensPerDay = 8;
}  // namespace

ForecastRead readForecast(const std::string& text) {
    ForecastRead out;
    CsvTokens tokens(text);
    std::string token;
    while (tokens.next(&token))
        if (token == "FORECAST:") {
            out.found = true;
            break;
        }
    if (!out.found)
        return out;
    for (int i = 0; i < kForecastDays; ++i) {
        bool dayFound = false;
        while (tokens.next(&token))
            if (token.find("Day:") != std::string::npos) {
                dayFound = true;
                break;
            }
        // A "Day:" that is the file's last token starts no day.
        if (!dayFound || tokens.atEnd())
            break;
        std::array<std::string, kTokensPerDay> t;
        for (int k = 0; k < kTokensPerDay; ++k)
            if (!tokens.next(&t[static_cast<std::size_t>(k)])) {
                out.ok = false;
                out.error = "forecast day " + std::to_string(i + 1) + " is cut off";
                return out;
            }
        ForecastDay& day = out.days[static_cast<std::size_t>(i)];
        day.present = true;
        day.name = ReplaceFirst(t[1], "DayFull:", "");
        day.high = ReplaceFirst(t[3], "High:", "");
        day.low = ReplaceFirst(t[5], "Low:", "");
        day.conditions =
            ReplaceFirst(ReplaceFirst(t[7], "Conds:", ""), "T-storms", "Thunder Storms");
    }
    return out;
}

ForecastText buildForecast(const ForecastRead& f, const WxTextOptions& o) {
    ForecastText out;
    for (int i = 0; i < kForecastDays; ++i) {
        const ForecastDay& day = f.days[static_cast<std::size_t>(i)];
        if (!day.present)
            continue;
        std::string& high = out.spokenHigh[static_cast<std::size_t>(i)];
        std::string& low = out.spokenLow[static_cast<std::size_t>(i)];
        if (!o.metric) {
            high = day.high;
            low = day.low;
            continue;
        }
        for (auto [from, to] : {std::pair{&day.high, &high}, std::pair{&day.low, &low}}) {
            const std::optional<double> v = wholeNumber(*from);
            if (!v) {
                out.error = "forecast day " + std::to_string(i + 1) +
                            ": not a temperature: " + ShownExcerpt(*from);
                return out;
            }
            *to = numberText(FToC(*v));
        }
    }
    out.ok = true;
    // The forecast opens with day 1: without its name there is no forecast to give.
    if (!f.found || f.days[0].name.empty()) {
        out.lines.push_back("<xml>The forecast is currently not available.</xml>");
        return out;
    }
    out.available = true;
    out.lines.push_back("<xml>This is the local area Forecast for " + o.area + ".");
    for (int i = 0; i < kForecastDays; ++i) {
        const ForecastDay& day = f.days[static_cast<std::size_t>(i)];
        if (!day.present)
            continue;
        const std::size_t k = static_cast<std::size_t>(i);
        out.lines.push_back(
            xmlEscape(day.name) + ", " + xmlEscape(day.conditions) + " with a high of " +
            ReplaceFirst(xmlEscape(out.spokenHigh[k]), "-", "minus ") + " degrees and a low of " +
            ReplaceFirst(xmlEscape(out.spokenLow[k]), "-", "minus ") + " degrees.");
    }
    out.lines.push_back("This is " + o.nodeCall + ".</xml>");
    return out;
}

}  // namespace vox
