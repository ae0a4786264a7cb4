#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/base/local_time.h"

namespace vox {

// FreeWx's files (station type 1).

// "hh:mm" on the 24-hour clock as "1:05pm", "12:40pm", "12:15am", "09:30am"; "" unless the text
// has exactly five characters.
std::string To12HourTime(const std::string& t);

// "freewx.dat": its last line, "+" removed, cut at commas; fields 1..17 and the rest as 18.
struct FreeWxShort {
    std::string time, temperature, humidity, speed, direction, gust, pressure, trend;
};
bool readFreeWxShort(const std::string& text, FreeWxShort* reading, std::string* error);
std::string freeWxShortText(const FreeWxShort& reading, const std::string& nodeCall);

// "freedata.txt": its first line, "+" removed, cut at commas; fields 1..31 and the rest as 32.
struct FreeWxFull {
    std::array<std::string, 33> field;  // field[n], n = 1..32
};
bool readFreeWxFull(const std::string& text, FreeWxFull* reading, std::string* error);

// "freewtday.log": the times of today's maximum and minimum temperature and maximum gust, from
// tokens 3, 5 and 17 of its first 33.
struct FreeWxDayTimes {
    std::string maxTemperature, minTemperature, maxGust;
};
bool readFreeWxDayLog(const std::string& text, FreeWxDayTimes* times, std::string* error);

struct FreeWxFullOptions {
    std::string recordedOn;   // "June 5 at 3:45PM"
    std::string spelledCall;  // the node's own call, spelled for the voice
    std::string nodeCall;     // WxNodeCall
};
// The full report; nothing when the temperature (field 1) is not a number.
std::optional<std::string> freeWxFullText(const FreeWxFull& reading, const FreeWxDayTimes& times,
                                          const FreeWxFullOptions& options);

// "June 5 at 3:45PM".
std::string recordedOnText(const LocalTime& t);

// The speakable file of a FreeWx report: an empty line, "<xml>", the text, "</xml>", an empty
// line.
std::string freeWxSpeakable(const std::string& text);

std::string freeWxSorryText(const std::string& nodeCall);

}  // namespace vox
