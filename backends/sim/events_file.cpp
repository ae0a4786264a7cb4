#include "backends/sim/events_file.h"

#include <cstdio>
#include <sstream>

namespace vox {

namespace {

bool parseClock(const std::string& text, int* h, int* m, int* s) {
    char tail = 0;
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return false;
    if (std::sscanf(text.c_str(), "%2d:%2d:%2d%c", h, m, s, &tail) != 3)
        return false;
    return *h >= 0 && *h < 24 && *m >= 0 && *m < 60 && *s >= 0 && *s < 60;
}

}  // namespace

bool parseEventsFile(const std::string& text, const LocalTime& from, std::vector<TimedCommand>* out,
                     std::string* error) {
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    std::int64_t earliest = toCalendarMs(from);
    std::vector<TimedCommand> result;
    auto fail = [&](const std::string& why) {
        *error = "events file line " + std::to_string(number) + ": " + why;
        return false;
    };
    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const std::size_t first = raw.find_first_not_of(" \t");
        if (first == std::string::npos || raw[first] == '#')
            continue;
        const std::string line = raw.substr(first);

        TimedCommand entry;
        entry.line = number;
        std::string rest;
        int h = 0, m = 0, s = 0;
        if (line.size() >= 19 && line[4] == '-') {
            const auto when = parseDateTime(line.substr(0, 19));
            if (!when)
                return fail("bad date and time '" + line.substr(0, 19) + "'");
            entry.when = *when;
            rest = line.substr(19);
        } else if (parseClock(line.substr(0, 8), &h, &m, &s)) {
            // The first such clock time at or after the run's start and the previous event.
            LocalTime day = fromCalendarMs(earliest);
            day.hour = h;
            day.minute = m;
            day.second = s;
            day.millisecond = 0;
            std::int64_t ms = toCalendarMs(day);
            if (ms < earliest)
                ms += 86400000LL;
            entry.when = fromCalendarMs(ms);
            rest = line.substr(8);
        } else {
            return fail("expected \"HH:MM:SS command\" or \"YYYY-MM-DD HH:MM:SS command\"");
        }
        if (rest.empty() || (rest[0] != ' ' && rest[0] != '\t'))
            return fail("missing command");
        std::string why;
        const auto command = parseControlCommand(rest.substr(1), &why);
        if (!command)
            return fail(why.empty() ? "missing command" : why);
        entry.command = *command;
        const std::int64_t at = toCalendarMs(entry.when);
        if (at < earliest)
            return fail("time goes backwards");
        earliest = at;
        result.push_back(std::move(entry));
    }
    *out = std::move(result);
    return true;
}

}  // namespace vox
