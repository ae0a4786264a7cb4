#include "air_oracle.h"

#include <fstream>
#include <optional>

#include "base/local_time.h"
#include "settings/settings_format.h"

namespace vox {
namespace {

// The value of a field of one of our own records: "key":"text" or "key":word.
std::optional<std::string> field(const std::string& line, const std::string& key) {
    const std::string tag = "\"" + key + "\":";
    const std::size_t at = line.find(tag);
    if (at == std::string::npos)
        return std::nullopt;
    std::size_t b = at + tag.size();
    if (b < line.size() && line[b] == '"') {
        const std::size_t e = line.find('"', b + 1);
        if (e == std::string::npos)
            return std::nullopt;
        return line.substr(b + 1, e - b - 1);
    }
    std::size_t e = b;
    while (e < line.size() && line[e] != ',' && line[e] != '}')
        ++e;
    return line.substr(b, e - b);
}

std::optional<std::int64_t> timeMs(const std::string& t) {
    const auto when = parseDateTime(t.substr(0, 10) + " " + t.substr(11, 8));
    if (t.size() != 23 || !when)
        return std::nullopt;
    return toCalendarMs(*when) + std::stoi(t.substr(20, 3));
}

}  // namespace

OracleVerdict checkAirLog(std::istream& air, int maxTxSeconds, double graceSeconds) {
    OracleVerdict v;
    const auto fail = [&](int number, const std::string& why) {
        if (v.ok) {
            v.ok = false;
            v.why = "air log line " + std::to_string(number) + ": " + why;
        }
    };
    // Plain values: GCC's optimiser takes an optional<int64_t> here for uninitialised.
    bool keyed = false;
    std::int64_t keyedAt = 0;
    std::string line;
    int number = 0;
    while (std::getline(air, line)) {
        ++number;
        const auto t = field(line, "t");
        const auto ev = field(line, "ev");
        const auto parsed = t ? timeMs(*t) : std::nullopt;
        if (line.empty() || line.front() != '{' || line.back() != '}' || !ev || !parsed) {
            fail(number, "not a record: " + line.substr(0, 80));
            continue;
        }
        const std::int64_t ms = parsed.value();
        if (*ev == "tot")
            ++v.timeOuts;
        if (*ev != "ptt")
            continue;
        const bool on = field(line, "on") == "true";
        if (on && !keyed) {
            keyed = true;
            keyedAt = ms;
            ++v.transmissions;
        } else if (!on && keyed) {
            const double seconds = static_cast<double>(ms - keyedAt) / 1000.0;
            v.longestSeconds = std::max(v.longestSeconds, seconds);
            if (maxTxSeconds > 0 && seconds > maxTxSeconds + graceSeconds)
                fail(number, "PTT was on for " + std::to_string(seconds) + " s");
            keyed = false;
        }
    }
    if (keyed)
        fail(number, "the run ended with PTT on");
    return v;
}

bool settingsFileComplete(const std::string& path, std::string* why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *why = "no settings file " + path;
        return false;
    }
    Settings settings;
    if (!parseSettingsFile(in, settings, why)) {
        *why = "settings file " + path + ": " + *why;
        return false;
    }
    return true;
}

}  // namespace vox
