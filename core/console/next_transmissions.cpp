#include "core/console/next_transmissions.h"

#include <sstream>

namespace vox {

std::vector<std::string> nextTransmissionLines(const std::string& airLog, const std::string& after,
                                               std::size_t limit) {
    static const char* const kShown[] = {"ptt",     "speak",      "play", "playaudio",
                                         "connect", "disconnect", "node", "tot"};
    std::vector<std::string> out;
    std::istringstream in(airLog);
    std::string line;
    // {"t":"2026-12-10T12:00:00.000","ev":"speak",...}
    const std::string stamp = "{\"t\":\"";
    const std::string evKey = "\",\"ev\":\"";
    while (out.size() < limit && std::getline(in, line)) {
        if (line.rfind(stamp, 0) != 0)
            continue;
        const std::size_t evAt = line.find(evKey, stamp.size());
        if (evAt == std::string::npos)
            continue;
        const std::string when = line.substr(stamp.size(), evAt - stamp.size());
        if (when.compare(0, after.size(), after) < 0)
            continue;
        const std::size_t evStart = evAt + evKey.size();
        const std::string ev = line.substr(evStart, line.find('"', evStart) - evStart);
        for (const char* shown : kShown)
            if (ev == shown) {
                out.push_back(line);
                break;
            }
    }
    return out;
}

}  // namespace vox
