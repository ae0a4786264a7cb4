#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vox {

// A local calendar date and time of day, as the node owner's wall clock shows it.
struct LocalTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    int weekday() const;  // 0 = Sunday .. 6 = Saturday

    bool operator==(const LocalTime&) const = default;
};

// Milliseconds since 1970-01-01 00:00 counted on the local calendar (no zone, no DST).
std::int64_t toCalendarMs(const LocalTime& t);
LocalTime fromCalendarMs(std::int64_t ms);

// "YYYY-MM-DD HH:MM:SS"; nullopt when malformed or out of range.
std::optional<LocalTime> parseDateTime(const std::string& text);

std::string formatHhMmSs(const LocalTime& t);  // "14:05:09"
std::string formatHhMm(const LocalTime& t);    // "14:05"
std::string formatIsoMs(const LocalTime& t);   // "2026-12-10T14:05:09.123"

}  // namespace vox
