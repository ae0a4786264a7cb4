#include "tests/core/station/station_fixture.h"

#include <cstdio>
#include <fstream>
#include <regex>

namespace vox {

void StationRig::callAtLocal(const LocalTime& when, std::function<void()> fn) {
    const double left =
        static_cast<double>(toCalendarMs(when) - toCalendarMs(clock.localNow())) / 1000.0;
    rt.callAfter(left, std::move(fn));
}

void StationRig::commandAt(const LocalTime& when, const std::string& line) {
    callAtLocal(when, [this, line] { command(line); });
}

namespace {
std::string describe(const std::string& line);
}

std::vector<std::string> StationRig::events(std::size_t from) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < airLines.size(); ++i) {
        const std::string e = describe(airLines[i]);
        if (!e.empty())
            out.push_back(e);
    }
    return out;
}

std::vector<std::string> StationRig::timedEvents(const std::string& prefix) const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < airLines.size(); ++i) {
        const std::string e = describe(airLines[i]);
        if (e.empty() || e.rfind(prefix, 0) != 0)
            continue;
        char stamp[20];
        std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d ", airTimes[i].hour,
                      airTimes[i].minute, airTimes[i].second, airTimes[i].millisecond);
        out.push_back(stamp + e);
    }
    return out;
}

void StationRig::startAndRunUntil(const LocalTime& until) {
    ASSERT_EQ(station->start(), Station::StartOutcome::Running);
    runUntil(until);
}

void StationRig::runUntil(const LocalTime& until) {
    const double left =
        static_cast<double>(toCalendarMs(until) - toCalendarMs(clock.localNow())) / 1000.0;
    const double deadline = rt.now() + left;
    // Like the program's event loop, the rig is no wait of the work a transmit time-out ends.
    for (;;) {
        try {
            rt.waitUntil(deadline);
            return;
        } catch (const WaitAborted&) {
        }
    }
}

void StationRig::command(const std::string& line) {
    const std::string answer = nodes.handleLine(line);
    ASSERT_EQ(answer, "ok") << line;
}

namespace {
std::string describe(const std::string& line) {
    // {"t":"..","ev":"ptt","on":true} -> "ptt:on"; speak -> "speak:<text>"; play -> "play:<file>".
    static const std::regex kEv(
        R"re("ev":"([a-z]+)"(?:,"(?:on)":(true|false))?(?:,"(?:text|file|call)":"((?:[^"\\]|\\.)*)")?)re");
    std::smatch m;
    if (!std::regex_search(line, m, kEv))
        return "";
    std::string e = m[1];
    if (e == "status" || e == "log")
        return "";
    if (m[2].matched)
        e += std::string(":") + (m[2] == "true" ? "on" : "off");
    if (m[3].matched)
        e += ":" + m[3].str();
    return e;
}
}  // namespace

void StationRig::touch(const std::string& relative, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(folderPath(relative)).parent_path());
    std::ofstream(folderPath(relative), std::ios::binary) << text;
}

}  // namespace vox
