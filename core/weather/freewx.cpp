#include "core/weather/freewx.h"

#include <vector>

#include "core/base/xml_escape.h"
#include "core/weather/wx_input.h"
#include "core/weather/wx_numbers.h"
#include "core/weather/wx_words.h"

namespace vox {

namespace {

// The 12-hour rule itself, for any length of text.
std::string twelveHour(const std::string& t) {
    const std::string head = t.substr(0, 2);
    const std::string rest = t.size() > 2 ? t.substr(2) : std::string();
    const double hour = numericPrefix(head);
    if (hour > 12)
        return numberText(hour - 12) + rest + "pm";
    if (hour == 12)
        return t + "pm";
    return (head == "00" ? "12" + rest : t) + "am";
}

std::string withoutPlus(std::string line) {
    std::erase(line, '+');
    return line;
}

// Fields 1..count cut at commas and the rest as field count + 1; false when a comma is missing.
bool cutAtCommas(const std::string& line, std::size_t count, std::vector<std::string>* fields) {
    fields->assign(1, std::string());
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string::npos)
            return false;
        fields->push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    fields->push_back(line.substr(start));
    return true;
}

std::string trendWord(const std::string& code) {
    if (code == "0")
        return "falling";
    if (code == "1")
        return "steady";
    if (code == "2")
        return "rising";
    return {};
}

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

}  // namespace

std::string To12HourTime(const std::string& t) {
    return t.size() == 5 ? twelveHour(t) : std::string();
}

bool readFreeWxShort(const std::string& text, FreeWxShort* r, std::string* error) {
    const std::vector<std::string> lines = textLines(text);
    std::vector<std::string> f;
    if (lines.empty() || !cutAtCommas(withoutPlus(lines.back()), 17, &f)) {
        *error = "freewx.dat: the last line has too few fields";
        return false;
    }
    r->time = f[3];
    r->temperature = f[4];
    r->humidity = f[5];
    r->speed = f[9];
    r->direction = f[10];
    r->gust = f[11];
    r->pressure = f[13];
    r->trend = f[14];
    return true;
}

std::string freeWxShortText(const FreeWxShort& r, const std::string& nodeCall) {
    const auto x = [](const std::string& s) { return xmlEscape(s); };
    std::string t = "Current weather station readings at " + x(twelveHour(r.time)) + ". ";
    t += "The temperature is " + x(r.temperature) + " degrees. ";
    t += "Relative humidity is " + x(r.humidity) + " percent. ";
    if (numericPrefix(r.gust) != 0)
        t += "The wind is from the " + compassWord(numericPrefix(r.direction)) + " at " +
             x(r.speed) + " miles per hour, with gusts to " + x(r.gust) + " miles per hour. ";
    else
        t += "The wind is calm. ";
    t += "The barometric pressure is " + x(r.pressure) + " inches and " + x(r.trend) + ". ";
    t += "This is " + nodeCall + ".";
    return t;
}

bool readFreeWxFull(const std::string& text, FreeWxFull* r, std::string* error) {
    const std::vector<std::string> lines = textLines(text);
    std::vector<std::string> f;
    if (lines.empty() || !cutAtCommas(withoutPlus(lines.front()), 31, &f)) {
        *error = "freedata.txt: the first line has too few fields";
        return false;
    }
    for (std::size_t n = 1; n < f.size() && n < r->field.size(); ++n)
        r->field[n] = f[n];
    return true;
}

bool readFreeWxDayLog(const std::string& text, FreeWxDayTimes* times, std::string* error) {
    CsvTokens tokens(text);
    std::vector<std::string> t(1);
    std::string token;
    while (t.size() <= 33 && tokens.next(&token))
        t.push_back(token);
    if (t.size() <= 33) {
        *error = "freewtday.log: fewer than 33 tokens";
        return false;
    }
    times->maxTemperature = To12HourTime(t[3]);
    times->minTemperature = To12HourTime(t[5]);
    times->maxGust = To12HourTime(t[17]);
    return true;
}

std::optional<std::string> freeWxFullText(const FreeWxFull& r, const FreeWxDayTimes& times,
                                          const FreeWxFullOptions& o) {
    const std::optional<double> temperature = wholeNumber(r.field[1]);
    if (!temperature)
        return std::nullopt;
    auto f = [&](std::size_t n) { return xmlEscape(r.field[n]); };
    std::string t = "These are the current readings from the weather station at " + o.spelledCall +
                    ", recorded on " + o.recordedOn + ". ";
    t += "The temperature is " + f(1) + " degrees. ";
    t += "Relative humidity is " + f(2) + " percent. ";
    t += "The barometric pressure is " + f(5) + " inches and " + trendWord(r.field[6]) + ". ";
    const std::string average =
        "Average wind speed for the last 10 minutes was " + f(12) + " miles per hour. ";
    if (numericPrefix(r.field[10]) != 0)
        t += "The wind is " + compassWord(numericPrefix(r.field[11])) + " at " + f(10) +
             " miles per hour. " + average;
    else
        t += "The wind is calm. " + average;
    if (r.field[25] != "0") {
        t += "Maximum gust measured was " + f(25) + " miles per hour";
        t += times.maxGust.empty() ? ". " : " at " + xmlEscape(times.maxGust) + ". ";
    }
    t += "The dew point is " + f(7) + " degrees. ";
    if (!r.field[9].empty() && *temperature <= 50)
        t += "The wind chill factor is " + f(9) + " degrees. ";
    if (!r.field[8].empty() && *temperature > 51)
        t += "The heat index is " + f(8) + " degrees. ";
    t += "Current rain fall rate is " + f(14) + " inches per hour. Total rain today was " + f(15) +
         " inches, and total rainfall for the year is " + f(16) + " inches. ";
    t += "Today's minimum temperature was " + f(20) + " degrees at " +
         xmlEscape(times.minTemperature) + " and the maximum temperature was " + f(19) +
         " degrees at " + xmlEscape(times.maxTemperature) + ". ";
    t += "This is " + o.nodeCall + ".";
    return t;
}

std::string recordedOnText(const LocalTime& t) {
    const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    const std::string mm = (t.minute < 10 ? "0" : "") + std::to_string(t.minute);
    const int month = t.month >= 1 && t.month <= 12 ? t.month : 1;
    return std::string(kMonths[month - 1]) + " " + std::to_string(t.day) + " at " +
           std::to_string(h12) + ":" + mm + (t.hour < 12 ? "AM" : "PM");
}

std::string freeWxSpeakable(const std::string& text) {
    return "\r\n<xml>\r\n" + text + "\r\n</xml>\r\n\r\n";
}

std::string freeWxSorryText(const std::string& nodeCall) {
    return "Sorry, the local weather readings are currently not available. Please try again in a "
           "few minutes. This is " +
           nodeCall + ".";
}

}  // namespace vox
