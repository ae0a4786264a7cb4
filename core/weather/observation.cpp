#include "core/weather/observation.h"

#include <cmath>

#include "core/base/text_helpers.h"
#include "core/base/xml_escape.h"
#include "core/parts/time_phrases.h"
#include "core/weather/wx_input.h"
#include "core/weather/wx_numbers.h"
#include "core/weather/wx_words.h"

namespace vox {

namespace {

constexpr int kConditionToken = 19;

// "-999" and "0" mark a reading the station does not have.
bool noReading(const std::string& token) {
    return token == "-999" || token == "0";
}

std::string minus(const std::string& text) {
    return ReplaceAll(text, "-", "minus ");
}

// Miles per hour as kilometres per hour, to one decimal, halves to even.
std::string kmh(double mph) {
    return numberText(roundHalfEven(mph * 16) / 10);
}

struct Failure {
    std::string why;
};

double numberOrFail(const Observation& r, int n, const char* what) {
    const std::optional<double> v = wholeNumber(r.token(n));
    if (!v)
        throw Failure{"token " + std::to_string(n) + " (" + what +
                      ") is not a number: " + ShownExcerpt(r.token(n))};
    return *v;
}

std::string celsius(const Observation& r, int n, const char* what) {
    return numberText(FToC(numberOrFail(r, n, what)));
}

// "3:05 PM" from the hour and minute tokens, with time-zone names spoken.
std::string updateTime(const Observation& r) {
    const std::optional<double> h = wholeNumber(r.token(5));
    const std::optional<double> m = wholeNumber(r.token(6));
    if (!h || !m || *h != std::floor(*h) || *m != std::floor(*m) || *h < 0 || *h > 23 || *m < 0 ||
        *m > 59)
        throw Failure{"tokens 5 and 6 are not a time of day: " + ShownExcerpt(r.token(5)) + ":" +
                      ShownExcerpt(r.token(6))};
    const int hour = static_cast<int>(*h);
    const int minute = static_cast<int>(*m);
    const int h12 = hour % 12 == 0 ? 12 : hour % 12;
    const std::string mm = (minute < 10 ? "0" : "") + std::to_string(minute);
    return TimeFix(std::to_string(h12) + ":" + mm + (hour < 12 ? " AM" : " PM"));
}

}  // namespace

ObservationRead readObservation(const std::string& text) {
    ObservationRead out;
    CsvTokens tokens(text);
    Observation& r = out.record;
    for (int n = 1; n <= kObservationTokens; ++n) {
        std::string token;
        if (!tokens.next(&token)) {
            out.error = "the record ends after " + std::to_string(n - 1) + " of " +
                        std::to_string(kObservationTokens) + " tokens";
            return out;
        }
        if (n == kConditionToken) {
            const std::optional<double> v = wholeNumber(token);
            const double code = v ? roundHalfEven(*v) : 0;
            if (!v || code < -32768 || code > 32767) {
                out.error =
                    "token 19 (condition code) is not a whole number: " + ShownExcerpt(token);
                return out;
            }
            r.condition = static_cast<int>(code);
        }
        r.tokens[static_cast<std::size_t>(n - 1)] = std::move(token);
        r.tokensRead = n;
    }
    out.ok = true;
    return out;
}

ConditionsText buildConditions(const Observation& r, const WxTextOptions& o) {
    ConditionsText out;
    try {
        // Values from the file are spoken as text, never as markup.
        auto text = [&](int n) { return xmlEscape(r.token(n)); };
        const std::string conditions = conditionWord(r.condition);
        const std::string time = updateTime(r);

        // Each value is checked as a number before its signs are spoken: a token of a million
        // minus signs would otherwise be spelled out one at a time, in quadratic time.
        const std::string tempC = minus(celsius(r, 14, "temperature"));
        const std::string tempF = minus(text(14));
        const std::string humidity = text(12);
        const std::string dewC = minus(celsius(r, 32, "dew point"));
        const std::string dewF = minus(text(32));
        std::string heatF, heatC;
        if (!noReading(r.token(31))) {
            heatF = text(31);
            heatC = celsius(r, 31, "heat index");
        }
        std::string chillF, chillC;
        if (!noReading(r.token(29))) {
            chillC = minus(celsius(r, 29, "wind chill"));
            chillF = minus(text(29));
        }
        const std::string direction = compassWord(numericPrefix(r.token(10)));
        const std::string speed = r.token(8);
        const std::string speedKmh = kmh(numericPrefix(speed));
        std::string gust = "0", gustKmh = "0";
        if (!noReading(r.token(9))) {
            gust = r.token(9);
            gustKmh = kmh(numericPrefix(gust));
        }
        const bool pressureNumeric = wholeNumber(r.token(15)).has_value();
        const std::string millibars =
            numberText(roundHalfEven(numericPrefix(r.token(15)) / 0.0295299));

        std::string temperature, dewPoint, heatIndex, windChill, windPart, pressurePart;
        if (!o.metric) {
            temperature = tempF;
            dewPoint = dewF;
            heatIndex = heatF;
            windChill = chillF;
            windPart = xmlEscape(speed) + " miles per hour";
            windPart += (gust == speed || gust == "0")
                            ? "."
                            : " with gusts to " + xmlEscape(gust) + " miles per hour.";
            pressurePart = pressureNumeric ? text(15) + " inches." : " not available.";
        } else {
            temperature = tempC;
            dewPoint = dewC;
            heatIndex = heatC;
            windChill = chillC;
            windPart = speedKmh + " kilometers per hour";
            windPart += (gustKmh == speedKmh || gustKmh == "0")
                            ? "."
                            : " with gusts to " + gustKmh + " kilometers per hour.";
            pressurePart = pressureNumeric ? millibars + " milli bars." : " not available.";
        }
        const std::string wind =
            speed == "0" ? "Winds are calm." : "Wind is " + direction + " at " + windPart;
        // The choice between heat index and wind chill always follows the Fahrenheit reading.
        const bool warm = numericPrefix(r.token(14)) > 50;

        std::vector<std::string>& l = out.lines;
        l.push_back("<xml>These are the weather conditions at " + o.area + ", updated at " + time +
                    ".");
        l.push_back("The temperature Is " + temperature + " degrees.");
        if (warm && !heatIndex.empty())
            l.push_back("The heat index is " + heatIndex + " degrees.");
        l.push_back("Relative humidity is " + humidity + " percent.");
        l.push_back("The dew point is " + dewPoint + " degrees.");
        l.push_back(wind);
        if (!warm && !windChill.empty())
            l.push_back("The wind chill is " + windChill + " degrees.");
        l.push_back("The barometric pressure is " + pressurePart);
        l.push_back("Current conditions are " + conditions + ".");
        if (o.forecastHint)
            l.push_back("To hear a current weather forecast, press " +
                        TrimBlanksRight(SpellDtmfCode(o.forecastCode)) + ".");
        l.push_back("This is " + o.nodeCall + ".</xml>");
        out.ok = true;
    } catch (const Failure& f) {
        out.lines.clear();
        out.error = f.why;
    }
    return out;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

}  // namespace vox
