#include "core/weather/vws_daily.h"

#include <vector>

#include "core/base/text_helpers.h"
#include "core/base/xml_escape.h"
#include "core/weather/wx_input.h"
#include "core/weather/wx_numbers.h"
#include "core/weather/wx_words.h"

namespace vox {

namespace {

// count fields cut at blanks, then the left-trimmed rest; false when a blank is missing.
bool cutFields(std::string rest, int count, std::vector<std::string>* fields) {
    fields->assign(1, std::string());  // fields are counted from 1
    for (int i = 0; i < count; ++i) {
        rest = TrimBlanksLeft(rest);
        const std::size_t blank = rest.find(' ');
        if (blank == std::string::npos)
            return false;
        fields->push_back(rest.substr(0, blank));
        rest = rest.substr(blank);
    }
    fields->push_back(TrimBlanksLeft(rest));
    return true;
}

}  // namespace

VwsRead readVwsDaily(const std::string& text, int stationType) {
    VwsRead out;
    if (stationType != 0 && stationType != 2 && stationType != 3) {
        out.error = "station type " + std::to_string(stationType) + " does not write daily.txt";
        return out;
    }
    CsvTokens tokens(text);
    std::string last, token;
    bool any = false;
    while (tokens.next(&token)) {
        last = std::move(token);
        any = true;
    }
    if (!any) {
        out.error = "daily.txt holds no record";
        return out;
    }
    std::vector<std::string> f;
    if (!cutFields(last, stationType == 3 ? 10 : 11, &f)) {
        out.error = "daily.txt: the record has too few fields";
        return out;
    }
    VwsReading& r = out.reading;
    r.time = f[1];
    r.direction = f[2];
    if (stationType == 0) {
        r.humidity = f[3];
        r.speed = f[4];
        r.temperature = f[5];
        r.rainYear = f[6];
        r.pressure = f[7];
        r.dewPoint = f[8];
        r.windChill = f[9];
        r.heatIndex = f[10];
        r.gust = f[11];
        r.rainToday = f[12];
    } else if (stationType == 2) {
        r.speed = f[3];
        r.gust = f[4];
        r.humidity = f[5];
        r.temperature = f[6];
        r.pressure = f[7];
        r.rainYear = f[8];
        r.windChill = f[9];
        r.heatIndex = f[10];
        r.dewPoint = f[11];
        r.rainToday = f[12];
    } else {
        r.speed = f[3];
        r.gust = f[4];
        r.humidity = f[6];
        r.temperature = f[8];
        r.pressure = f[9];
        r.rainYear = f[10];
        r.rainToday = f[11];
    }
    out.ok = true;
    return out;
}

std::string vwsText(const VwsReading& reading, const VwsTextOptions& o) {
    // Readings are spoken as text, never as markup.
    VwsReading r = reading;
    for (std::string* s : {&r.time, &r.speed, &r.gust, &r.humidity, &r.temperature, &r.pressure,
                           &r.rainYear, &r.rainToday, &r.dewPoint, &r.windChill, &r.heatIndex})
        *s = xmlEscape(*s);
    std::string t = "These are the weather conditions from the weather station at " +
                    o.spelledCall + ", recorded at " + r.time + ". ";
    t += "The temperature is " + r.temperature + " degrees. ";
    t += "Relative humidity is " + r.humidity + " percent. ";
    if (numericPrefix(reading.speed) != 0) {
        t += "The wind is from the " + compassWord(numericPrefix(reading.direction)) + " at " +
             r.speed + " miles per hour";
        t += numericPrefix(reading.gust) != 0 ? ", with gusts to " + r.gust + " miles per hour. "
                                              : ". ";
    } else {
        t += "The wind is calm. ";
    }
    t += "The barometric pressure is " + r.pressure + " inches. ";
    if (o.stationType == 0 || o.stationType == 2) {
        t += "The dew point is " + r.dewPoint + " degrees. ";
        const bool winter = o.month >= 10 || o.month <= 3;
        t += winter ? "The wind chill factor is " + r.windChill + " degrees. "
                    : "The heat index is " + r.heatIndex + " degrees. ";
    }
    t += "Rain fall for today was " + r.rainToday +
         " inches and the total rainfall for the year was " + r.rainYear + " inches. ";
    t += "This is " + o.nodeCall + ".";
    return t;
}

std::string vwsSorryText(const std::string& nodeCall) {
    return "Sorry, the readings from the local weather station are currently not available. "
           "Please try again in a few minutes. This is " +
           nodeCall + ".";
}

}  // namespace vox
