#include "core/parts/time_phrases.h"

#include <cstdio>

#include "core/base/text_helpers.h"

namespace vox {

namespace {

std::string twoDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

int hour12(int hour) {
    return hour % 12 == 0 ? 12 : hour % 12;
}

}  // namespace

std::string timePhrase24(const LocalTime& t) {
    const std::string hh = twoDigits(t.hour), mm = twoDigits(t.minute);
    std::string phrase = hh == "00" ? "The time is zero hours and " + mm + " minutes."
                                    : "The time is " + hh + ":" + mm;
    if (mm == "00")
        phrase =
            hh == "00" ? "The time is zero hundred hours" : "The time is " + hh + " hundred hours";
    return phrase;
}

std::string timePhrase12(const LocalTime& t) {
    const bool am = t.hour < 12;
    const std::string h = std::to_string(hour12(t.hour));
    std::string phrase = "The time is " + h + ":" + twoDigits(t.minute) + (am ? " AM" : " PM");
    if (t.minute == 0)
        phrase = "The time is " + h + " o'clock " + (am ? "eh m." : "p m.");
    phrase = ReplaceAll(phrase, " PM", "PM.");
    return ReplaceAll(phrase, " AM", "AM.");
}

std::string timePhrase(const LocalTime& t, int ttsTime24) {
    return ttsTime24 == 1 ? timePhrase24(t) : timePhrase12(t);
}

std::string greetingFor(const LocalTime& t, int voiceTypeAtt) {
    // "HH:MM AMPM": AM is morning; a PM hour below "05" or equal to "12" is afternoon.
    std::string word;
    if (t.hour < 12) {
        word = "Morning";
    } else {
        const std::string hh = twoDigits(hour12(t.hour));
        word = (hh < "05" || hh == "12") ? "Afternoon" : "Evening";
    }
    return voiceTypeAtt == 1 ? "Good " + word + "." : "Good " + word + "! ";
}

std::string TimeFix(const std::string& text) {
    static const char* const kZones[][2] = {
        {"HST", "Hawaii Standard Time"},   {"BST", "British Summer Time"},
        {"GMT", "Greenwich Mean Time"},    {"AST", "Atlantic Standard Time"},
        {"ADT", "Atlantic Daylight Time"}, {"ChST", "Guam Standard Time"},
        {"LST", "Guam Standard Time"},     {"AKDT", "Alaska Daylight Time"},
        {"AKST", "Alaska Standard Time"},  {"EDT", "Eastern Daylight Time"},
        {"EST", "Eastern Standard Time"},  {"PDT", "Pacific Daylight Time"},
        {"PST", "Pacific Standard Time"},  {"CDT", "Central Daylight Time"},
        {"CST", "Central Standard Time"},  {"MDT", "Mountain Daylight Time"},
        {"MST", "Mountain Standard Time"}};
    std::string out = text;
    for (const auto& zone : kZones) {
        const std::string abbreviation = zone[0];
        const std::size_t at = out.find(abbreviation);
        if (at != std::string::npos)
            out.replace(at, abbreviation.size(), zone[1]);
    }
    return out;
}

std::string connDiscTimePhrase(const LocalTime& t, int ttsTime24) {
    if (ttsTime24 == 1) {
        const std::string hh = twoDigits(t.hour), mm = twoDigits(t.minute);
        if (mm == "00")
            return hh == "00" ? "zero hundred hours" : hh + " hundred hours";
        return hh == "00" ? mm + " minutes" : hh + ":" + mm;
    }
    const bool am = t.hour < 12;
    const std::string h = std::to_string(t.hour % 12 == 0 ? 12 : t.hour % 12);
    if (t.minute == 0)
        return h + " o'clock " + (am ? "eh m" : "p m");
    return h + ":" + twoDigits(t.minute) + (am ? " AM" : " PM");
}

}  // namespace vox
